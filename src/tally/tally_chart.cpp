#include "tally/tally_chart.h"

#include "settings/counted_text.h"

#include <QCoreApplication>

#include <algorithm>

namespace lastling::tally {
namespace {

// Counts come from a file: a negative one draws as nothing.
int countAt(const TallyTable& table, int column, int row) {
    return std::max(table.count(column, row), 0);
}

QString fromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string latin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

ChartGroup group(const TallyTable& table, int row, int offset, const std::string& title) {
    const std::string name = table.text(kName, row);
    ChartGroup result;
    result.title = title;
    result.games = countAt(table, kGames + offset, row);
    const std::array<std::pair<std::string, int>, 3> parts{{
        {name, kHisWins},
        {latin1(QCoreApplication::translate("TallyChart", "You")), kMyWins},
        {latin1(QCoreApplication::translate("TallyChart", "Others")), kNeitherWon},
    }};
    int scale = std::max(result.games, 1);
    for (const auto& part : parts) {
        scale = std::max(scale, countAt(table, part.second + offset, row));
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        ChartBar& bar = result.bars[i];
        bar.caption = parts[i].first;
        bar.count = countAt(table, parts[i].second + offset, row);
        bar.scale = scale;
        const QString text =
            offset == 0 ? settings::countedText(
                              "TallyChart",
                              QT_TRANSLATE_N_NOOP("TallyChart", "%1 won %2 of %n game(s) together"),
                              result.games)
                        : settings::countedText(
                              "TallyChart",
                              QT_TRANSLATE_N_NOOP("TallyChart",
                                                  "%1 won %2 of %n game(s) together this session"),
                              result.games);
        bar.accessibleName = latin1(text.arg(fromLatin1(bar.caption)).arg(bar.count));
    }
    return result;
}

} // namespace

OpponentChart opponentChart(const TallyTable& table, int row) {
    if (row < 1 || row > table.followedCount()) {
        return {};
    }
    return {{group(table, row, 0, latin1(QCoreApplication::translate("TallyChart", "Total"))),
             group(table, row, kSessionOffset,
                   latin1(QCoreApplication::translate("TallyChart", "Session")))}};
}

ShareChart shareChart(const TallyTable& table) {
    ShareChart chart;
    chart.games = countAt(table, kOwnGames, 0);
    chart.wins = std::min(countAt(table, kOwnWins, 0), chart.games);
    if (chart.games > 0) {
        const long long games = chart.games;
        chart.percent = static_cast<int>((chart.wins * 200LL + games) / (2 * games));
    }
    chart.accessibleName = latin1(
        chart.games == 0
            ? QCoreApplication::translate(
                  "TallyChart", "No games finished yet; a fair share at a table of four is 25%")
            : settings::countedText(
                  "TallyChart",
                  QT_TRANSLATE_N_NOOP(
                      "TallyChart",
                      "You won %1 of %n game(s), %2%; a fair share at a table of four is 25%"),
                  chart.games)
                  .arg(chart.wins)
                  .arg(chart.percent));
    return chart;
}

} // namespace lastling::tally
