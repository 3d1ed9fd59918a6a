#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace lastling::shell {

// One copy of the window program per user: the first copy listens on a local socket named
// after "levrok" and the user; a later copy asks it to raise its window and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "levrok-" and the user's login name.
    static QString defaultName();

    // True when this is the first copy (it now holds the name, or nobody can hold it);
    // false when another copy runs, which has been asked to raise its window.
    bool claim();
    bool holdsName() const;

signals:
    void raiseRequested();

private:
    bool askRunningCopyToRaise();
    void acceptRequest();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace lastling::shell
