#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;

namespace lastling::help {

// The maker's web address, without its scheme; the logos of the main window open it too.
inline constexpr const char* kMakerAddress = "www.korvelsoftware.com";
QUrl makerSite(); // "http://" in front of the address

// "Lastling - About": logo, the maker's web address as a link, credits, and the version text
// that login sends.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    using Opener = std::function<void(const QUrl&)>;

    // `open` opens a web address (the desktop's browser when empty).
    explicit AboutWindow(QWidget* mainWindow = nullptr, Opener open = {});

    // Shows the window centred over the main window and brings it forward.
    void showAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_mainWindow;
    Opener m_open;
    QLabel* m_logo = nullptr;
    QLabel* m_link = nullptr;
};

// The about window's logo, 272 by 76.
QPixmap drawAboutLogo();

} // namespace lastling::help
