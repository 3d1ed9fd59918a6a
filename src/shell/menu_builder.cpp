#include "shell/menu_builder.h"

#include "social/chat_panel.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace lastling::shell {
namespace {

using RadioItems = std::vector<std::tuple<QString, QString, int>>; // name, caption, tag

QAction* addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

QActionGroup* addRadioItems(QMenu* menu, const QString& title, const QString& name,
                            const RadioItems& items) {
    QMenu* submenu = menu->addMenu(title);
    submenu->menuAction()->setObjectName(name);
    auto* group = new QActionGroup(submenu);
    group->setExclusive(true);
    for (const auto& [itemName, caption, tag] : items) {
        QAction* item = addItem(submenu, itemName, caption);
        item->setCheckable(true);
        item->setData(tag);
        group->addAction(item);
    }
    return group;
}

QAction* addSwitch(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = addItem(menu, name, caption);
    item->setCheckable(true);
    item->setChecked(true);
    return item;
}

void buildFileMenu(QMenuBar& bar, MainMenus& menus) {
    QMenu* file = bar.addMenu(QCoreApplication::translate("MainMenus", "&File"));
    menus.startGame = addItem(file, QStringLiteral("StartGame1"),
                              QCoreApplication::translate("MainMenus", "&Start Game"));
    menus.startGame->setEnabled(false);
    menus.hostTable = addItem(file, QStringLiteral("HostTable1"),
                              QCoreApplication::translate("MainMenus", "&Host a Table..."));
    menus.joinTable = addItem(file, QStringLiteral("JoinTable1"),
                              QCoreApplication::translate("MainMenus", "&Join a Table..."));
    file->addSeparator();
    menus.exit =
        addItem(file, QStringLiteral("Exit1"), QCoreApplication::translate("MainMenus", "E&xit"));
}

void addChatCommands(QMenu* options, social::ChatPanel& chat) {
    // The chat's own commands take their access keys here, where they stand in the menu.
    chat.textColourAction()->setText(QCoreApplication::translate("MainMenus", "Text C&olor"));
    chat.scrollChatOffAction()->setText(
        QCoreApplication::translate("MainMenus", "Scroll Chat O&ff"));
    chat.clearAction()->setText(QCoreApplication::translate("MainMenus", "Cl&ear Main Chat"));
    QAction* colour = chat.textColourAction();
    colour->setObjectName(QStringLiteral("TextColor1"));
    options->addAction(colour);
    QMenu* sizes = options->addMenu(QCoreApplication::translate("MainMenus", "Text Si&ze"));
    sizes->menuAction()->setObjectName(QStringLiteral("TextSize1"));
    auto* group = new QActionGroup(sizes); // radio items, like the other choices
    group->setExclusive(true);
    for (QAction* size : chat.textSizeActions()) {
        size->setObjectName(QStringLiteral("N") + size->text());
        sizes->addAction(size);
        group->addAction(size);
    }
    QAction* scrollOff = chat.scrollChatOffAction();
    scrollOff->setObjectName(QStringLiteral("ScrollChatOff2"));
    options->addAction(scrollOff);
    QAction* clear = chat.clearAction();
    clear->setObjectName(QStringLiteral("ClearMainChat1"));
    options->addAction(clear);
}

// Each language is named in itself; the choice is read once, when the program starts.
QActionGroup* addLanguageItems(QMenu* options) {
    QMenu* submenu = options->addMenu(QCoreApplication::translate("MainMenus", "&Language"));
    submenu->menuAction()->setObjectName(QStringLiteral("Language1"));
    auto* group = new QActionGroup(submenu);
    group->setExclusive(true);
    const std::vector<std::tuple<QString, QString, QString>> items = {
        {QStringLiteral("LanguageSystem1"), QCoreApplication::translate("MainMenus", "&System"),
         QString()},
        {QStringLiteral("LanguageEnglish1"), QStringLiteral("&English"), QStringLiteral("en")},
        {QStringLiteral("LanguageGerman1"), QStringLiteral("&Deutsch"), QStringLiteral("de")},
        {QStringLiteral("LanguageFrench1"), QStringLiteral("&Fran\u00E7ais"),
         QStringLiteral("fr")}};
    for (const auto& [name, caption, code] : items) {
        QAction* item = addItem(submenu, name, caption);
        item->setCheckable(true);
        item->setData(code);
        group->addAction(item);
    }
    submenu->addSeparator();
    QAction* note =
        addItem(submenu, QStringLiteral("LanguageNote1"),
                QCoreApplication::translate("MainMenus", "Takes effect at the next start"));
    note->setEnabled(false);
    return group;
}

void buildOptionsMenu(QMenuBar& bar, social::ChatPanel& chat, MainMenus& menus) {
    QMenu* options = bar.addMenu(QCoreApplication::translate("MainMenus", "&Options"));
    menus.playSounds = addSwitch(options, QStringLiteral("PlaySounds1"),
                                 QCoreApplication::translate("MainMenus", "Play &Sounds"));
    menus.playerPhraseSounds =
        addSwitch(options, QStringLiteral("PlayerPhraseSounds1"),
                  QCoreApplication::translate("MainMenus", "Player &Phrase Sounds"));
    menus.notifications = addSwitch(options, QStringLiteral("Notifications1"),
                                    QCoreApplication::translate("MainMenus", "N&otifications"));
    menus.turnSound = addRadioItems(
        options, QCoreApplication::translate("MainMenus", "&Turn Sound"),
        QStringLiteral("TurnSound1"),
        {{QStringLiteral("Classic1"), QCoreApplication::translate("MainMenus", "&Classic"), 0},
         {QStringLiteral("New1"), QCoreApplication::translate("MainMenus", "&New"), 1}});
    menus.botSpeed = addRadioItems(
        options, QCoreApplication::translate("MainMenus", "&Bot Speed"),
        QStringLiteral("BotSpeed1"),
        {{QStringLiteral("Slow1"), QCoreApplication::translate("MainMenus", "&Slow"), 1000},
         {QStringLiteral("Normal1"), QCoreApplication::translate("MainMenus", "&Normal"), 500},
         {QStringLiteral("Fast1"), QCoreApplication::translate("MainMenus", "&Fast"), 250}});
    menus.botSkill = addRadioItems(
        options, QCoreApplication::translate("MainMenus", "Bot S&kill"),
        QStringLiteral("BotSkill1"),
        {{QStringLiteral("ClassicSkill1"), QCoreApplication::translate("MainMenus", "&Classic"), 0},
         {QStringLiteral("Smart1"), QCoreApplication::translate("MainMenus", "S&mart"), 1}});
    options->addSeparator();
    addChatCommands(options, chat);
    menus.resetScreenLocation =
        addItem(options, QStringLiteral("ResetScreenLocation1"),
                QCoreApplication::translate("MainMenus", "&Reset Screen Location"));
    menus.language = addLanguageItems(options);
    options->addSeparator();
    menus.justWatch = addItem(options, QStringLiteral("JustWatch1"),
                              QCoreApplication::translate("MainMenus", "&Just Watch"));
    menus.justWatch->setCheckable(true);
    checkTag(*menus.turnSound, 0);
    checkTag(*menus.botSpeed, 500);
    checkTag(*menus.botSkill, 0);
}

void buildViewAndHelpMenus(QMenuBar& bar, MainMenus& menus) {
    QMenu* view = bar.addMenu(QCoreApplication::translate("MainMenus", "&View"));
    menus.viewTally = addItem(view, QStringLiteral("ViewTally1"),
                              QCoreApplication::translate("MainMenus", "View &Tally"));
    menus.viewTally->setEnabled(false);
    menus.spyList = addItem(view, QStringLiteral("SpyList1"),
                            QCoreApplication::translate("MainMenus", "&Spy List"));
    menus.lastTrick = addItem(view, QStringLiteral("LastTrick1"),
                              QCoreApplication::translate("MainMenus", "&Last Trick"));
    menus.lastTrick->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menus.lastTrick->setCheckable(true);
    menus.hint =
        addItem(view, QStringLiteral("Hint1"), QCoreApplication::translate("MainMenus", "&Hint"));
    menus.hint->setShortcut(QKeySequence(Qt::Key_H));
    menus.hint->setEnabled(false);
    menus.phraseList = addItem(view, QStringLiteral("PrhaseList1"),
                               QCoreApplication::translate("MainMenus", "&Phrase List"));
    menus.phraseList->setEnabled(false);
    view->addSeparator();
    menus.fourColourDeck = addItem(view, QStringLiteral("FourColourDeck1"),
                                   QCoreApplication::translate("MainMenus", "&Four-Colour Deck"));
    menus.fourColourDeck->setCheckable(true);
    menus.cardSize = addRadioItems(
        view, QCoreApplication::translate("MainMenus", "&Card Size"), QStringLiteral("CardSize1"),
        {{QStringLiteral("CardNormal1"), QCoreApplication::translate("MainMenus", "&Normal"), 0},
         {QStringLiteral("CardLarge1"), QCoreApplication::translate("MainMenus", "&Large"), 1},
         {QStringLiteral("CardLargest1"), QCoreApplication::translate("MainMenus", "La&rgest"),
          2}});
    checkTag(*menus.cardSize, 0);
    QMenu* help = bar.addMenu(QCoreApplication::translate("MainMenus", "&Help"));
    menus.helpContent = addItem(help, QStringLiteral("Help2"),
                                QCoreApplication::translate("MainMenus", "&Content"));
    menus.helpContent->setShortcut(QKeySequence(Qt::Key_F1));
    menus.helpContent->setEnabled(false);
    help->addSeparator();
    menus.about =
        addItem(help, QStringLiteral("About1"), QCoreApplication::translate("MainMenus", "&About"));
    menus.about->setEnabled(false);
}

} // namespace

MainMenus buildMainMenus(QMenuBar& bar, social::ChatPanel& chat) {
    MainMenus menus;
    buildFileMenu(bar, menus);
    buildOptionsMenu(bar, chat, menus);
    buildViewAndHelpMenus(bar, menus);
    return menus;
}

void checkLanguage(QActionGroup& group, const QString& code) {
    for (QAction* item : group.actions()) {
        item->setChecked(item->data().toString() == code);
    }
}

void checkTag(QActionGroup& group, int tag) {
    for (QAction* item : group.actions()) {
        item->setChecked(item->data().toInt() == tag);
    }
}

} // namespace lastling::shell
