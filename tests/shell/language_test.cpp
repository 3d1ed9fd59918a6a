// The window in another language: in a pseudo-language every text it shows is translated and
// fits its place; under LANGUAGE=de it speaks German, Qt's own buttons included.
#include "client/table_model.h"
#include "settings/settings_file.h"
#include "shell/board.h"
#include "shell/game_start_dialog.h"
#include "shell/help/about_window.h"
#include "shell/help/help_window.h"
#include "shell/history_keeper.h"
#include "shell/history_window.h"
#include "shell/invite_friends.h"
#include "shell/main_window.h"
#include "shell/spy_list_dialog.h"
#include "shell/table_dialogs.h"
#include "shell/window_program.h"
#include "social/phrase_editor.h"
#include "start/start_dialog.h"
#include "tally/ui/tally_window.h"
#include "ui_language.h"

#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTreeWidget>

#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lastling::shell {
namespace {

// Texts that are the same in every language: the program's name, the languages named in
// themselves, the maker's address.
bool needsNoTranslation(const QString& text) {
    static const QStringList fixed = {QStringLiteral("Lastling"), QStringLiteral("&English"),
                                      QStringLiteral("&Deutsch"), QStringLiteral("&Fran\u00E7ais"),
                                      QStringLiteral("www.korvelsoftware.com")};
    const bool hasLetter =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    return !hasLetter || fixed.contains(text) || text.startsWith(QStringLiteral("http"));
}

QString plain(const QLabel& label) {
    if (label.textFormat() == Qt::PlainText || !Qt::mightBeRichText(label.text())) {
        return label.text();
    }
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

// OK, Cancel and the like come from Qt's own catalogue, which the German test checks.
bool isStandardButton(const QAbstractButton& button) {
    const auto* box = qobject_cast<const QDialogButtonBox*>(button.parentWidget());
    return box != nullptr &&
           box->standardButton(const_cast<QAbstractButton*>(&button)) != QDialogButtonBox::NoButton;
}

QString withoutAccessKey(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// What a widget shows, and how much width its text has.
struct ShownText {
    QString text;
    int needed = 0;
    int room = 0;
    bool wraps = false;
    int neededHeight = 0;
    int roomHeight = 0;
};

std::vector<ShownText> shownTexts(QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    const QRect inside = widget.contentsRect();
    std::vector<ShownText> shown;
    if (auto* label = qobject_cast<QLabel*>(&widget); label && label->pixmap().isNull()) {
        const QString text =
            label->buddy() != nullptr ? withoutAccessKey(plain(*label)) : plain(*label);
        ShownText entry{text, metrics.horizontalAdvance(text), inside.width()};
        if (label->wordWrap()) {
            entry.wraps = true;
            entry.neededHeight =
                metrics.boundingRect(QRect(0, 0, inside.width(), 100000), Qt::TextWordWrap, text)
                    .height();
            entry.roomHeight = inside.height();
        }
        shown.push_back(entry);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget);
               button && !isStandardButton(*button)) {
        const QString text = withoutAccessKey(button->text());
        int frame = 8; // a push button's own margins
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            frame = widget.style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                    widget.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        }
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        shown.push_back({text, metrics.horizontalAdvance(text) + frame + icon, button->width()});
    } else if (auto* box = qobject_cast<QGroupBox*>(&widget)) {
        shown.push_back({box->title(), metrics.horizontalAdvance(box->title()), box->width()});
    } else if (auto* field = qobject_cast<QLineEdit*>(&widget)) {
        shown.push_back({field->placeholderText(), 0, 0});
    } else if (auto* tree = qobject_cast<QTreeWidget*>(&widget)) {
        for (int column = 0; column < tree->columnCount(); ++column) {
            shown.push_back({tree->headerItem()->text(column),
                             tree->header()->sectionSizeHint(column),
                             tree->header()->sectionSize(column)});
        }
    }
    return shown;
}

void collectMenu(const QMenu& menu, QStringList& texts) {
    for (QAction* item : menu.actions()) {
        if (item->isSeparator() || !item->isVisible()) {
            continue;
        }
        texts << item->text();
        if (item->menu() != nullptr) {
            collectMenu(*item->menu(), texts);
        }
    }
}

// Every visible text of `window` and its children: the untranslated ones and those cut short.
void checkWindow(QWidget& window, std::vector<std::string>& untranslated,
                 std::vector<std::string>& cut) {
    const std::string where = window.objectName().toStdString() + " ";
    const auto check = [&](const QString& text, const std::string& what) {
        if (!text.isEmpty() && !needsNoTranslation(text) && !text.contains(QLatin1Char('['))) {
            untranslated.push_back(where + what + ": " + text.toStdString());
        }
    };
    check(window.windowTitle(), "title");
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window) || child->isWindow()) {
            continue;
        }
        const std::string what =
            child->metaObject()->className() + std::string(" ") + child->objectName().toStdString();
        for (const ShownText& shown : shownTexts(*child)) {
            check(shown.text, what);
            if (shown.text.isEmpty() || needsNoTranslation(shown.text)) {
                continue;
            }
            if (shown.wraps ? shown.neededHeight > shown.roomHeight : shown.needed > shown.room) {
                cut.push_back(where + what + ": " + shown.text.toStdString() + " needs " +
                              std::to_string(shown.wraps ? shown.neededHeight : shown.needed) +
                              ", has " +
                              std::to_string(shown.wraps ? shown.roomHeight : shown.room));
            }
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        QStringList items;
        for (QMenu* menu : main->menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
            items << menu->title();
            collectMenu(*menu, items);
        }
        // The menus of the table: the chatter sounds, the chat's own.
        for (QMenu* menu : main->findChildren<QMenu*>()) {
            collectMenu(*menu, items);
        }
        for (const QString& item : items) {
            check(item, "menu item");
        }
    }
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "\n  " + line;
    }
    return text;
}

class PseudoLanguage : public testing::WindowFixture {
protected:
    void SetUp() override { ASSERT_TRUE(m_translations.installFile(LASTLING_PSEUDO_QM)); }

    language::Translations m_translations;
};

TEST_F(PseudoLanguage, EveryWindowShowsTranslatedTextsThatFit) {
    MainWindow window(options());
    const SideWindows sides = addSideWindows(window);
    window.show();
    // A seat's name, a score and the start button, as a hosting player sees them.
    client::TableModel& model = window.client().model();
    model.setHostControls(true);
    model.notifyChanged();
    const std::unique_ptr<QMenu> seatMenu = window.makeSeatMenu(1);
    seatMenu->setParent(&window, Qt::Popup);
    TableDialog join(TableDialog::Kind::Join, {}, {}, &window);
    join.setObjectName(QStringLiteral("join"));
    TableDialog host(TableDialog::Kind::Host, {}, {}, &window);
    host.setObjectName(QStringLiteral("host"));
    InviteDialog invite(&window);
    invite.setObjectName(QStringLiteral("invite"));
    window.historyKeeper().open();
    QWidget* history = window.historyKeeper().window();
    const std::vector<QWidget*> windows = {&window,
                                           &window.gameStartDialog(),
                                           window.findChild<SpyListDialog*>(),
                                           sides.tally,
                                           sides.about,
                                           sides.help,
                                           sides.start,
                                           sides.phraseEditor,
                                           &join,
                                           &host,
                                           &invite,
                                           history};
    std::vector<std::string> untranslated;
    std::vector<std::string> cut;
    for (QWidget* shown : windows) {
        ASSERT_NE(shown, nullptr);
        shown->show();
        QCoreApplication::processEvents();
        checkWindow(*shown, untranslated, cut);
        if (shown != &window) {
            shown->hide();
        }
    }
    EXPECT_TRUE(untranslated.empty()) << "not translated:" << joined(untranslated);
    EXPECT_TRUE(cut.empty()) << "cut short:" << joined(cut);
}

// The first wanted language the program ships wins, by its language alone; English is the
// last resort, and Qt's own catalogue comes with ours.
TEST(UiLanguage, FirstShippedLanguageWins) {
    const struct {
        QStringList wanted;
        const char* shown;
        const char* file;   // "File" in that language
        const char* cancel; // Qt's own "Cancel"
    } cases[] = {
        {{"de-AT"}, "de", "&Datei", "Abbrechen"}, {{"pt-BR", "fr_CA"}, "fr", "&Fichier", "Annuler"},
        {{"en", "de"}, "en", "&File", "Cancel"},  {{"DE"}, "de", "&Datei", "Abbrechen"},
        {{"pt"}, "en", "&File", "Cancel"},        {{}, "en", "&File", "Cancel"},
    };
    for (const auto& c : cases) {
        language::Translations translations;
        EXPECT_EQ(translations.install(c.wanted), c.shown) << c.wanted.join(',').toStdString();
        EXPECT_EQ(QCoreApplication::translate("MainMenus", "&File"), c.file) << c.shown;
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), c.cancel) << c.shown;
    }
    EXPECT_EQ(QCoreApplication::translate("MainMenus", "&File"), "&File"); // all removed again

    // The English catalogue holds English's own plural forms.
    language::Translations english;
    ASSERT_EQ(english.install({QStringLiteral("en")}), "en");
    for (const auto& [count, text] : {std::pair{1, "Ann: 1 point"}, std::pair{2, "Ann: 2 points"},
                                      std::pair{0, "Ann: 0 points"}}) {
        EXPECT_EQ(
            QCoreApplication::translate("lastling::shell::Board", "%1: %n point(s)", nullptr, count)
                .arg(QStringLiteral("Ann")),
            text);
    }
    EXPECT_EQ(language::wantedLanguages(QStringLiteral("fr")), QStringList{"fr"});
}

TEST(UiLanguage, SavedChoiceIsAShippedCodeOrNothing) {
    const struct {
        const char* file;
        const char* choice;
    } cases[] = {
        {"[Lastling]\nLanguage=de\n", "de"}, {"[lastling]\nlanguage = FR\n", "fr"},
        {"[Lastling]\nLanguage=en\n", "en"}, {"[Lastling]\nLanguage=\n", ""},
        {"[Lastling]\nLanguage=xx\n", ""},   {"[Lastling]\nLanguage=de/../fr\n", ""},
        {"[Other]\nLanguage=de\n", ""},      {"", ""},
    };
    QTemporaryDir folder;
    const std::filesystem::path file =
        folder.filePath(QStringLiteral("korvlobby.ini")).toStdString();
    EXPECT_EQ(language::savedChoice(file), "") << "no file";
    for (const auto& c : cases) {
        std::ofstream(file) << c.file;
        EXPECT_EQ(language::savedChoice(file), c.choice) << c.file;
    }
}

// Options > Language keeps the choice for the next start and changes nothing shown now.
class LanguageMenu : public testing::WindowFixture {};

TEST_F(LanguageMenu, ChoiceIsKeptForTheNextStart) {
    const WindowOptions kept = options();
    const std::filesystem::path file = kept.settingsPath.toStdString();
    MainWindow window(kept);
    EXPECT_TRUE(window.action(QStringLiteral("LanguageSystem1"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("LanguageNote1"))->isEnabled());
    const struct {
        const char* item;
        const char* saved;
    } cases[] = {{"LanguageGerman1", "de"},
                 {"LanguageFrench1", "fr"},
                 {"LanguageEnglish1", "en"},
                 {"LanguageSystem1", ""},
                 {"LanguageGerman1", "de"}};
    for (const auto& c : cases) {
        window.action(QString::fromLatin1(c.item))->trigger();
        EXPECT_EQ(settings::readSettingText(file, language::kSettingKey).value_or("?"), c.saved)
            << c.item;
        EXPECT_EQ(window.windowTitle(), "Lastling by Korvel Software");
    }
    MainWindow next(kept);
    EXPECT_TRUE(next.action(QStringLiteral("LanguageGerman1"))->isChecked());
    EXPECT_FALSE(next.action(QStringLiteral("LanguageSystem1"))->isChecked());
}

// Run by the ctest entry "language_german" with LANGUAGE=de; skipped elsewhere.
class German : public testing::WindowFixture {
protected:
    void SetUp() override {
        if (!qgetenv("LANGUAGE").startsWith("de")) {
            GTEST_SKIP() << "needs LANGUAGE=de";
        }
        ASSERT_EQ(m_translations.install(language::wantedLanguages({})), "de");
    }

    language::Translations m_translations;
};

TEST_F(German, TitleMenusButtonsAndTheTurnSpeakGerman) {
    MainWindow window(options());
    EXPECT_EQ(window.windowTitle(), "Lastling von Korvel Software");
    EXPECT_EQ(window.menuBar()->actions().at(0)->text(), "&Datei");
    EXPECT_EQ(window.action(QStringLiteral("Exit1"))->text(), "&Beenden");

    TableDialog join(TableDialog::Kind::Join, {}, {}, &window);
    auto* buttons = join.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(QDialogButtonBox::Cancel), nullptr);
    EXPECT_EQ(withoutAccessKey(buttons->button(QDialogButtonBox::Cancel)->text()), "Abbrechen");

    client::TableModel& model = window.client().model();
    model.state().myseat = 1;
    model.roundstart("14");
    model.mycards("1+1+27");
    model.getnextplayer("1");
    model.notifyChanged();
    EXPECT_EQ(window.board().status()->text(), "Sie sind am Zug.");
    EXPECT_EQ(window.board().trump()->accessibleName(), "Trumpf: Karo-Zwei");
}

} // namespace
} // namespace lastling::shell
