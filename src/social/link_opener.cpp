#include "social/link_opener.h"

#include <QDesktopServices>

namespace lastling::social {

bool DesktopLinkOpener::open(const QUrl& address) {
    return QDesktopServices::openUrl(address);
}

} // namespace lastling::social
