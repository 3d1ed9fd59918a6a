#include "client/client_session.h"

#include "net/event_errors.h"
#include "net/sock_address.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

#include <exception>
#include <vector>

namespace lastling::client {

ClientSession::ClientSession(TableModel& model, Link& link)
    : m_model(model), m_link(link), m_errorSink(&reportEventError) {
    m_model.setSender([this](const std::string& message) { m_link.sendGame(message); });
    m_dispatcher.setErrorSink([this](const std::string& text) { reportError(text); });
    registerOwnHandlers();
    m_model.registerHandlers(m_dispatcher);
}

void ClientSession::registerOwnHandlers() {
    m_dispatcher.on("CMD_sendlogininfo",
                    [this](std::string_view payload, int) { sendloginfo(payload); });
    m_dispatcher.on("CMD_havewrongversion", [this](std::string_view payload, int) {
        systemLine("0+" + std::string(payload) + " has a different version of the game then you.");
    });
    m_dispatcher.on("CMD_wrongversion", [this](std::string_view, int) {
        systemLine("0+You have a differnt version of the game then the host.");
    });
    m_dispatcher.on("CMD_full", [this](std::string_view, int) { full(); });
}

void ClientSession::on(std::string word, protocol::Dispatcher::Handler handler) {
    m_dispatcher.on(std::move(word), std::move(handler));
}

void ClientSession::systemLine(const std::string& line) {
    if (ChatLines* chat = m_model.ports().chat) {
        chat->addSystemLine(line);
    }
}

void ClientSession::reportError(const std::string& text) {
    if (m_errorSink) {
        m_errorSink(text);
    }
}

// ---- start-up ----

void ClientSession::start(const StartPlan& plan) {
    state().loginname.clear();
    m_model.setHostControls(false);
    systemLine(plan.systemLine);
    if (plan.mode == StartMode::Unconnected) {
        return;
    }
    try {
        if (plan.showStartDialog && m_model.ports().window) {
            m_model.ports().window->showStartDialog();
        }
        state().myname = plan.name;
        state().hostaddress = plan.address;
        if (plan.mode == StartMode::Join) {
            joinpress();
        } else {
            // A solo game promises a table without others, so its host takes no outside calls.
            hostpress(plan.mode == StartMode::Solo);
        }
        if (plan.connectLobby) {
            m_link.connectLobby();
        }
    } catch (const std::exception& failure) {
        reportError(failure.what());
    }
}

void ClientSession::hostpress(bool loopbackOnly) {
    if (HostStarter* host = m_model.ports().host) {
        try {
            host->startHost(loopbackOnly);
        } catch (const std::exception& failure) {
            // Hosting stops here; the chat keeps the reason after its box is closed.
            systemLine("0+" + std::string(failure.what()) + ".");
            throw;
        }
    }
    state().loginname = state().myname + protocol::kEnd;
    state().ishost = true;
    m_link.connectGame("127.0.0.1");
    m_model.setHostControls(true);
}

void ClientSession::joinpress() {
    state().loginname = state().myname + protocol::kEnd;
    m_link.connectGame(state().hostaddress);
    m_model.setHostControls(false);
}

// ---- receiving ----

void ClientSession::receive(std::string_view bytes) {
    std::vector<std::string> pieces;
    m_framer.feed(bytes, pieces);
    for (std::string& piece : pieces) {
        if (m_discardingOversized) {
            m_discardingOversized = false; // the tail of a message that grew too long
            continue;
        }
        if (piece.size() > kMaxEntry) {
            piece.resize(kMaxEntry);
        }
        m_queue.push(std::move(piece));
    }
    if (m_framer.pendingBytes() > kMaxPending) {
        m_framer.clear();
        m_discardingOversized = true;
    }
}

bool ClientSession::processsocktimer() {
    if (m_queue.empty()) {
        return false;
    }
    const protocol::Entry entry = m_queue.take();
    if (m_dispatcher.dispatch(entry)) {
        m_model.notifyChanged();
    }
    return !m_queue.empty();
}

void ClientSession::sendloginfo(std::string_view payload) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat < 1 || seat > kMaxSlots) {
        return; // no slot of a table: not a seat we could take
    }
    state().myseat = seat;
    state().loggedin = true;
    m_link.sendGame(protocol::logininfo(seat, protocol::kVersion, state().loginname));
    m_model.seatAssigned(seat);
}

void ClientSession::full() {
    if (Notices* notices = m_model.ports().notices) {
        notices->notice("Game is full");
    }
    if (WindowRequests* window = m_model.ports().window) {
        window->closeMainWindow();
    }
}

void ClientSession::sockInfo(const std::string& text) {
    if (text != "Socket Closed") {
        return;
    }
    // What arrived before the close is read first: the host's last words say why it closes.
    while (processsocktimer()) {
    }
    // A guest whose connection closes while the table's host is still there was removed;
    // the host leaving first closes every connection of its table.
    Notices* notices = m_model.ports().notices;
    if (notices && state().loggedin && !state().ishost) {
        notices->notice(m_model.hostLeft() ? "The host has closed the table."
                                           : "You have been removed from the game.");
    }
    if (WindowRequests* window = m_model.ports().window) {
        window->closeMainWindow();
    }
}

void ClientSession::connectFailed(const std::string& host, const std::string& text) {
    const std::string what = "Could not connect to " + host + ": " + netaddr::errorInWords(text);
    reportError(what);
    systemLine("0+" + what);
}

bool ClientSession::send(const std::string& message) {
    if (!state().loggedin) {
        return false;
    }
    m_link.sendGame(message);
    return true;
}

} // namespace lastling::client
