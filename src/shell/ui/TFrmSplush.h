#pragma once
// The splash window: borderless, 297 by 297, centred, showing "Larkspur.jpg" from the program
// folder while the windows of the program are created.
#include <QWidget>

class QLabel;

namespace lark::shell {

class TFrmSplush : public QWidget {
    Q_OBJECT
public:
    explicit TFrmSplush(const QString& programFolder, QWidget* parent = nullptr);

    // Whether the picture file could be loaded (without it the splash shows its own drawing).
    bool pictureLoaded() const { return m_loaded; }
    QLabel* Image1 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void loadPicture();
    QString m_programFolder;
    bool m_loaded = false;
};

} // namespace lark::shell
