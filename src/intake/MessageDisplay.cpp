#include "MessageDisplay.h"

#include "TextCodec.h"

namespace lark::intake {

const MimePart* partBehindEntry(const MimeMessage* message, const ListEntry& entry)
{
    if (message && entry.partIndex >= 0 && entry.partIndex < message->parts().size()) {
        const MimePart& part = message->parts()[entry.partIndex];
        if (part.isAttachment())
            return &part;
    }
    return findAttachmentByCaption(message, entry.caption);
}

MessageDisplay::MessageDisplay(QObject* parent) : QObject(parent) {}

void MessageDisplay::setEdit(int index, const QString& text)
{
    if (index < 0 || index >= 8 || m_edits[size_t(index)] == text)
        return;
    m_edits[size_t(index)] = text;
    emit editsChanged();
}

void MessageDisplay::setMemos(const QStringList& memo1, const QStringList& memo2)
{
    if (Memo1 == memo1 && Memo2 == memo2)
        return;
    Memo1 = memo1;
    Memo2 = memo2;
    emit memosChanged();
}

void MessageDisplay::clearEditor()
{
    if (m_editor.isEmpty())
        return;
    m_editor.clear();
    emit editorChanged();
}

void MessageDisplay::appendEditorLines(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    m_editor.append(lines);
    emit editorChanged();
}

void MessageDisplay::setEditorText(const QString& text)
{
    m_editor = splitLines(text);
    emit editorChanged();
}

void MessageDisplay::setEditorVisible(bool on)
{
    if (m_editorVisible == on)
        return;
    m_editorVisible = on;
    emit editorVisibilityChanged(on);
}

void MessageDisplay::showHtml(const QString& html, double zoomFactor)
{
    m_hasHtml = true;
    m_html = html;
    m_zoom = zoomFactor;
    emit htmlChanged();
}

void MessageDisplay::closeHtml()
{
    const bool had = m_hasHtml;
    m_hasHtml = false;
    m_html.clear();
    if (had)
        emit htmlChanged();
    emit htmlClosed();
}

QStringList MessageDisplay::captions(int list) const
{
    QStringList out;
    for (const ListEntry& e : entries(list))
        out << e.caption;
    return out;
}

void MessageDisplay::addEntry(int list, const QString& caption, int imageIndex, int partIndex)
{
    m_lists[idx(list)].entries.append({caption, imageIndex, partIndex});
    emit listChanged(list);
}

void MessageDisplay::clearList(int list)
{
    List& l = m_lists[idx(list)];
    if (l.entries.isEmpty())
        return;
    l.entries.clear();
    l.selected = -1;
    emit listChanged(list);
    emit entriesRemoved(list);
}

const ListEntry* MessageDisplay::selected(int list) const
{
    const List& l = m_lists[idx(list)];
    return (l.selected >= 0 && l.selected < l.entries.size()) ? &l.entries[l.selected] : nullptr;
}

void MessageDisplay::setSelected(int list, int index)
{
    List& l = m_lists[idx(list)];
    if (index < 0 || index >= l.entries.size())
        index = -1;
    if (l.selected == index)
        return;
    l.selected = index;
    emit selectionChanged(list, index);
}

void MessageDisplay::setFileDetails(int list, std::shared_ptr<TFileAssociationDetails> details)
{
    m_lists[idx(list)].details = std::move(details);
    emit listChanged(list);
}

bool MessageDisplay::tabVisible(MsgPage page) const
{
    switch (page) {
    case MsgPage::Html: return m_tabHtml;
    case MsgPage::Attachments1: return m_tabAtt1;
    case MsgPage::Attachments2: return m_tabAtt2;
    default: return true;
    }
}

void MessageDisplay::setTabVisible(MsgPage page, bool on)
{
    bool* flag = nullptr;
    switch (page) {
    case MsgPage::Html: flag = &m_tabHtml; break;
    case MsgPage::Attachments1: flag = &m_tabAtt1; break;
    case MsgPage::Attachments2: flag = &m_tabAtt2; break;
    default: return;
    }
    if (*flag == on)
        return;
    *flag = on;
    emit tabsChanged();
}

void MessageDisplay::setCurrentPage(MsgPage page)
{
    m_page = page;
    emit pageRequested(page);
}

shell::ShownMessage MessageDisplay::shownMessage(int mdatType) const
{
    shell::ShownMessage s;
    s.edits = m_edits;
    s.mdatType = mdatType;
    s.editorText = editorText();
    return s;
}

} // namespace lark::intake
