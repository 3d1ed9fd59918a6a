#pragma once

#include "client/table_view.h"
#include "shell/pictures.h"

#include <QFrame>
#include <QString>

#include <array>

class QLabel;

namespace lastling::shell {

// The last finished trick laid over the middle of the table: each card with who played it,
// and who took it. A click, Enter, Space or Escape asks to hide it again.
class LastTrickPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 332; // with Normal cards at 1:1
    static constexpr int kHeight = 160;

    explicit LastTrickPanel(QWidget* parent = nullptr);

    // The table's scale and card look: the panel lays out its cards and texts for them. Its own
    // size is the owner's to give.
    void setLook(double scale, const CardLook& look);

    // Shows `trick` when `shown` and it holds cards; hides otherwise.
    void showTrick(const client::LastTrick& trick, bool shown);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeParts();

    double m_scale = 1.0;
    CardLook m_look;
    client::LastTrick m_trick;
    QLabel* m_title = nullptr;
    std::array<QLabel*, 4> m_cards{};
    std::array<QLabel*, 4> m_names{};
};

// "Last trick: Ann played Queen of Hearts, You played Two of Clubs, Bob took it"; empty
// when no trick has been taken.
QString lastTrickAccessibleName(const client::LastTrick& trick);

} // namespace lastling::shell
