#include "TFrmSplush.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace lark::shell {

TFrmSplush::TFrmSplush(const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("FrmSplush"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(QStringLiteral("Meiryo UI"), 9));
    setFixedSize(297, 297);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    l->addWidget(Image1);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TFrmSplush::showEvent(QShowEvent* e)
{
    loadPicture();
    QWidget::showEvent(e);
}

void TFrmSplush::loadPicture()
{
    QPixmap pm(QDir(m_programFolder).filePath(QStringLiteral("Larkspur.jpg")));
    m_loaded = !pm.isNull();
    if (!m_loaded) {
        // A missing picture must not keep the program from starting: draw a plain one.
        pm = QPixmap(size());
        pm.fill(QColor(43, 63, 122));
        QPainter p(&pm);
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("Meiryo UI"), 20));
        p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("Larkspur"));
    }
    Image1->setPixmap(pm);
}

} // namespace lark::shell
