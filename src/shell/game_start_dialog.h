#pragma once

#include <QDialog>
#include <QPixmap>

class QSpinBox;
class QLabel;

namespace lastling::shell {

// A dialog of fixed size: a title and a close box, nothing to minimise or maximise.
inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

// "Lastling - Game Start": the target score and the START GAME button of a new game.
class GameStartDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumTarget = 10;
    static constexpr int kMaximumTarget = 500;
    static constexpr int kTargetStep = 10;

    GameStartDialog(const QPixmap& background, const QPixmap& startPicture,
                    QWidget* parent = nullptr);

    // The up-down position, chosen with the arrows or typed; values outside 10..500 are
    // brought into range.
    void setTarget(int target);
    int target() const;
    QString targetText() const; // the number as sent

    // Shows the dialog centred on `owner` without waiting for it.
    void showCentredOn(const QWidget* owner);

signals:
    // START GAME pressed: the dialog has hidden itself; the owner sends the start and saves.
    void startChosen(const QString& targetText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pressStart();

    QPixmap m_background;
    QSpinBox* m_target = nullptr;
    QLabel* m_start = nullptr;
};

} // namespace lastling::shell
