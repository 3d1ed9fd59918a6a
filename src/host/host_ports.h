#pragma once

#include <functional>
#include <string>

// The host's narrow view of the outside world: where messages go and how time passes.
// The program plugs in sockets and Qt timers; tests plug in recorders and hand-driven timers.
namespace lastling::host {

class Outbox {
public:
    virtual ~Outbox() = default;
    // Sends to one slot if it is connected; otherwise does nothing.
    virtual void sendTo(int slot, const std::string& message) = 0;
    // Sends to every connected slot 1..slotsinuse, in slot order, logged in or not.
    virtual void sendToAll(const std::string& message) = 0;
};

// A repeating timer: after start(ms) the handler runs every ms milliseconds until stop().
// start() on a running timer restarts it, so the first tick comes a full interval later.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int intervalMs() const = 0;

    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void fire() {
        if (m_handler) {
            m_handler();
        }
    }

private:
    std::function<void()> m_handler;
};

enum class BotSkill { Classic, Smart };

// The hosting player's choices for the computer players, read each time a computer turn
// is armed, so a change takes effect at the next computer turn.
class BotPreferences {
public:
    virtual ~BotPreferences() = default;
    virtual int botSpeedMs() const = 0; // 1000, 500 or 250 from the menu
    virtual BotSkill botSkill() const = 0;
};

// A timer that tests drive by hand: tick() runs the handler once if the timer is active.
class ManualTimer : public Timer {
public:
    void start(int intervalMs) override {
        m_interval = intervalMs;
        m_active = true;
        ++m_starts;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int intervalMs() const override { return m_interval; }
    int starts() const { return m_starts; }

    bool tick() {
        if (!m_active) {
            return false;
        }
        fire();
        return true;
    }

private:
    bool m_active = false;
    int m_interval = 0;
    int m_starts = 0;
};

} // namespace lastling::host
