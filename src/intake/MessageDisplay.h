#pragma once
// The shown message as a model without widgets: the eight header edits, the hidden text lists,
// the text view Editor, the HTML view's text and zoom, the two attachment lists, the tabs the
// readers show or hide and the page they bring to the front, and the parsed messages
// IdMessage1 / IdMessage1A. The main window renders it; larkspurctl prints it.
#include "FileAssociationDetails.h"
#include "MimeMessage.h"
#include "shell/ShownMessage.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

namespace lark::intake {

// Pages of the lower tab control, counted in form order; Other is a page of another subsystem
// (the backup and sender tabs, the docked message list).
enum class MsgPage { Html = 0, Attachments1 = 1, Attachments2 = 2, Header = 3, Parameters = 4, Data = 5, Other = 6 };

struct ListEntry {
    QString caption;
    int imageIndex = -1;
    // Position of the entry's part in the parts of its message (IdMessage1 for the first list,
    // IdMessage1A for the second); -1 when the entry is no MIME part (an unpacked file).
    int partIndex = -1;
};

// The part behind a list entry: the part the entry was listed for (two attachments of one name
// each give their own bytes), else the first attachment part of that caption; nullptr if none.
const MimePart* partBehindEntry(const MimeMessage* message, const ListEntry& entry);

class MessageDisplay : public QObject {
    Q_OBJECT
public:
    explicit MessageDisplay(QObject* parent = nullptr);

    // --- header tab: Edit1 .. Edit8 (index 0 is Edit1) ---
    QString edit(int index) const { return m_edits.at(size_t(index)); }
    const std::array<QString, 8>& edits() const { return m_edits; }
    void setEdit(int index, const QString& text);

    // --- hidden tab "Data" ---
    QStringList Memo1, Memo2;
    void setMemos(const QStringList& memo1, const QStringList& memo2);

    // --- text view Editor ---
    QStringList editorLines() const { return m_editor; }
    QString editorText() const { return m_editor.join(QLatin1Char('\n')); }
    void clearEditor();
    void appendEditorLines(const QStringList& lines);
    // Replaces the text (a file loaded into the view).
    void setEditorText(const QString& text);
    bool editorVisible() const { return m_editorVisible; }
    void setEditorVisible(bool on);

    // --- HTML tab ---
    bool hasHtml() const { return m_hasHtml; }
    QString html() const { return m_html; }
    double zoomFactor() const { return m_zoom; }
    // Loads the HTML text into the view at the zoom factor.
    void showHtml(const QString& html, double zoomFactor);
    // Closes the web view (the display is being emptied).
    void closeHtml();

    // --- attachment lists: 1 = ListView1, 2 = ListView2 ---
    const QList<ListEntry>& entries(int list) const { return m_lists[idx(list)].entries; }
    QStringList captions(int list) const;
    int count(int list) const { return int(entries(list).size()); }
    void addEntry(int list, const QString& caption, int imageIndex, int partIndex = -1);
    void clearList(int list);
    int selectedIndex(int list) const { return m_lists[idx(list)].selected; }
    // The selected entry, or nullptr.
    const ListEntry* selected(int list) const;
    void setSelected(int list, int index);
    // The icon lookup the list draws with (FFileDetails of that list).
    std::shared_ptr<TFileAssociationDetails> fileDetails(int list) const { return m_lists[idx(list)].details; }
    void setFileDetails(int list, std::shared_ptr<TFileAssociationDetails> details);
    // Tells the view that the icon lookup was refreshed.
    void notifyIconsChanged(int list) { emit listChanged(list); }

    // --- tabs "HTML", "添付ファイルⅠ", "添付ファイルⅡ" ---
    bool tabVisible(MsgPage page) const;
    void setTabVisible(MsgPage page, bool on);
    MsgPage currentPage() const { return m_page; }
    // The reader brings this page to the front (also the page the user chose, from the view).
    void setCurrentPage(MsgPage page);

    // --- parsed messages ---
    std::shared_ptr<MimeMessage> IdMessage1;
    std::shared_ptr<MimeMessage> IdMessage1A;

    // The record the store operation takes (mailFile is filled by the caller).
    shell::ShownMessage shownMessage(int mdatType) const;

signals:
    void editsChanged();
    void memosChanged();
    void editorChanged();
    void editorVisibilityChanged(bool visible);
    void htmlChanged();
    void htmlClosed();
    void listChanged(int list);
    void selectionChanged(int list, int index);
    // Entries were removed from a list (it was emptied).
    void entriesRemoved(int list);
    void tabsChanged();
    void pageRequested(lark::intake::MsgPage page);

private:
    static size_t idx(int list) { return list == 2 ? 1 : 0; }
    struct List {
        QList<ListEntry> entries;
        int selected = -1;
        std::shared_ptr<TFileAssociationDetails> details;
    };
    std::array<QString, 8> m_edits;
    QStringList m_editor;
    bool m_editorVisible = true;
    bool m_hasHtml = false;
    QString m_html;
    double m_zoom = 1.0;
    std::array<List, 2> m_lists;
    bool m_tabHtml = false, m_tabAtt1 = false, m_tabAtt2 = false;
    MsgPage m_page = MsgPage::Header;
};

} // namespace lark::intake
