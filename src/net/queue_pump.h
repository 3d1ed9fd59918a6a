#pragma once

// QueuePump works a receive queue off one entry per turn of the event loop, never inside the
// read event that filled it. kick() after each append; the timer stops by itself once the
// queue is empty, so an idle program wakes nobody up.
//
//   QueuePump pump([&] { handle(queue.takeFirst()); return !queue.isEmpty(); });
//   queue.append(entry); pump.kick();
//
// workOne takes an entry off the queue before handling it and returns whether more wait.
// A failure it throws goes to reportEventError and the pump goes on with the next entry.

#include <QObject>
#include <QTimer>

#include <functional>

namespace lastling {

class QueuePump : public QObject {
    Q_OBJECT
public:
    explicit QueuePump(std::function<bool()> workOne, QObject* parent = nullptr);

    void kick();
    bool isRunning() const { return m_timer.isActive(); }

private:
    void onTimeout();

    std::function<bool()> m_workOne;
    QTimer m_timer;
};

} // namespace lastling
