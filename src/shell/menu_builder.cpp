#include "shell/menu_builder.h"

#include "social/chat_panel.h"

#include <QAction>
#include <QActionGroup>
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
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    menus.startGame = addItem(file, QStringLiteral("StartGame1"), QStringLiteral("&Start Game"));
    menus.startGame->setEnabled(false);
    menus.hostTable =
        addItem(file, QStringLiteral("HostTable1"), QStringLiteral("&Host a Table..."));
    menus.joinTable =
        addItem(file, QStringLiteral("JoinTable1"), QStringLiteral("&Join a Table..."));
    file->addSeparator();
    menus.exit = addItem(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"));
}

void addChatCommands(QMenu* options, social::ChatPanel& chat) {
    // The chat's own commands take their access keys here, where they stand in the menu.
    chat.textColourAction()->setText(QStringLiteral("Text C&olor"));
    chat.scrollChatOffAction()->setText(QStringLiteral("Scroll Chat O&ff"));
    chat.clearAction()->setText(QStringLiteral("Cl&ear Main Chat"));
    QAction* colour = chat.textColourAction();
    colour->setObjectName(QStringLiteral("TextColor1"));
    options->addAction(colour);
    QMenu* sizes = options->addMenu(QStringLiteral("Text Si&ze"));
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

void buildOptionsMenu(QMenuBar& bar, social::ChatPanel& chat, MainMenus& menus) {
    QMenu* options = bar.addMenu(QStringLiteral("&Options"));
    menus.playSounds =
        addSwitch(options, QStringLiteral("PlaySounds1"), QStringLiteral("Play &Sounds"));
    menus.playerPhraseSounds = addSwitch(options, QStringLiteral("PlayerPhraseSounds1"),
                                         QStringLiteral("Player &Phrase Sounds"));
    menus.notifications =
        addSwitch(options, QStringLiteral("Notifications1"), QStringLiteral("N&otifications"));
    menus.turnSound =
        addRadioItems(options, QStringLiteral("&Turn Sound"), QStringLiteral("TurnSound1"),
                      {{QStringLiteral("Classic1"), QStringLiteral("&Classic"), 0},
                       {QStringLiteral("New1"), QStringLiteral("&New"), 1}});
    menus.botSpeed =
        addRadioItems(options, QStringLiteral("&Bot Speed"), QStringLiteral("BotSpeed1"),
                      {{QStringLiteral("Slow1"), QStringLiteral("&Slow"), 1000},
                       {QStringLiteral("Normal1"), QStringLiteral("&Normal"), 500},
                       {QStringLiteral("Fast1"), QStringLiteral("&Fast"), 250}});
    menus.botSkill =
        addRadioItems(options, QStringLiteral("Bot S&kill"), QStringLiteral("BotSkill1"),
                      {{QStringLiteral("ClassicSkill1"), QStringLiteral("&Classic"), 0},
                       {QStringLiteral("Smart1"), QStringLiteral("S&mart"), 1}});
    options->addSeparator();
    addChatCommands(options, chat);
    menus.resetScreenLocation = addItem(options, QStringLiteral("ResetScreenLocation1"),
                                        QStringLiteral("&Reset Screen Location"));
    options->addSeparator();
    menus.justWatch = addItem(options, QStringLiteral("JustWatch1"), QStringLiteral("&Just Watch"));
    menus.justWatch->setCheckable(true);
    checkTag(*menus.turnSound, 0);
    checkTag(*menus.botSpeed, 500);
    checkTag(*menus.botSkill, 0);
}

void buildViewAndHelpMenus(QMenuBar& bar, MainMenus& menus) {
    QMenu* view = bar.addMenu(QStringLiteral("&View"));
    menus.viewTally = addItem(view, QStringLiteral("ViewTally1"), QStringLiteral("View &Tally"));
    menus.viewTally->setEnabled(false);
    menus.spyList = addItem(view, QStringLiteral("SpyList1"), QStringLiteral("&Spy List"));
    menus.lastTrick = addItem(view, QStringLiteral("LastTrick1"), QStringLiteral("&Last Trick"));
    menus.lastTrick->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menus.lastTrick->setCheckable(true);
    menus.hint = addItem(view, QStringLiteral("Hint1"), QStringLiteral("&Hint"));
    menus.hint->setShortcut(QKeySequence(Qt::Key_H));
    menus.hint->setEnabled(false);
    menus.phraseList = addItem(view, QStringLiteral("PrhaseList1"), QStringLiteral("&Phrase List"));
    menus.phraseList->setEnabled(false);
    view->addSeparator();
    menus.fourColourDeck =
        addItem(view, QStringLiteral("FourColourDeck1"), QStringLiteral("&Four-Colour Deck"));
    menus.fourColourDeck->setCheckable(true);
    menus.cardSize =
        addRadioItems(view, QStringLiteral("&Card Size"), QStringLiteral("CardSize1"),
                      {{QStringLiteral("CardNormal1"), QStringLiteral("&Normal"), 0},
                       {QStringLiteral("CardLarge1"), QStringLiteral("&Large"), 1},
                       {QStringLiteral("CardLargest1"), QStringLiteral("La&rgest"), 2}});
    checkTag(*menus.cardSize, 0);
    QMenu* help = bar.addMenu(QStringLiteral("&Help"));
    menus.helpContent = addItem(help, QStringLiteral("Help2"), QStringLiteral("&Content"));
    menus.helpContent->setShortcut(QKeySequence(Qt::Key_F1));
    menus.helpContent->setEnabled(false);
    help->addSeparator();
    menus.about = addItem(help, QStringLiteral("About1"), QStringLiteral("&About"));
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

void checkTag(QActionGroup& group, int tag) {
    for (QAction* item : group.actions()) {
        item->setChecked(item->data().toInt() == tag);
    }
}

} // namespace lastling::shell
