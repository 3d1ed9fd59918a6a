#include "shell/table_launch.h"

#include <QHostAddress>
#include <QRegularExpression>

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

bool isLatin1(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            return false;
        }
    }
    return true;
}

QString withoutBrackets(const QString& address) {
    if (address.size() > 2 && address.startsWith(u'[') && address.endsWith(u']')) {
        return address.mid(1, address.size() - 2);
    }
    return address;
}

// The socket layer takes text with ':' as IPv6 and text that starts with a digit as dotted
// IPv4; anything else goes to the resolver as a name.
bool isUsableAddress(const QString& address) {
    if (address.contains(u':')) {
        QHostAddress parsed;
        return parsed.setAddress(address) && parsed.protocol() == QAbstractSocket::IPv6Protocol &&
               parsed.scopeId().isEmpty();
    }
    if (address.front().isDigit()) {
        static const QRegularExpression dotted(QStringLiteral(
            R"(^((25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)\.){3}(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)$)"));
        return dotted.match(address).hasMatch();
    }
    static const QRegularExpression name(QStringLiteral(
        R"(^[A-Za-z]([A-Za-z0-9_-]{0,62})?(\.[A-Za-z0-9_]([A-Za-z0-9_-]{0,62})?)*\.?$)"));
    return address.size() <= kMaxAddress && name.match(address).hasMatch();
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
    if (name.size() > kMaxPlayerName) {
        return nameLengthProblem();
    }
    if (!isLatin1(name)) {
        return QStringLiteral("A name can only hold Western European letters.");
    }
    return {};
}

QString addressProblem(const QString& address) {
    if (address.isEmpty()) {
        return QStringLiteral("Please enter the host's address.");
    }
    if (!isUsableAddress(withoutBrackets(address))) {
        return QStringLiteral("\"%1\" is not an IPv4 or IPv6 address or a host name.")
            .arg(address.left(40));
    }
    return {};
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
        launch.params = {launch.name, withoutBrackets(launch.address), QStringLiteral("false")};
    }
    return launch;
}

} // namespace lastling::shell
