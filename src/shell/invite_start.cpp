#include "shell/invite_start.h"

#include "net/invite_link.h"
#include "protocol/wire_text.h"
#include "settings/settings_file.h"

#include <QtGlobal>

namespace lastling::shell {

QString linkPlayerName(const std::filesystem::path& settingsFile) {
    const auto remembered = settings::readSettings(settingsFile);
    if (remembered) {
        // The file keeps the name in the wire's form.
        const QString last =
            QString::fromStdString(protocol::textToUtf8(remembered->lastname)).trimmed();
        if (nameProblem(last).isEmpty()) {
            return last;
        }
    }
    const QString account = qEnvironmentVariable("USER").trimmed();
    if (nameProblem(account).isEmpty()) {
        return account;
    }
    return QStringLiteral("Player");
}

TableLaunch joinFromLink(const QByteArray& link, const QString& name, int gamePort) {
    const std::string text(link.constData(), static_cast<std::size_t>(link.size()));
    const netaddr::InviteLink parsed =
        netaddr::parseInviteLink(text, static_cast<std::uint16_t>(gamePort));
    if (!parsed.ok()) {
        TableLaunch refused;
        refused.problem = QString::fromStdString(netaddr::linkProblem(parsed.error, text));
        return refused;
    }
    const std::string address = netaddr::endpointText(parsed.host, std::to_string(parsed.port));
    return joinTable(name,
                     QString::fromLatin1(address.data(), static_cast<qsizetype>(address.size())));
}

} // namespace lastling::shell
