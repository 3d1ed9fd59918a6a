#include "social/chat_pacer.h"

#include "protocol/relay_pace.h"

#include <QTimer>

#include <algorithm>
#include <chrono>

namespace lastling::social {
namespace {

constexpr std::int64_t kInterval =
    protocol::kRelayWindowMs / protocol::kRelaysPerWindow + ChatPacer::kSlackMs;
constexpr std::int64_t kWindow = protocol::kRelayWindowMs + 2 * ChatPacer::kSlackMs;

std::int64_t steadyNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

ChatPacer::ChatPacer(Clock clock, QObject* parent)
    : QObject(parent), m_clock(clock ? std::move(clock) : Clock(steadyNow)) {
    m_bucketDue = m_clock();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("chat_pace"));
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &ChatPacer::sendDue);
}

std::int64_t ChatPacer::readyAt() const {
    std::int64_t ready = m_bucketDue - (protocol::kRelayBurst - 1) * kInterval;
    if (m_sentAt.size() >= static_cast<std::size_t>(protocol::kRelaysPerWindow)) {
        ready = std::max(ready, m_sentAt.front() + kWindow);
    }
    return ready;
}

void ChatPacer::sendNow(const std::string& message, std::int64_t now) {
    m_bucketDue = std::max(m_bucketDue, now) + kInterval;
    m_sentAt.push_back(now);
    if (m_sentAt.size() > static_cast<std::size_t>(protocol::kRelaysPerWindow)) {
        m_sentAt.pop_front();
    }
    if (m_sender) {
        m_sender(message);
    }
}

ChatPacer::Outcome ChatPacer::submit(std::string message, std::string shown) {
    const std::int64_t now = m_clock();
    if (m_waiting.empty() && readyAt() <= now) {
        sendNow(message, now);
        return Outcome::Sent;
    }
    if (m_waiting.size() >= kMaxWaiting) {
        return Outcome::Refused;
    }
    m_waiting.push_back({std::move(message), std::move(shown)});
    emit waitingChanged();
    m_timer->start(static_cast<int>(std::max<std::int64_t>(readyAt() - now, 0)));
    return Outcome::Waiting;
}

std::int64_t ChatPacer::sendDue() {
    const std::int64_t now = m_clock();
    bool sent = false;
    while (!m_waiting.empty() && readyAt() <= now) {
        const Waiting next = std::move(m_waiting.front());
        m_waiting.pop_front();
        sendNow(next.message, now);
        sent = true;
    }
    if (sent) {
        emit waitingChanged();
    }
    if (m_waiting.empty()) {
        m_timer->stop();
        return -1;
    }
    const std::int64_t left = std::max<std::int64_t>(readyAt() - now, 0);
    m_timer->start(static_cast<int>(left));
    return left;
}

} // namespace lastling::social
