#pragma once
// The Qt implementation of the dialog interface: QMessageBox and QFileDialog.
#include "platform/Dialogs.h"

class QWidget;

namespace lark::platform {

class QtDialogs : public Dialogs {
public:
    // parent: the window the boxes are centred on (may change while the program runs).
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text) override;
    void error(const QString& text) override;
    Answer confirm(const QString& text, Answer defaultButton) override;
    std::optional<FileDialogResult> openFiles(const FileDialogOptions& options) override;
    std::optional<QString> saveFile(const FileDialogOptions& options) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) override;

    // "caption (pattern)" entries for QFileDialog.
    static QStringList qtFilters(const QList<FileFilter>& filters);

private:
    QWidget* parentWidget() const;
    QWidget* m_parent = nullptr;
};

} // namespace lark::platform
