#pragma once

#include "tally/tally_file.h"
#include "tally/tally_table.h"

#include <QObject>
#include <QString>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::tally {

// The text of a seat nobody has taken, as the seat labels show it.
inline constexpr std::string_view kEmptySeat = "<Waiting>";

// A Yes/No question put to the player; the window asks with a message box, tests answer.
class YesNoQuestion {
public:
    virtual ~YesNoQuestion() = default;
    virtual bool ask(const std::string& text) = 0; // true for Yes
};

struct CheckEntry {
    std::string name;
    bool checked = false;
    bool operator==(const CheckEntry&) const = default;
};

// What the opponent panel shows: the selected opponent, or "Opponent" until one is picked.
struct OpponentPanel {
    std::string heading;               // label_hisnametop: "Klot's Tally"
    std::string winsCaption;           // label_hisname: "Klot Wins:"
    std::array<std::string, 8> counts; // label_1 .. label_8: columns 1..8
};

// Keeps the tally and its file for the tally window: who sits at the table now, whom the
// player follows, which opponent is selected, and the counts. Every change is saved at once
// (whole file or nothing), so neither a finished game nor a reset comes back after a crash.
class TallyKeeper : public QObject {
    Q_OBJECT
public:
    explicit TallyKeeper(std::filesystem::path file, QObject* parent = nullptr);
    ~TallyKeeper() override;

    // Reads the file; a damaged one leaves the empty tally and the message for the error box.
    // A damaged file that could not be moved aside is never saved over while it is there.
    TallyFileResult load();
    const TallyTable& table() const { return m_table; }
    const std::filesystem::path& file() const { return m_file; }

    // Rebuilds "Players In Current Game" from the seats' names (seat 1 first), leaving out
    // the own seat and empty seats.
    void loadchecklist(const std::vector<std::string>& seatNames, int myseat);
    std::vector<CheckEntry> checklist() const; // checked when followed
    std::vector<std::string> tallied() const { return m_table.followedNames(); }

    // A check box clicked in "Players In Current Game": follows that player if not yet.
    void checklistClickCheck(int index);
    // An entry of "Players Being Tallied" unchecked: asks, and on Yes stops following.
    bool listboxTallyUncheck(int index, YesNoQuestion& question);
    // "Reset Tally": asks, and on Yes clears the own totals and every followed opponent.
    bool resetTally(YesNoQuestion& question);

    void select(std::optional<int> index);
    std::optional<int> selected() const { return m_selected; }

    // One finished game while seated: "addtomine" when the player won, else the winner's name.
    void addgame(std::string_view winner, const std::vector<std::string>& seatNames, int myseat);

    std::string ownText(int column) const { return m_table.text(column, 0); } // mylabel_n
    OpponentPanel opponentPanel() const;

signals:
    void changed();
    void saveFailed(const QString& message);

private:
    bool mayWrite();
    void save();
    void commit();

    std::filesystem::path m_file;
    TallyTable m_table;
    std::vector<std::string> m_atTable;
    std::optional<int> m_selected;
    bool m_unsaved = false;
    bool m_damagedInPlace = false;
};

std::string deleteQuestion(std::string_view name);
inline constexpr std::string_view kResetQuestion = "Are you sure you want to reset the Tally?";

} // namespace lastling::tally
