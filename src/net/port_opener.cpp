#include "net/port_opener.h"

#include "net/router_session.h"

#include <chrono>

namespace lastling::portmap {

PortOpener::PortOpener(QObject* parent)
    : QObject(parent), m_worker(std::make_unique<QObject>()),
      m_session(std::make_unique<RouterSession>()) {
    m_thread.setObjectName(QStringLiteral("port opener"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    m_renewTimer.setSingleShot(true);
    connect(&m_renewTimer, &QTimer::timeout, this, &PortOpener::renew);
}

PortOpener::~PortOpener() {
    letGo(Qt::BlockingQueuedConnection);
    // Removals asked for before are done by now too: the worker takes its queue in order.
    QMetaObject::invokeMethod(
        m_worker.get(), [] {}, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void PortOpener::open(std::uint16_t port) {
    ++m_generation;
    m_open = true;
    m_last.reset();
    m_schedule.clear();
    m_renewTimer.stop();
    const unsigned generation = m_generation;
    RouterSession* session = m_session.get();
    QMetaObject::invokeMethod(m_worker.get(), [this, session, port, generation] {
        const Report report = session->open(port);
        const Seconds lease = session->lease();
        QMetaObject::invokeMethod(
            this, [this, report, lease, generation] { answered(report, lease, generation, false); },
            Qt::QueuedConnection);
    });
}

void PortOpener::close() {
    letGo(Qt::QueuedConnection);
}

void PortOpener::letGo(Qt::ConnectionType how) {
    if (!m_open) {
        return;
    }
    ++m_generation;
    m_open = false;
    m_schedule.clear();
    m_renewTimer.stop();
    RouterSession* session = m_session.get();
    // After an open still under way, so a mapping made just now goes too.
    QMetaObject::invokeMethod(
        m_worker.get(), [session] { session->close(); }, Qt::BlockingQueuedConnection);
}

void PortOpener::renew() {
    const unsigned generation = m_generation;
    RouterSession* session = m_session.get();
    QMetaObject::invokeMethod(m_worker.get(), [this, session, generation] {
        const Report report = session->renew();
        const Seconds lease = session->lease();
        QMetaObject::invokeMethod(
            this, [this, report, lease, generation] { answered(report, lease, generation, true); },
            Qt::QueuedConnection);
    });
}

void PortOpener::answered(const Report& report, Seconds lease, unsigned generation, bool renewal) {
    if (generation != m_generation || !m_open) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    const bool forwarded =
        report.outcome == Outcome::Mapped || report.outcome == Outcome::SharedAddress;
    if (forwarded) {
        m_schedule.granted(now, lease);
    } else if (renewal) {
        m_schedule.renewalFailed(now);
    }
    planRenewal();
    const bool changed = !m_last || m_last->sentence != report.sentence;
    m_last = report;
    if (changed) {
        emit reported(report);
    }
}

void PortOpener::planRenewal() {
    const auto wait = m_schedule.wait(std::chrono::steady_clock::now());
    if (wait) {
        m_renewTimer.start(*wait);
    }
}

} // namespace lastling::portmap
