#include "TDBSelectFrm.h"

#include "shell/AppContext.h"
#include "store/DmLdb.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lark::store::ui {

namespace {
QDateEdit* datePicker(QWidget* parent, const char* name)
{
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    d->setCalendarPopup(true);
    return d;
}

QComboBox* historyBox(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(kHistoryMaxEntries);
    return c;
}

QLabel* hintLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setText(QStringLiteral("ワイルドカード文字：「*」\u3000/\u30001文字：「?」が使えます"));
    QFont f = l->font();
    f.setPointSize(7);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    return l;
}
} // namespace

TDBSelectFrm::TDBSelectFrm(SearchForm& form, TDm_Ldb& dm, QWidget* parent)
    : QDialog(parent), m_form(form), m_dm(dm)
{
    setObjectName(QStringLiteral("DBSelectFrm"));
    setWindowTitle(QStringLiteral("DB検索"));
    setFont(QFont(QStringLiteral("Meiryo UI"), 9));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("【検索パラメータ】"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3 = new QLabel(QStringLiteral("■受信日時範囲"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    DateTimePicker1 = datePicker(this, "DateTimePicker1");
    Label2 = new QLabel(QStringLiteral("～"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    DateTimePicker2 = datePicker(this, "DateTimePicker2");
    Label4 = new QLabel(QStringLiteral("■件名 "), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    ComboBox1 = historyBox(this, "ComboBox1");
    Label6 = hintLabel(this, "Label6");
    Label5 = new QLabel(QStringLiteral("■送信者名"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    ComboBox2 = historyBox(this, "ComboBox2");
    Label7 = hintLabel(this, "Label7");
    Label8 = new QLabel(QStringLiteral("■本文"), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button1 = new QPushButton(QStringLiteral("クリア"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    RadioGroup1 = new QGroupBox(QStringLiteral("キーワード接続関数"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    radioItems = new QButtonGroup(this);
    auto* radioRow = new QHBoxLayout(RadioGroup1);
    auto* orItem = new QRadioButton(QStringLiteral("or 接続"), RadioGroup1);
    auto* andItem = new QRadioButton(QStringLiteral("and 接続"), RadioGroup1);
    radioItems->addButton(orItem, 0);
    radioItems->addButton(andItem, 1);
    radioRow->addWidget(orItem);
    radioRow->addWidget(andItem);
    BitBtn4 = new QPushButton(kWidenCaption, this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setFixedWidth(32);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("閉じる"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));

    // Left: the search parameters; right: the body box.
    auto* left = new QGridLayout;
    left->addWidget(Label1, 0, 0, 1, 4);
    left->addWidget(Label3, 1, 0, 1, 4);
    left->addWidget(DateTimePicker1, 2, 0);
    left->addWidget(Label2, 2, 1, Qt::AlignCenter);
    left->addWidget(DateTimePicker2, 2, 2);
    left->addWidget(BitBtn4, 2, 3);
    left->addWidget(Label4, 3, 0, 1, 4);
    left->addWidget(ComboBox1, 4, 0, 1, 4);
    left->addWidget(Label6, 5, 0, 1, 4);
    left->addWidget(Label5, 6, 0, 1, 4);
    left->addWidget(ComboBox2, 7, 0, 1, 4);
    left->addWidget(Label7, 8, 0, 1, 4);
    left->setRowStretch(9, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    left->addLayout(buttons, 10, 0, 1, 4);

    auto* right = new QGridLayout;
    right->addWidget(Label8, 0, 0);
    right->addWidget(Button1, 0, 1, Qt::AlignRight);
    right->addWidget(Memo1, 1, 0, 1, 2);
    right->addWidget(RadioGroup1, 2, 0, 1, 2);

    auto* all = new QHBoxLayout(this);
    auto* leftBox = new QWidget(this);
    leftBox->setLayout(left);
    const int narrow = int(m_dm.ctx().CFunc() * 354) - 24;
    leftBox->setFixedWidth(narrow);
    all->addWidget(leftBox);
    all->addLayout(right, 1);
    left->setContentsMargins(0, 0, 0, 0);

    setFixedHeight(280);
    setMinimumWidth(searchMinimumWidth(m_dm.ctx().CDpi));

    connect(BitBtn4, &QPushButton::clicked, this, [this] {
        m_form.BitBtn4Click();
        resize(m_form.width, height());
        renderLayout();
    });
    connect(Button1, &QPushButton::clicked, this, [this] {
        m_form.Button1Click();
        Memo1->clear();
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        collect();
        m_form.BitBtn1Click(m_dm);
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        collect();
        m_form.BitBtn2Click();
        render();
        reject();
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        collect();
        reject();
    });
    connect(ComboBox1, &QComboBox::activated, this, [this](int i) {
        m_form.subject.pick(i);
        m_form.subject.text = ComboBox1->itemText(i);
    });
    connect(ComboBox2, &QComboBox::activated, this, [this](int i) {
        m_form.sender.pick(i);
        m_form.sender.text = ComboBox2->itemText(i);
    });
    for (QComboBox* c : {ComboBox1, ComboBox2}) {
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
    }

    render();
    resize(m_form.width, 280);
}

void TDBSelectFrm::collect()
{
    m_form.fromDate = DateTimePicker1->date();
    m_form.toDate = DateTimePicker2->date();
    m_form.subject.text = ComboBox1->currentText();
    m_form.sender.text = ComboBox2->currentText();
    const QString body = Memo1->toPlainText();
    m_form.body.lines = body.isEmpty() ? QStringList() : body.split(QLatin1Char('\n'));
    m_form.radioIndex = radioItems->checkedId() == 1 ? 1 : 0;
}

void TDBSelectFrm::renderHistory(QComboBox* box, const KeywordHistory& history)
{
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(history.items);
    box->setCurrentIndex(-1);
    box->setEditText(history.text);
}

void TDBSelectFrm::render()
{
    DateTimePicker1->setDate(m_form.fromDate);
    DateTimePicker2->setDate(m_form.toDate);
    renderHistory(ComboBox1, m_form.subject);
    renderHistory(ComboBox2, m_form.sender);
    Memo1->setPlainText(m_form.body.lines.join(QLatin1Char('\n')));
    if (QAbstractButton* b = radioItems->button(m_form.radioIndex == 1 ? 1 : 0))
        b->setChecked(true);
    renderLayout();
}

void TDBSelectFrm::renderLayout()
{
    const BodyPanelLayout& l = m_form.layout;
    for (QWidget* w : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Button1), static_cast<QWidget*>(Memo1),
                       static_cast<QWidget*>(RadioGroup1)})
        w->setVisible(l.bodyVisible);
    BitBtn4->setText(l.buttonCaption);
    BitBtn4->setToolTip(l.buttonHint);
}

void TDBSelectFrm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    m_form.resized(width());
    renderLayout();
}

KeywordHistory* TDBSelectFrm::historyOf(QObject* watched, QComboBox** box)
{
    if (watched == ComboBox1 || watched == ComboBox1->lineEdit()) {
        *box = ComboBox1;
        return &m_form.subject;
    }
    if (watched == ComboBox2 || watched == ComboBox2->lineEdit()) {
        *box = ComboBox2;
        return &m_form.sender;
    }
    return nullptr;
}

bool TDBSelectFrm::eventFilter(QObject* watched, QEvent* event)
{
    QComboBox* box = nullptr;
    KeywordHistory* history = historyOf(watched, &box);
    if (!history)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusOut:
        if (!box->view()->isVisible()) {
            history->text = box->currentText();
            history->leave();
            renderHistory(box, *history);
        }
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            break;
        history->text = box->currentText();
        history->enterOrDoubleClick();
        renderHistory(box, *history);
        return true; // the Enter key is consumed
    }
    case QEvent::MouseButtonDblClick:
        history->text = box->currentText();
        history->enterOrDoubleClick();
        renderHistory(box, *history);
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lark::store::ui
