#pragma once

#include "shell/table_launch.h"

#include <QByteArray>
#include <QString>

#include <filesystem>

// A start from an invitation link ("lastling://203.0.113.7:7772"): the same three parameters
// "Join a Table..." gives, under the name the player last used. No widgets.
namespace lastling::shell {

// The last name used in "Host a Table" or "Join a Table"; else the account's name, when it is
// one the wire carries unchanged; else "Player".
QString linkPlayerName(const std::filesystem::path& settingsFile);

// `link` as the command line or a running copy's channel gives it; `gamePort` for a link
// that names no port. A link that cannot be used gives the player's words in `problem`.
TableLaunch joinFromLink(const QByteArray& link, const QString& name, int gamePort = 7772);

} // namespace lastling::shell
