#include "MessageView.h"

#include "AttachmentListBinder.h"
#include "shell/ui/TFrmLarksp.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

namespace lark::intake::ui {

MessageView::MessageView(shell::TFrmLarksp& window, IntakeHandlers& handlers, QObject* parent)
    : QObject(parent), m_window(window), m_display(handlers.display())
{
    shell::AppContext& ctx = window.ctx();
    m_list1 = new AttachmentListBinder(1, window.ListView1, ctx, m_display, handlers.attachments(), this);
    m_list2 = new AttachmentListBinder(2, window.ListView2, ctx, m_display, handlers.attachments(), this);

    connect(&m_display, &MessageDisplay::editsChanged, this, &MessageView::showEdits);
    for (int i = 0; i < 8; ++i)
        connect(window.Edit[size_t(i)], &QLineEdit::textEdited, this, [this, i](const QString& t) { m_display.setEdit(i, t); });
    connect(&m_display, &MessageDisplay::editorChanged, this, &MessageView::showEditor);
    connect(&m_display, &MessageDisplay::editorVisibilityChanged, this, &MessageView::showEditorVisible);
    connect(&m_display, &MessageDisplay::memosChanged, this, &MessageView::showMemos);
    connect(&m_display, &MessageDisplay::tabsChanged, this, &MessageView::showTabs);
    connect(&m_display, &MessageDisplay::pageRequested, this, &MessageView::showPage);
    connect(window.PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        const MsgPage page = pageOf(m_window.PageControl1->widget(index));
        if (page != m_display.currentPage()) {
            m_wanted = page;
            m_display.setCurrentPage(page);
        }
    });

    showEdits();
    showEditor();
    showMemos();
    showTabs();
    m_display.setCurrentPage(pageOf(window.PageControl1->currentWidget()));
}

QWidget* MessageView::pageWidget(MsgPage page) const
{
    switch (page) {
    case MsgPage::Html: return m_window.TabSheet4;
    case MsgPage::Attachments1: return m_window.TabSheet2;
    case MsgPage::Attachments2: return m_window.TabSheet5;
    case MsgPage::Header: return m_window.TabSheet1;
    case MsgPage::Parameters: return m_window.TabSheet3;
    case MsgPage::Data: return m_window.TabSheet6;
    case MsgPage::Other: return nullptr;
    }
    return nullptr;
}

MsgPage MessageView::pageOf(QWidget* widget) const
{
    for (MsgPage p : {MsgPage::Html, MsgPage::Attachments1, MsgPage::Attachments2, MsgPage::Header,
                      MsgPage::Parameters, MsgPage::Data})
        if (widget && pageWidget(p) == widget)
            return p;
    return MsgPage::Other;
}

void MessageView::showEdits()
{
    for (int i = 0; i < 8; ++i) {
        QLineEdit* e = m_window.Edit[size_t(i)];
        if (e->text() != m_display.edit(i)) {
            e->setText(m_display.edit(i));
            e->setCursorPosition(0);
        }
    }
}

void MessageView::showEditor()
{
    m_window.Editor->setPlainText(m_display.editorText());
}

void MessageView::showEditorVisible(bool visible)
{
    // Hidden while a drag is over the upper pane: the drop label shows on the info colour.
    m_window.Editor->setVisible(visible);
    m_window.Panel1->setBackgroundRole(visible ? QPalette::Button : QPalette::ToolTipBase);
}

void MessageView::showMemos()
{
    m_window.Memo1->setPlainText(m_display.Memo1.join(QLatin1Char('\n')));
    m_window.Memo2->setPlainText(m_display.Memo2.join(QLatin1Char('\n')));
}

void MessageView::showTabs()
{
    for (MsgPage p : {MsgPage::Html, MsgPage::Attachments1, MsgPage::Attachments2})
        m_window.setTabVisible(pageWidget(p), m_display.tabVisible(p));
    // A page asked for before its tab was shown comes to the front now.
    if (QWidget* wanted = pageWidget(m_wanted); wanted && m_window.isTabVisible(wanted)
        && m_window.PageControl1->currentWidget() != wanted)
        m_window.showPage(wanted);
}

void MessageView::showPage(MsgPage page)
{
    m_wanted = page;
    QWidget* w = pageWidget(page);
    if (!w)
        return;
    if (page == MsgPage::Html)
        m_window.setStayOnTop(false);
    if (m_window.isTabVisible(w))
        m_window.showPage(w);
}

} // namespace lark::intake::ui
