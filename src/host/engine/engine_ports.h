#pragma once

#include <functional>

// How the game engine is paced and how its computer players are set: the program plugs in
// Qt timers and the hosting player's menu; tests plug in timers they drive by hand.
namespace lastling::host {

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

} // namespace lastling::host
