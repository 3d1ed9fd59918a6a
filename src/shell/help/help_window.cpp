#include "shell/help/help_window.h"

#include "shell/help/window_place.h"

#include "help_pages.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace lastling::help {

namespace {

constexpr int kSideWidth = 137;

struct PageButton {
    int page; // also the number in the page's and the button's name
    int y;
    const char* caption;
};

// In the order they stand on the side panel.
constexpr std::array<PageButton, kPageCount> kPageButtons{{
    {1, 8, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "Overview")},
    {2, 32, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "Connecting")},
    {3, 56, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "Game Play")},
    {4, 80, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "Scoring")},
    {7, 104, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "Options")},
    {5, 128, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "Documentation")},
    {6, 152, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "License")},
    {8, 176, QT_TRANSLATE_NOOP("lastling::help::HelpWindow", "The Lobby")},
}};

// Page n's embedded file.
constexpr std::array<const char*, kPageCount> kPageFiles{"overview", "connecting",    "gameplay",
                                                         "scoring",  "documentation", "license",
                                                         "options",  "lobby"};

// Plain text as paragraphs that wrap with the page: blank lines part them.
QString asParagraphs(const QString& text) {
    QString html;
    for (const QString& paragraph : text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
        html +=
            QStringLiteral("<p>") + paragraph.simplified().toHtmlEscaped() + QStringLiteral("</p>");
    return html;
}

QString pageText(int page) {
    QString html = resources::helpPage(QLatin1String(kPageFiles[page - 1]));
    if (page == 6)
        html += asParagraphs(resources::licenceText());
    return html;
}

QPushButton* sideButton(QWidget* panel, const QString& name, const QString& caption, int y) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setGeometry(10, y, 117, 20);
    button->setFlat(true);
    button->setAutoDefault(false);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: #c8c8c8; border: 1px solid #8c8c8c; text-align: left;"
        " padding-left: 6px; } QPushButton:hover { background: #dcdcdc; }"
        " QPushButton:pressed { background: #b0b0b0; }"));
    return button;
}

// A longer language widens the panel, so that every caption is whole.
void fitSidePanel(QWidget& panel, QLabel* maker) {
    int width = kSideWidth - 20;
    for (const QPushButton* button : panel.findChildren<QPushButton*>()) {
        width = std::max(width, button->fontMetrics().horizontalAdvance(button->text()) + 16);
    }
    width = std::max(width, maker->sizeHint().width());
    for (QPushButton* button : panel.findChildren<QPushButton*>()) {
        button->resize(width, button->height());
    }
    maker->resize(width, maker->height());
    panel.setFixedWidth(width + 20);
}

QLabel* creditLine(QWidget* panel, const QString& text, int x, int y, int width) {
    auto* label = new QLabel(text, panel);
    label->setGeometry(x, y, width, 16);
    return label;
}

} // namespace

HelpWindow::HelpWindow(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                              Qt::WindowMaximizeButtonHint) {
    setObjectName(QStringLiteral("Thelp"));
    setSizeGripEnabled(true);
    setWindowTitle(tr("Lastling - Help File"));
    resize(571, 422);
    setMinimumSize(400, 422);
    useBackgroundTile(*this, "silver");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeSidePanel());
    layout->addWidget(makeMainPanel(), 1);
    showPage(1);
}

QWidget* HelpWindow::makeSidePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel_side"));
    panel->setFixedWidth(kSideWidth);
    for (const PageButton& entry : kPageButtons) {
        QPushButton* button = sideButton(panel, QStringLiteral("SelButton%1").arg(entry.page),
                                         tr(entry.caption), entry.y);
        connect(button, &QPushButton::clicked, this, [this, page = entry.page] { showPage(page); });
    }
    QPushButton* about = sideButton(panel, QStringLiteral("button_about"), tr("About"), 200);
    connect(about, &QPushButton::clicked, this, &HelpWindow::aboutRequested);

    creditLine(panel, QStringLiteral("Lastling"), 10, 328, 117);
    QLabel* maker = creditLine(panel, tr("by Korvel Software"), 10, 344, 117);
    QLabel* copyright = creditLine(panel, tr("Copyright \u00A9"), 10, 360, 0);
    QLabel* year = creditLine(panel, QString::number(QDate::currentDate().year()), 0, 360, 0);
    year->setObjectName(QStringLiteral("label_year"));
    placeInRow({copyright, year}, 10, 360, 4);

    QPushButton* done = sideButton(panel, QStringLiteral("button_done"), tr("Done"), 396);
    done->setStyleSheet(done->styleSheet().replace("text-align: left", "text-align: center"));
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    fitSidePanel(*panel, maker);
    return panel;
}

QWidget* HelpWindow::makeMainPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel_main"));
    m_caption = new QLabel(panel);
    m_caption->setObjectName(QStringLiteral("label_caption"));
    m_caption->setFixedHeight(20);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setStyleSheet(QStringLiteral("background: #DAD8CD; font-weight: bold;"));
    m_pages = new QStackedWidget(panel);
    for (int page = 1; page <= kPageCount; ++page)
        m_pages->addWidget(makePage(page));

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_pages, 1);
    return panel;
}

QTextBrowser* HelpWindow::makePage(int page) {
    auto* memo = new QTextBrowser(m_pages);
    memo->setObjectName(QStringLiteral("memo%1").arg(page));
    memo->setOpenExternalLinks(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, QColor(0xF9, 0xFA, 0xE7));
    palette.setColor(QPalette::Text, Qt::black);
    memo->setPalette(palette);
    memo->setHtml(pageText(page));
    memo->document()->setDocumentMargin(5);
    return memo;
}

void HelpWindow::showPage(int page) {
    for (const PageButton& entry : kPageButtons) {
        if (entry.page != page)
            continue;
        m_page = page;
        m_pages->setCurrentIndex(page - 1);
        m_caption->setText(tr(entry.caption));
    }
}

void HelpWindow::showHelp() {
    if (!isVisible())
        centreOver(*this, parentWidget());
    show();
    raise();
    activateWindow();
}

} // namespace lastling::help
