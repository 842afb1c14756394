#include "TDBSetFrm.h"

#include "shell/AppContext.h"
#include "store/DmLdb.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace lark::store::ui {

namespace {
QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* pushButton(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

TDBSetFrm::TDBSetFrm(DBSetLogic& logic, TDm_Ldb& dm, QWidget* parent) : QDialog(parent), m_logic(logic), m_dm(dm)
{
    setObjectName(QStringLiteral("DBSetFrm"));
    setWindowTitle(QStringLiteral("DB設定"));
    setFont(QFont(QStringLiteral("Meiryo UI"), 9));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label3 = label(QStringLiteral("サービス・ポート："), "Label3", this);
    Label4 = label(QString(), "Label4", this);
    Button1 = pushButton(QStringLiteral("登録"), "Button1", this);
    Button2 = pushButton(QStringLiteral("再読込"), "Button2", this);
    Button2->hide();
    Label5 = label(QStringLiteral("組込版DBのときは、サービスポートの登録は必要ありません"), "Label5", this);
    Label1 = label(QStringLiteral("ホスト名："), "Label1", this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label2 = label(QStringLiteral("Larkspur LDB："), "Label2", this);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("…"));
    Label6 = label(QStringLiteral("組込版DBのときは、ホスト名はブランクにする(Localhost は不可)"), "Label6", this);
    DBText1 = label(QString(), "DBText1", this);
    DBText2 = label(QString(), "DBText2", this);
    DBText3 = label(QString(), "DBText3", this);
    for (QLabel* l : {DBText1, DBText2, DBText3})
        l->hide();
    BitBtn3 = pushButton(QStringLiteral("OK"), "BitBtn3", this);
    BitBtn3->setDefault(true);
    BitBtn2 = pushButton(QStringLiteral("キャンセル"), "BitBtn2", this);
    BitBtn1 = pushButton(QStringLiteral("閉じる"), "BitBtn1", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label3, 0, 0);
    auto* service = new QHBoxLayout;
    service->addWidget(Label4, 1);
    service->addWidget(Button1);
    service->addWidget(Button2);
    grid->addLayout(service, 0, 1, 1, 2);
    grid->addWidget(Label5, 1, 1, 1, 2);
    grid->addWidget(Label1, 2, 0);
    grid->addWidget(Edit1, 2, 1, 1, 2);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(SpeedButton1, 3, 2);
    grid->addWidget(Label6, 4, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    grid->addLayout(buttons, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    setFixedHeight(210);
    setMinimumWidth(400);
    resize(int(m_dm.ctx().CFunc() * 600), 210);
    colourNotes();

    connect(Button1, &QPushButton::clicked, this, [this] {
        m_logic.Button1Click();
        render();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        m_logic.FormShow();
        render();
    });
    connect(SpeedButton1, &QToolButton::clicked, this, &TDBSetFrm::SpeedButton1Click);
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        collect();
        m_logic.BitBtn3Click();
        render();
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        m_logic.BitBtn2Click();
        render();
        reject();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    m_logic.FormShow();
    if (m_dm.FD_Message().isOpen()) {
        if (Result<OdsInfo> ods = m_dm.readOds(); ods.ok()) {
            DBText1->setText(QString::number(ods->major));
            DBText2->setText(QString::number(ods->minor));
            DBText3->setText(ods->databaseName);
        }
    }
    render();
}

void TDBSetFrm::colourNotes()
{
    const int style = m_dm.ctx().StyleNum;
    QColor colour = Qt::red;
    if (style == 1 || style == 3 || style == 4)
        colour = palette().color(QPalette::Link);
    else if (style == 2)
        colour = palette().color(QPalette::Highlight);
    for (QLabel* l : {Label5, Label6}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colour);
        l->setPalette(p);
    }
}

void TDBSetFrm::collect()
{
    m_logic.Edit1 = Edit1->text();
    m_logic.Edit2 = Edit2->text();
}

void TDBSetFrm::render()
{
    Label4->setText(m_logic.Label4);
    Button1->setVisible(m_logic.Button1Visible);
    Edit1->setText(m_logic.Edit1);
    Edit2->setText(m_logic.Edit2);
}

void TDBSetFrm::SpeedButton1Click()
{
    collect();
    platform::FileDialogOptions o;
    o.title = QStringLiteral("DB設定");
    o.filters = {{QStringLiteral("Firebird DBファイル (*.fdb)"), QStringLiteral("*.fdb")},
                 {QStringLiteral("InterBase DBファイル (*.gdb)"), QStringLiteral("*.gdb")},
                 {QStringLiteral("全てのファイル (*.*)"), QStringLiteral("*.*")}};
    const QFileInfo current(m_logic.Edit2);
    o.initialFolder = current.absolutePath();
    o.fileName = current.fileName();
    // A name that does not exist yet is allowed: it is offered as a new archive.
    o.confirmOverwrite = false;
    o.defaultSuffix = QStringLiteral("fdb");
    const std::optional<QString> chosen = m_dm.ctx().dialogs().saveFile(o);
    if (!chosen)
        return;
    const bool applied = m_logic.SpeedButton1Chosen(*chosen);
    render();
    if (applied)
        accept();
}

} // namespace lark::store::ui
