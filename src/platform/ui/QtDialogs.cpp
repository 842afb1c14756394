#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace lark::platform {

namespace {

QString boxText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace

QWidget* QtDialogs::parentWidget() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

void QtDialogs::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), boxText(text),
                    QMessageBox::Ok, parentWidget());
    box.exec();
}

void QtDialogs::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), boxText(text),
                    QMessageBox::Ok, parentWidget());
    box.exec();
}

Answer QtDialogs::confirm(const QString& text, Answer defaultButton)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), boxText(text),
                    QMessageBox::Yes | QMessageBox::No, parentWidget());
    box.setDefaultButton(defaultButton == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::NoButton);
    const int r = box.exec();
    if (r == QMessageBox::Yes)
        return Answer::Yes;
    if (r == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

QStringList QtDialogs::qtFilters(const QList<FileFilter>& filters)
{
    QStringList out;
    for (const FileFilter& f : filters) {
        // Qt takes the patterns from the parentheses at the end of each entry.
        const QString pattern = f.pattern == QLatin1String("*.*") ? QStringLiteral("*") : f.pattern;
        if (f.caption.endsWith(u')') && f.pattern != QLatin1String("*.*"))
            out << f.caption;
        else
            out << f.caption + QLatin1String(" (") + pattern + u')';
    }
    return out;
}

std::optional<FileDialogResult> QtDialogs::openFiles(const FileDialogOptions& o)
{
    QFileDialog dlg(parentWidget(), o.title, o.initialFolder);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(o.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = qtFilters(o.filters);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        dlg.selectNameFilter(filters.value(qBound(1, o.filterIndex, int(filters.size())) - 1));
    }
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    FileDialogResult r;
    r.files = dlg.selectedFiles();
    r.filterIndex = filters.indexOf(dlg.selectedNameFilter()) + 1;
    if (r.filterIndex <= 0)
        r.filterIndex = o.filterIndex;
    return r;
}

std::optional<QString> QtDialogs::saveFile(const FileDialogOptions& o)
{
    QFileDialog dlg(parentWidget(), o.title, o.initialFolder);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!o.confirmOverwrite)
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = qtFilters(o.filters);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        dlg.selectNameFilter(filters.value(qBound(1, o.filterIndex, int(filters.size())) - 1));
    }
    if (!o.defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(o.defaultSuffix);
    if (!o.fileName.isEmpty())
        dlg.selectFile(o.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<QString> QtDialogs::chooseFolder(const QString& title, const QString& initialFolder)
{
    const QString dir = QFileDialog::getExistingDirectory(parentWidget(), title, initialFolder);
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

} // namespace lark::platform
