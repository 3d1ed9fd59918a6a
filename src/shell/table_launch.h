#pragma once

#include "protocol/wire_text.h"

#include <QString>
#include <QStringList>

// What the "Host a Table" and "Join a Table" dialogs start: the same three parameters a lobby
// program gives, `NAME HOST true|false`. No widgets, so the rules are tested directly.
namespace lastling::shell {

inline constexpr int kMaxPlayerName = static_cast<int>(protocol::kMaxNameLength);
inline constexpr int kMaxAddress = 253;                  // the longest host name
inline constexpr int kMaxAddressEntry = kMaxAddress + 8; // ":PORT" and blanks around

struct TableLaunch {
    QStringList params; // empty when the entries are refused
    QString problem;    // why they are refused, in the player's words
    QString name;       // the entries as cleaned; remembered for the next time
    QString address;    // join only

    bool ok() const { return problem.isEmpty(); }
};

// Surrounding blanks go; what is left must be a name the wire can carry unchanged.
QString nameProblem(const QString& cleanedName);
// What a name longer than kMaxPlayerName is told.
QString nameLengthProblem();
// An IPv4 or IPv6 address ("[::1]" may keep its brackets) or a host name, with ":PORT" when
// the table is not on the game port ("192.0.2.7:7780", "[::1]:7780").
QString addressProblem(const QString& cleanedAddress);

TableLaunch hostTable(const QString& name);
TableLaunch joinTable(const QString& name, const QString& address);

} // namespace lastling::shell
