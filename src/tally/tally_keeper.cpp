#include "tally/tally_keeper.h"

#include <QCoreApplication>

namespace lastling::tally {

namespace {

QString fromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string latin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::string deleteQuestion(std::string_view name) {
    const QByteArray text =
        QCoreApplication::translate("TallyKeeper",
                                    "This will delete %1's Tally, Are you want to delete it?")
            .arg(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())))
            .toLatin1();
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

TallyKeeper::TallyKeeper(std::filesystem::path file, QObject* parent)
    : QObject(parent), m_file(std::move(file)) {}

// Everything is saved as it changes; only a save that failed is tried once more.
TallyKeeper::~TallyKeeper() {
    if (m_unsaved && mayWrite()) {
        saveTallyFile(m_table, m_file);
    }
}

TallyFileResult TallyKeeper::load() {
    TallyFileResult result = loadTallyFile(m_table, m_file);
    m_damagedInPlace = !result && result.damagedCopy.empty();
    m_selected.reset();
    emit changed();
    return result;
}

void TallyKeeper::loadchecklist(const std::vector<std::string>& seatNames, int myseat) {
    m_atTable.clear();
    for (std::size_t i = 0; i < seatNames.size(); ++i) {
        if (static_cast<int>(i) + 1 != myseat && seatNames[i] != kEmptySeat) {
            m_atTable.push_back(seatNames[i]);
        }
    }
    emit changed();
}

std::vector<CheckEntry> TallyKeeper::checklist() const {
    std::vector<CheckEntry> entries;
    for (const auto& name : m_atTable) {
        entries.push_back({name, m_table.isFollowed(name)});
    }
    return entries;
}

void TallyKeeper::checklistClickCheck(int index) {
    if (index < 0 || index >= static_cast<int>(m_atTable.size())) {
        return;
    }
    if (m_table.follow(m_atTable[static_cast<std::size_t>(index)])) {
        commit();
    } else {
        emit changed(); // already followed: the entry shows checked again
    }
}

bool TallyKeeper::listboxTallyUncheck(int index, YesNoQuestion& question) {
    if (index < 0 || index >= m_table.followedCount()) {
        return false;
    }
    if (!question.ask(deleteQuestion(m_table.followedName(index)))) {
        emit changed(); // No: the entry is checked again
        return false;
    }
    m_table.unfollow(index);
    if (m_selected == index) {
        m_selected.reset();
    } else if (m_selected && *m_selected > index) {
        --*m_selected;
    }
    commit();
    return true;
}

bool TallyKeeper::resetTally(YesNoQuestion& question) {
    if (!question.ask(std::string(kResetQuestion))) {
        return false;
    }
    m_table.reset();
    m_selected.reset();
    commit();
    return true;
}

void TallyKeeper::select(std::optional<int> index) {
    if (index && (*index < 0 || *index >= m_table.followedCount())) {
        index.reset();
    }
    m_selected = index;
    emit changed();
}

void TallyKeeper::addgame(std::string_view winner, const std::vector<std::string>& seatNames,
                          int myseat) {
    loadchecklist(seatNames, myseat);
    m_table.addgame(winner, m_atTable);
    commit();
}

OpponentPanel TallyKeeper::opponentPanel() const {
    OpponentPanel panel;
    // Until a player is picked the panel speaks of no one in particular.
    const QString name =
        m_selected ? fromLatin1(m_table.followedName(*m_selected)) : tr("Opponent");
    panel.heading = latin1(tr("%1's Tally").arg(name));
    panel.winsCaption = latin1(tr("%1 Wins:").arg(name));
    for (int column = 1; column <= 8; ++column) {
        panel.counts[static_cast<std::size_t>(column - 1)] =
            m_selected ? m_table.text(column, *m_selected + 1) : "0";
    }
    return panel;
}

// Never over a damaged file still in its place: the load has said so once already, and the
// player may still want the counts it holds.
bool TallyKeeper::mayWrite() {
    std::error_code error;
    m_damagedInPlace = m_damagedInPlace && std::filesystem::exists(m_file, error);
    return !m_damagedInPlace;
}

void TallyKeeper::save() {
    if (!mayWrite()) {
        m_unsaved = true;
        return;
    }
    const TallyFileResult saved = saveTallyFile(m_table, m_file);
    m_unsaved = !saved;
    if (!saved) {
        emit saveFailed(QString::fromLatin1(saved.message));
    }
}

void TallyKeeper::commit() {
    save();
    emit changed();
}

} // namespace lastling::tally
