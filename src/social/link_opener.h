#pragma once

#include <QUrl>

namespace lastling::social {

// Opens a web address from the chat in the platform's browser.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual bool open(const QUrl& address) = 0;
};

class DesktopLinkOpener : public LinkOpener {
public:
    bool open(const QUrl& address) override;
};

} // namespace lastling::social
