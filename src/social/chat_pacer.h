#pragma once

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class QTimer;

namespace lastling::social {

// Sends this window's chat lines, actions and chatter sounds no faster than the host relays
// them (a burst, then one a second, at most ten in ten seconds), so none is dropped on the
// way. What comes faster waits in order, and the player sees it waiting; past kMaxWaiting
// lines a new one is refused, never dropped in silence.
class ChatPacer : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>; // milliseconds; never goes back
    using Sender = std::function<void(const std::string& message)>;

    static constexpr std::size_t kMaxWaiting = 20;
    // Each step a little slower than the host counts, so a late packet cannot make two
    // sends look closer to the host than they were.
    static constexpr std::int64_t kSlackMs = 50;

    enum class Outcome { Sent, Waiting, Refused };

    struct Waiting {
        std::string message; // the whole wire message
        std::string shown;   // what the own chat shows while it waits
    };

    // An empty clock reads the steady clock.
    explicit ChatPacer(Clock clock = {}, QObject* parent = nullptr);

    void setSender(Sender sender) { m_sender = std::move(sender); }

    // Sends at once when the pace allows and nothing waits, else queues (or refuses).
    Outcome submit(std::string message, std::string shown);
    // Sends what is due; the pacer's own timer calls this. Returns the milliseconds until
    // the next waiting message is due, or -1 when none waits.
    std::int64_t sendDue();

    const std::deque<Waiting>& waiting() const { return m_waiting; }

signals:
    void waitingChanged();

private:
    std::int64_t readyAt() const; // the earliest time the pace lets the next one go
    void sendNow(const std::string& message, std::int64_t now);

    Clock m_clock;
    Sender m_sender;
    std::deque<Waiting> m_waiting;
    std::deque<std::int64_t> m_sentAt; // the last sends, at most one window's count
    std::int64_t m_bucketDue = 0;      // when the burst would be whole again
    QTimer* m_timer = nullptr;         // a child, so a test can see when it runs
};

} // namespace lastling::social
