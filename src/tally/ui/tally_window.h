#pragma once

#include "tally/tally_keeper.h"

#include <QDialog>

#include <array>
#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lastling::tally {

class ShareBar;
class TallyBar;

// "Lastling - Tally List": the own totals, the selected opponent's record with a picture of
// it, the players at the table to follow and the players followed. Draws what the keeper
// holds and hands each click to it; shown without waiting, hidden by "Done" or Escape.
class TallyWindow : public QDialog {
    Q_OBJECT
public:
    explicit TallyWindow(TallyKeeper& keeper, QWidget* parent = nullptr);
    ~TallyWindow() override;

    // Who answers the Yes/No questions; null gives the window's own message boxes back.
    void setQuestion(YesNoQuestion* question);

    // Shows the window centred on owner (or where it is, without one); does not wait.
    void showCentredOn(const QWidget* owner);

private:
    QWidget* buildOwnPanel();
    QWidget* buildOpponentPanel();
    QWidget* buildChart();
    QWidget* buildLists();
    void refresh();
    void refreshLists();
    void refreshChart();
    void checklistItemChanged(QListWidgetItem* item);
    void tallyItemChanged(QListWidgetItem* item);
    void tallyRowChanged(int row);
    void resetClicked();
    YesNoQuestion& question();

    TallyKeeper& m_keeper;
    std::unique_ptr<YesNoQuestion> m_ownQuestion;
    YesNoQuestion* m_question = nullptr;
    bool m_refreshing = false;

    std::array<QLabel*, 4> m_own{};
    std::array<QLabel*, 8> m_counts{};
    QLabel* m_hisNameTop = nullptr;
    QLabel* m_hisName = nullptr;
    ShareBar* m_share = nullptr;
    QWidget* m_chart = nullptr;
    QLabel* m_chartHint = nullptr;
    std::array<QLabel*, 2> m_groupTitles{};
    std::array<TallyBar*, 6> m_bars{};
    QListWidget* m_checklist = nullptr;
    QListWidget* m_tallied = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_done = nullptr;
};

} // namespace lastling::tally
