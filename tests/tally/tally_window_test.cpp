#include "tally/ui/tally_window.h"

#include "tally_answers.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace lastling::tally;

namespace {

using lastling::tally::fakes::Answers;
using Names = std::vector<std::string>;

const Names kSeats{"Me", "Klot", "Bot 3", "Anna"}; // the player sits at seat 1

class TallyWindowTest : public testing::Test, protected test_support::TempFolder {
protected:
    TallyWindowTest()
        : TempFolder("tally-window"), m_keeper(m_dir / "Lastlingtally.tld"), m_window(m_keeper) {
        m_keeper.load();
        m_window.setQuestion(&m_answers);
    }

    QString text(const char* name) const {
        const auto* label = m_window.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_TRUE(label) << name;
        return label ? label->text() : QString();
    }
    QStringList texts(const QString& prefix, int first, int last) const {
        QStringList result;
        for (int n = first; n <= last; ++n) {
            result << text((prefix + QString::number(n)).toLatin1().constData());
        }
        return result;
    }
    QListWidget* list(const char* name) const {
        return m_window.findChild<QListWidget*>(QString::fromLatin1(name));
    }
    static QStringList entries(const QListWidget* list) {
        QStringList result;
        for (int row = 0; row < list->count(); ++row) {
            const bool checked = list->item(row)->checkState() == Qt::Checked;
            result << list->item(row)->text() + (checked ? "+" : "-");
        }
        return result;
    }
    void showActive() {
        m_window.showCentredOn(nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    // Presses Space on a list entry and lets the window hand the click on.
    void spaceOn(QListWidget* target, int row) {
        target->setFocus();
        target->setCurrentRow(row);
        QTest::keyClick(target, Qt::Key_Space);
        QCoreApplication::processEvents();
    }

    TallyKeeper m_keeper;
    TallyWindow m_window;
    Answers m_answers;
};

TEST_F(TallyWindowTest, FirstRunShowsZerosAndEmptyLists) {
    EXPECT_EQ(m_window.windowTitle(), "Lastling - Tally List");
    EXPECT_EQ(m_window.size(), QSize(475, 347));
    EXPECT_EQ(m_window.minimumSize(), m_window.maximumSize());
    EXPECT_EQ(m_window.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(texts("mylabel_", 1, 4), QStringList(4, "0"));
    EXPECT_EQ(texts("label_", 1, 8), QStringList(8, "0"));
    m_window.show();
    for (const char* hidden : {"mylabel_3", "mylabel_4"}) {
        EXPECT_FALSE(m_window.findChild<QLabel*>(hidden)->isVisible()) << hidden;
    }
    EXPECT_EQ(list("checklist")->count(), 0);
    EXPECT_EQ(list("listbox_tally")->count(), 0);
    // A screen reader hears which list each heading names.
    for (const auto& [name, caption] : {std::pair{"checklist", "Players In Current Game"},
                                        std::pair{"listbox_tally", "Players Being Tallied"}}) {
        const auto headings = m_window.findChildren<QLabel*>();
        const auto heading = std::find_if(headings.begin(), headings.end(),
                                          [&](QLabel* l) { return l->text() == caption; });
        ASSERT_NE(heading, headings.end()) << caption;
        const auto named =
            QAccessible::queryAccessibleInterface(*heading)->relations(QAccessible::Labelled);
        ASSERT_EQ(named.size(), 1) << name;
        EXPECT_EQ(named.first().first->object(), list(name)) << name;
    }
    EXPECT_FALSE(m_window.findChild<QWidget*>("chart_bar_0_0")->isVisible());
    EXPECT_EQ(m_window.findChild<QWidget*>("chart_share")->accessibleName(),
              "No games finished yet; a fair share at a table of four is 25%");
}

struct ShownCase {
    const char* name;
    std::string winner;
    QStringList own;  // mylabel_1, mylabel_2
    QStringList klot; // label_1 .. label_8
};

class TallyWindowGame : public TallyWindowTest, public testing::WithParamInterface<ShownCase> {};

// Klot is followed and selected: a game is shown in the open window at once.
TEST_P(TallyWindowGame, LabelsFollowAtOnce) {
    m_keeper.loadchecklist(kSeats, 1);
    m_keeper.checklistClickCheck(0);
    m_keeper.select(0);
    m_window.show();
    m_keeper.addgame(GetParam().winner, kSeats, 1);
    EXPECT_EQ(texts("mylabel_", 1, 2), GetParam().own);
    EXPECT_EQ(texts("label_", 1, 8), GetParam().klot);
    EXPECT_EQ(text("label_hisnametop"), "Klot's Tally");
    EXPECT_EQ(text("label_hisname"), "Klot Wins:");
}

const QStringList kNoGame{"0", "0", "0", "0", "0", "0", "0", "0"};

INSTANTIATE_TEST_SUITE_P(
    Cases, TallyWindowGame,
    testing::Values(
        ShownCase{"FollowedWins", "Klot", {"1", "0"}, {"1", "1", "0", "0", "1", "1", "0", "0"}},
        ShownCase{"OwnWin", "addtomine", {"1", "1"}, {"1", "0", "1", "0", "1", "0", "1", "0"}},
        ShownCase{"ThirdWins", "Anna", {"1", "0"}, {"1", "0", "0", "1", "1", "0", "0", "1"}},
        // The winner's name must match exactly: "klot" is somebody else.
        ShownCase{
            "WinnerCaseMatters", "klot", {"1", "0"}, {"1", "0", "0", "1", "1", "0", "0", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TallyWindowTest, SoloWinCountsOwnTotalsOnly) {
    m_keeper.addgame("addtomine", {"Me", "Bot 2", "Bot 3", "Bot 4"}, 1);
    EXPECT_EQ(texts("mylabel_", 1, 4), (QStringList{"1", "1", "0", "0"}));
    EXPECT_EQ(texts("label_", 1, 8), kNoGame);
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Bot 2-", "Bot 3-", "Bot 4-"}));
    EXPECT_EQ(list("listbox_tally")->count(), 0);
}

TEST_F(TallyWindowTest, SpaceFollowsAndUnfollowsAfterTheQuestion) {
    showActive();
    m_keeper.loadchecklist(kSeats, 1);
    spaceOn(list("checklist"), 1);
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Klot-", "Bot 3+", "Anna-"}));
    EXPECT_EQ(entries(list("listbox_tally")), QStringList{"Bot 3+"});
    spaceOn(list("checklist"), 1); // unchecking there does not stop following
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Klot-", "Bot 3+", "Anna-"}));
    EXPECT_TRUE(m_answers.asked.empty());

    m_answers.answers = {false, true};
    spaceOn(list("listbox_tally"), 0);
    EXPECT_EQ(m_answers.asked, Names{"This will delete Bot 3's Tally, Are you want to delete it?"});
    EXPECT_EQ(entries(list("listbox_tally")), QStringList{"Bot 3+"});
    spaceOn(list("listbox_tally"), 0);
    EXPECT_EQ(list("listbox_tally")->count(), 0);
    EXPECT_EQ(entries(list("checklist")), (QStringList{"Klot-", "Bot 3-", "Anna-"}));
}

TEST_F(TallyWindowTest, SelectingFillsPanelAndChart) {
    m_keeper.loadchecklist(kSeats, 1);
    m_keeper.checklistClickCheck(0);
    m_keeper.addgame("Klot", kSeats, 1);
    m_keeper.addgame("addtomine", kSeats, 1);
    m_keeper.addgame("Anna", kSeats, 1);
    m_window.show();
    list("listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(m_keeper.selected(), 0);
    EXPECT_EQ(texts("label_", 1, 4), (QStringList{"3", "1", "1", "1"}));
    QStringList names;
    for (const char* bar : {"chart_bar_0_0", "chart_bar_0_1", "chart_bar_0_2", "chart_bar_1_2"}) {
        const auto* widget = m_window.findChild<QWidget*>(bar);
        EXPECT_TRUE(widget->isVisible()) << bar;
        names << widget->accessibleName();
    }
    EXPECT_EQ(names, (QStringList{"Klot won 1 of 3 games together", "You won 1 of 3 games together",
                                  "Others won 1 of 3 games together",
                                  "Others won 1 of 3 games together this session"}));
    EXPECT_EQ(m_window.findChild<QWidget*>("chart_share")->accessibleName(),
              "You won 1 of 3 games, 33%; a fair share at a table of four is 25%");
}

TEST_F(TallyWindowTest, ResetButtonAsksThenClears) {
    m_keeper.loadchecklist(kSeats, 1);
    m_keeper.checklistClickCheck(0);
    m_keeper.addgame("addtomine", kSeats, 1);
    m_keeper.select(0);
    auto* reset = m_window.findChild<QPushButton*>("button_reset");
    m_answers.answers = {false, true};
    reset->click();
    EXPECT_EQ(texts("mylabel_", 1, 2), (QStringList{"1", "1"}));
    reset->click();
    EXPECT_EQ(m_answers.asked, Names(2, "Are you sure you want to reset the Tally?"));
    EXPECT_EQ(texts("mylabel_", 1, 2), (QStringList{"0", "0"}));
    EXPECT_EQ(texts("label_", 1, 8), kNoGame);
    EXPECT_EQ(list("listbox_tally")->count(), 0);
}

TEST_F(TallyWindowTest, TabReachesEveryControlAndEscapeOrDoneHides) {
    showActive();
    const QStringList order{"checklist", "listbox_tally", "button_reset", "button_done"};
    list("checklist")->setFocus();
    QStringList reached;
    for (int i = 0; i < order.size(); ++i) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(reached, order);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "checklist");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(m_window.isVisible());
    showActive();
    m_window.findChild<QPushButton*>("button_done")->click();
    EXPECT_FALSE(m_window.isVisible());
}

} // namespace
