#include "shell/table_launch.h"

#include "net/table_address.h"

namespace lastling::shell {
namespace {

bool hasControl(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) {
            return true;
        }
    }
    return false;
}

} // namespace

QString nameLengthProblem() {
    return QStringLiteral("A name can have at most %1 characters.").arg(kMaxPlayerName);
}

QString nameProblem(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("Please enter your name.");
    }
    // "\xFF" is the wire's end byte.
    if (name.contains(u'+') || name.contains(u'|') || name.contains(QChar(0xFF)) ||
        hasControl(name)) {
        return QStringLiteral("A name cannot hold \"+\", \"|\", \"\u00FF\" or control characters.");
    }
    if (name.startsWith(u'-')) {
        return QStringLiteral("A name cannot begin with \"-\".");
    }
    if (name.toUcs4().size() > kMaxPlayerName) { // characters, not UTF-16 units
        return nameLengthProblem();
    }
    return {};
}

namespace {

netaddr::TableAddress parsed(const QString& address) {
    // Characters beyond Latin-1 become '?', which no address holds.
    return netaddr::parseTableAddress(address.toLatin1().toStdString());
}

} // namespace

QString addressProblem(const QString& address) {
    switch (parsed(address).error) {
    case netaddr::AddressError::None:
        return {};
    case netaddr::AddressError::Empty:
        return QStringLiteral("Please enter the host's address.");
    case netaddr::AddressError::Port:
        return QStringLiteral("In \"%1\", the port after \":\" must be a number from 1 to 65535.")
            .arg(address.left(40));
    case netaddr::AddressError::Host:
        break;
    }
    return QStringLiteral("\"%1\" is not an IPv4 or IPv6 address or a host name.")
        .arg(address.left(40));
}

TableLaunch hostTable(const QString& name) {
    TableLaunch launch;
    launch.name = name.trimmed();
    launch.problem = nameProblem(launch.name);
    if (launch.ok()) {
        // The host's own client always connects to the loopback address.
        launch.params = {launch.name, QStringLiteral("127.0.0.1"), QStringLiteral("true")};
    }
    return launch;
}

TableLaunch joinTable(const QString& name, const QString& address) {
    TableLaunch launch;
    launch.name = name.trimmed();
    launch.address = address.trimmed();
    launch.problem = nameProblem(launch.name);
    if (launch.ok()) {
        launch.problem = addressProblem(launch.address);
    }
    if (launch.ok()) {
        const std::string host = netaddr::tableAddressText(parsed(launch.address));
        launch.params = {launch.name,
                         QString::fromLatin1(host.data(), static_cast<qsizetype>(host.size())),
                         QStringLiteral("false")};
    }
    return launch;
}

} // namespace lastling::shell
