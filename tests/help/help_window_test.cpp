#include "shell/help/about_window.h"
#include "shell/help/help_window.h"

#include "help_pages.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>

namespace lastling::help {
namespace {

QString text(QWidget& window, const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}
void click(QWidget& window, const QString& name) {
    window.findChild<QPushButton*>(name)->click();
}
QString frontPage(QWidget& window) {
    return window.findChild<QStackedWidget*>()->currentWidget()->objectName();
}

TEST(HelpWindow, EachButtonBringsItsPageAndTitle) {
    const struct {
        const char* button;
        const char* page;
        const char* title;
        const char* mentions; // a word the page must hold
    } cases[] = {
        {"SelButton2", "memo2", "Connecting", "7772"},
        {"SelButton3", "memo3", "Game Play", "trump"},
        {"SelButton4", "memo4", "Scoring", "Ace"},
        {"SelButton7", "memo7", "Options", "Bot Speed"},
        {"SelButton5", "memo5", "Documentation", "1.0.1.0"},
        {"SelButton6", "memo6", "License", "MIT License"},
        {"SelButton8", "memo8", "The Lobby", "korvellobby"},
        {"SelButton1", "memo1", "Overview", "Lastling"},
    };
    HelpWindow help;
    help.showHelp();
    EXPECT_EQ(frontPage(help), "memo1");
    EXPECT_EQ(text(help, "label_caption"), "Overview");
    for (const auto& c : cases) {
        click(help, QString::fromLatin1(c.button));
        EXPECT_EQ(frontPage(help), QString::fromLatin1(c.page)) << c.button;
        EXPECT_EQ(text(help, "label_caption"), QString::fromLatin1(c.title)) << c.button;
        const auto* page = help.findChild<QTextBrowser*>(QString::fromLatin1(c.page));
        EXPECT_TRUE(page->toPlainText().contains(QString::fromLatin1(c.mentions))) << c.page;
    }
}

TEST(HelpWindow, OptionsPageCoversEveryChoice) {
    HelpWindow help;
    const QString options = help.findChild<QTextBrowser*>("memo7")->toPlainText().simplified();
    for (const char* mention :
         {"Bot Skill", "Smart", "Scroll Chat Off", "Clear Main Chat", "Last Trick", "Ctrl+L",
          "Ignore Chat", "Stop Ignoring", "Host a Table...", "Join a Table...", "Language",
          "The buttons P1 to P9 above the chat each send a ready-made line",
          "The tenth button, the note, opens the chatter sounds"}) {
        EXPECT_TRUE(options.contains(QString::fromLatin1(mention))) << mention;
    }
    EXPECT_FALSE(options.contains("the last one sends a chatter sound"));
}

// Each language has its own copy of every page; any other code reads the English ones.
TEST(HelpPages, ChosenByTheWindowsLanguage) {
    const struct {
        const char* code;
        const char* options; // a word of that language's options page
    } cases[] = {
        {"de", "Computerst\u00E4rke"}, {"fr", "Niveau de l'ordinateur"},
        {"en", "Bot Skill"},           {"", "Bot Skill"},
        {"xx", "Bot Skill"},           {"../de", "Bot Skill"},
        {"DE", "Bot Skill"},
    };
    for (const auto& c : cases) {
        resources::setHelpLanguage(QString::fromUtf8(c.code));
        EXPECT_TRUE(
            resources::helpPage(QStringLiteral("options")).contains(QString::fromUtf8(c.options)))
            << c.code;
    }
    for (const char* code : {"de", "fr"}) {
        resources::setHelpLanguage(QString::fromLatin1(code));
        for (const char* page : {"overview", "connecting", "gameplay", "scoring", "options",
                                 "documentation", "license", "lobby"}) {
            resources::setHelpLanguage({});
            const QString english = resources::helpPage(QString::fromLatin1(page));
            resources::setHelpLanguage(QString::fromLatin1(code));
            const QString translated = resources::helpPage(QString::fromLatin1(page));
            EXPECT_FALSE(translated.isEmpty()) << code << " " << page;
            EXPECT_NE(translated, english) << code << " " << page;
        }
    }
    resources::setHelpLanguage({});
}

TEST(HelpWindow, KeepsThePageInFrontBetweenOpenings) {
    HelpWindow help;
    help.showHelp();
    click(help, "SelButton6");
    click(help, "button_done");
    EXPECT_FALSE(help.isVisible());

    help.showHelp();

    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(frontPage(help), "memo6");
    EXPECT_EQ(text(help, "label_caption"), "License");
}

TEST(AboutWindow, ShowsVersionYearAndOpensTheMakersSite) {
    QList<QUrl> opened;
    AboutWindow about(nullptr, [&](const QUrl& address) { opened << address; });
    HelpWindow help;
    QSignalSpy aboutAsked(&help, &HelpWindow::aboutRequested);
    about.showAbout();

    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_EQ(text(about, "label_year"), year);
    EXPECT_EQ(text(help, "label_year"), year);
    EXPECT_EQ(text(about, "version"), "1.0.1");
    EXPECT_EQ(text(about, "label_build"), ".0");
    QTest::mouseClick(about.findChild<QLabel*>("label_url"), Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{QUrl("http://www.korvelsoftware.com")});
    click(help, "button_about");
    EXPECT_EQ(aboutAsked.count(), 1);
}

} // namespace
} // namespace lastling::help
