#include "shell/help/about_window.h"

#include "protocol/messages.h"
#include "shell/help/window_place.h"
#include "shell/pictures.h"

#include <QDate>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace lastling::help {

namespace {

QLabel* line(QWidget* parent, const QString& text, QRect place) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

} // namespace

QUrl makerSite() {
    return QUrl(QStringLiteral("http://") + QLatin1String(kMakerAddress));
}

QPixmap drawAboutLogo() {
    QPixmap logo(272, 76);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const auto& pictures = shell::Pictures::instance();
    const QPixmap& title = pictures.logo();
    painter.drawPixmap((logo.width() - title.width()) / 2, 2, title);
    // The four aces, small, under the name.
    const int cardWidth = shell::kCardWidth * 45 / 100;
    const int cardHeight = shell::kCardHeight * 45 / 100;
    const int left = (logo.width() - 4 * cardWidth - 3 * 6) / 2;
    for (int suit = 0; suit < 4; ++suit)
        painter.drawPixmap(QRect(left + suit * (cardWidth + 6), 28, cardWidth, cardHeight),
                           pictures.card(suit * 13 + 13));
    return logo;
}

AboutWindow::AboutWindow(QWidget* mainWindow, Opener open)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_mainWindow(mainWindow), m_open(std::move(open)) {
    if (!m_open)
        m_open = [](const QUrl& address) { QDesktopServices::openUrl(address); };
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(tr("Lastling - About"));
    setFixedSize(304, 174);
    useBackgroundTile(*this, "white");

    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("image_aboutlogo"));
    m_logo->setGeometry(16, 5, 272, 76);
    m_logo->setPixmap(drawAboutLogo());
    m_logo->setAccessibleName(tr("Korvel Software logo"));
    m_link = line(this, QLatin1String(kMakerAddress), {8, 88, 289, 16});
    m_link->setObjectName(QStringLiteral("label_url"));
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    for (QLabel* clickable : {m_logo, m_link}) {
        clickable->setCursor(Qt::PointingHandCursor);
        clickable->installEventFilter(this);
    }

    QLabel* slogan = line(this, tr("Lastling, the card game for four seats."), {8, 106, 289, 16});
    QLabel* copyright = line(this, tr("Copyright \u00A9"), {});
    QLabel* year = line(this, QString::number(QDate::currentDate().year()), {});
    year->setObjectName(QStringLiteral("label_year"));
    QLabel* maker = line(this, tr("Korvel Software. MIT License."), {});
    placeInRow({copyright, year, maker}, 8, 122, 4);

    QLabel* versionWord = line(this, tr("Version"), {});
    const QString versionText = QString::fromLatin1(
        protocol::kVersion.data(), static_cast<qsizetype>(protocol::kVersion.size()));
    QLabel* version = line(this, versionText, {});
    version->setObjectName(QStringLiteral("version"));
    QLabel* build = line(this, QStringLiteral(".0"), {});
    build->setObjectName(QStringLiteral("label_build"));
    placeInRow({versionWord}, 8, 150, 0);
    placeInRow({version, build}, versionWord->geometry().right() + 5, 150, 0);

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("button_done"));
    done->setGeometry(202, 148, 95, 20);
    // A longer language widens the window to its longest line; the rest keeps its place.
    const int textWidth =
        std::max({289, slogan->sizeHint().width(), maker->geometry().right() - 8 + 1});
    if (textWidth > 289) {
        setFixedSize(textWidth + 15, 174);
        slogan->resize(textWidth, 16);
        m_link->resize(textWidth, 16);
        done->move(width() - 102, 148);
    }
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
}

void AboutWindow::showAbout() {
    if (!isVisible())
        centreOver(*this, m_mainWindow);
    show();
    raise();
    activateWindow();
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_logo || watched == m_link) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_open(makerSite()); // the browser's answer is not ours to report
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lastling::help
