#include "history/game_export.h"

#include "cards/cards.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lastling::history {

namespace {

std::string dateText(std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"))
        .toStdString();
}

std::string seatName(const GameRecord& game, int seat) {
    if (seat < 1 || seat > 4) {
        return "seat " + std::to_string(seat);
    }
    return game.header.names[static_cast<std::size_t>(seat)];
}

std::string cardList(const std::vector<int>& cards) {
    std::string out;
    for (int card : cards) {
        out += (out.empty() ? "" : ", ") + cards::name(card);
    }
    return out;
}

std::vector<int> dealtHand(const RoundRecord& round, int seat) {
    std::vector<int> hand;
    for (int slot = 0; slot < 4; ++slot) {
        hand.push_back(round.deck[static_cast<std::size_t>(4 * seat - 3 + slot)]);
    }
    return hand;
}

QJsonArray numbers(const std::vector<int>& values) {
    QJsonArray array;
    for (int value : values) {
        array.append(value);
    }
    return array;
}

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

} // namespace

std::string roleText(Role role) {
    switch (role) {
    case Role::Solo:
        return "Solo";
    case Role::Hosting:
        return "Hosted";
    case Role::Joined:
        return "Joined";
    case Role::Watching:
        return "Watched";
    }
    return {};
}

std::string exportText(const GameRecord& game) {
    const GameHeader& h = game.header;
    std::string out = "Lastling game of " + dateText(h.startedMs) + "\n";
    out += "Table: " + roleText(h.role) + (h.table.empty() ? "" : " at " + h.table) + "\n";
    for (int seat = 1; seat <= 4; ++seat) {
        out += "Seat " + std::to_string(seat) + ": " + seatName(game, seat) +
               (seat == h.mySeat ? " (you)" : "") + "\n";
    }
    out += "Play to: " + std::to_string(h.target) + "\n";
    for (const RoundRecord& round : game.rounds) {
        out += "\nRound " + std::to_string(round.number) + ", trump " + cards::name(round.trump) +
               "\n";
        if (round.deck.size() == 52) {
            for (int seat = 1; seat <= 4; ++seat) {
                out += "  " + seatName(game, seat) + " was dealt " +
                       cardList(dealtHand(round, seat)) + "\n";
            }
        } else {
            out += "  The host did not show this round's deal.\n";
        }
        int number = 0;
        for (const TrickRecord& trick : round.tricks) {
            out += "  Trick " + std::to_string(++number) + ":";
            for (const PlayRecord& play : trick.plays) {
                out += " " + seatName(game, play.seat) + " " + cards::name(play.card) + ";";
            }
            out += " taken by " + seatName(game, trick.winner) + "\n";
        }
        if (round.winner != 0) {
            out += "  " + seatName(game, round.winner) + " won the round with " +
                   std::to_string(round.points) + " points (" + std::to_string(round.total) +
                   " in all)\n";
        } else {
            out += "  The round was not finished.\n";
        }
    }
    out += "\n";
    out += h.winnerSeat != 0
               ? "Winner: " + h.winnerName + " (seat " + std::to_string(h.winnerSeat) + ")\n"
               : std::string("The game was not finished.\n");
    return out;
}

QByteArray exportJson(const GameRecord& game) {
    const GameHeader& h = game.header;
    QJsonObject root;
    root["started"] = QDateTime::fromMSecsSinceEpoch(h.startedMs, Qt::UTC).toString(Qt::ISODate);
    root["role"] = text(roleText(h.role)).toLower();
    root["table"] = text(h.table);
    root["mySeat"] = h.mySeat;
    root["target"] = h.target;
    QJsonArray seats;
    for (int seat = 1; seat <= 4; ++seat) {
        seats.append(QJsonObject{{"seat", seat}, {"name", text(seatName(game, seat))}});
    }
    root["seats"] = seats;
    QJsonArray rounds;
    for (const RoundRecord& round : game.rounds) {
        QJsonObject r;
        r["number"] = round.number;
        r["trump"] = round.trump;
        r["deck"] = numbers(round.deck);
        r["salt"] = text(round.saltHex);
        QJsonArray tricks;
        for (const TrickRecord& trick : round.tricks) {
            QJsonArray plays;
            for (const PlayRecord& play : trick.plays) {
                plays.append(QJsonObject{{"seat", play.seat},
                                         {"card", play.card},
                                         {"name", text(cards::name(play.card))}});
            }
            tricks.append(QJsonObject{{"plays", plays}, {"winner", trick.winner}});
        }
        r["tricks"] = tricks;
        if (round.winner != 0) {
            r["result"] = QJsonObject{
                {"winner", round.winner}, {"points", round.points}, {"total", round.total}};
        } else {
            r["result"] = QJsonValue::Null;
        }
        rounds.append(r);
    }
    root["rounds"] = rounds;
    root["winner"] =
        h.winnerSeat != 0
            ? QJsonValue(QJsonObject{{"seat", h.winnerSeat}, {"name", text(h.winnerName)}})
            : QJsonValue(QJsonValue::Null);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace lastling::history
