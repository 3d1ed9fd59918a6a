#pragma once

#include "net/port_mapping_rules.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

namespace lastling::portmap {

class RouterSession;

// Keeps the game port forwarded on the home router while a table is open: asks on a worker
// thread (hosting never waits for a slow or absent router), renews the lease before it ends,
// and removes the mapping when closed or destroyed.
class PortOpener : public QObject {
    Q_OBJECT
public:
    explicit PortOpener(QObject* parent = nullptr);
    ~PortOpener() override; // removes the mapping before it returns

    // Starts asking; `reported` follows once the router answered or nobody did.
    void open(std::uint16_t port);
    // Removes the mapping after any question still under way, without waiting for it; the
    // destructor waits until the router has been told.
    void close();
    bool isOpen() const { return m_open; }
    const std::optional<Report>& lastReport() const { return m_last; }

signals:
    // A new state: the first answer, and later only what changes it.
    void reported(const lastling::portmap::Report& report);

private:
    void letGo(Qt::ConnectionType how);
    void answered(const Report& report, Seconds lease, unsigned generation, bool renewal);
    void renew();
    void planRenewal();

    QThread m_thread;
    std::unique_ptr<QObject> m_worker;        // lives on m_thread; runs the router calls
    std::unique_ptr<RouterSession> m_session; // touched on m_thread only
    LeaseSchedule m_schedule;
    QTimer m_renewTimer;
    std::optional<Report> m_last;
    unsigned m_generation = 0; // answers of an earlier open are stale
    bool m_open = false;
};

} // namespace lastling::portmap
