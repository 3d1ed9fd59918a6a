#pragma once

#include "social/chat_model.h"
#include "social/chat_pacer.h"
#include "social/link_opener.h"

#include <QColor>
#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace lastling::social {

class ChatEntry;
class ChatView;

struct ChatSession {
    int myseat = 0;
    bool loggedin = false;
    std::string myname; // as the host shows it
};

// The chat column's working part: the model, the view `mainchat`, the entry field `mychat`,
// the smiley button with its pop-up, and the menu commands. The window places the widgets and puts
// the actions into its menus; one action object serves both menus, so their check marks never
// disagree.
class ChatPanel : public QObject {
    Q_OBJECT
public:
    using Sender = std::function<void(const std::string& message)>;
    using ColourPicker = std::function<std::optional<QColor>(const QColor& current)>;
    using MessageBox = std::function<void(const QString& text)>;

    static constexpr std::array<int, 4> kTextSizes{8, 10, 12, 14};

    // The widgets are created as children of `parent`; the window may reparent them. Widgets
    // that have no parent when the panel goes are deleted with it.
    explicit ChatPanel(QWidget* parent, ChatPacer::Clock clock = {});
    ~ChatPanel() override;

    // ---- wiring ----
    void setSender(Sender sender) { m_sender = std::move(sender); }
    void setSessionSource(std::function<ChatSession()> source) { m_session = std::move(source); }
    void setSettingsSaver(std::function<void()> save) { m_saveSettings = std::move(save); }
    void setLinkOpener(std::unique_ptr<LinkOpener> opener) { m_opener = std::move(opener); }
    void setColourPicker(ColourPicker picker) { m_pickColour = std::move(picker); }
    void setMessageBox(MessageBox box) { m_messageBox = std::move(box); }

    // ---- parts ----
    ChatModel& model() { return m_model; }
    ChatPacer& pacer() { return m_pacer; }
    ChatView* view() const { return m_view; }
    ChatEntry* entry() const { return m_entry; }
    QPushButton* smileyButton() const { return m_smileyButton; }
    QMenu* smileyMenu() const { return m_smileyMenu.get(); }
    QAction* selectAllAction() const { return m_selectAll; }
    QAction* copyAction() const { return m_copy; }
    QAction* clearAction() const { return m_clear; }
    QAction* scrollChatOffAction() const { return m_scrollOff; }
    QAction* textColourAction() const { return m_textColour; }
    const std::array<QAction*, 4>& textSizeActions() const { return m_sizes; }

    // ---- commands ----
    void sendit();
    // Every chat line, action and chatter sound of this window goes out through here, at the
    // pace the host relays them; one refused for a full queue gets a system line.
    ChatPacer::Outcome sendPaced(const std::string& message);
    void showChatMessage(std::string_view payload) { m_model.showChatMessage(payload); }
    void addlinetochat(std::string_view line, Colour colour) {
        m_model.addlinetochat(line, colour);
    }
    void addSystemLine(const std::string& line) { m_model.addSystemLine(line); }
    void selectAll();
    void copy();
    void clearMainChat();
    void setScrollChatOff(bool off);
    void chooseTextColour();
    void setTextSize(int pointSize);   // the "Text Size" items: also saves
    void applyTextSize(int pointSize); // from the settings file: does not save
    int textSize() const { return m_model.pointSize(); }
    Colour chatColour() const { return m_chatColour; }
    void setChatColour(Colour colour); // from the settings file: does not save
    void mainchatJump(int jump);

private:
    void buildActions();
    void buildSmileyMenu();
    void showSmileyMenu();
    void saveSettings() const;
    void showWaiting();

    ChatModel m_model;
    ChatPacer m_pacer;
    ChatView* m_view = nullptr;
    ChatEntry* m_entry = nullptr;
    QPushButton* m_smileyButton = nullptr;
    std::unique_ptr<QMenu> m_smileyMenu;
    QAction* m_selectAll = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_scrollOff = nullptr;
    QAction* m_textColour = nullptr;
    std::array<QAction*, 4> m_sizes{};
    Colour m_chatColour = kBlack;

    Sender m_sender;
    std::function<ChatSession()> m_session;
    std::function<void()> m_saveSettings;
    std::unique_ptr<LinkOpener> m_opener;
    ColourPicker m_pickColour;
    MessageBox m_messageBox;
};

} // namespace lastling::social
