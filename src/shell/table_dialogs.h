#pragma once

#include "shell/table_launch.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace lastling::settings {
class SettingsStore;
} // namespace lastling::settings

namespace lastling::shell {

class LanTableList;

// "Host a Table" (the player's name) or "Join a Table" (name and the host's address). OK
// checks the entries and stays open, saying what is wrong, until they can start a table.
class TableDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Host, Join };

    TableDialog(Kind kind, const QString& name, const QString& address, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    QLineEdit* nameField() const { return m_name; }
    QLineEdit* addressField() const { return m_address; }   // null when hosting
    LanTableList* lanTables() const { return m_tables; }    // null when hosting
    QComboBox* turnTimeField() const { return m_turnTime; } // null when joining
    // The hosted table's time for each card: 0 (none), 30, 60 or 120 seconds.
    int turnSeconds() const;
    void setTurnSeconds(int seconds);
    QString problem() const;

    void accept() override;

signals:
    void chosen(const lastling::shell::TableLaunch& launch);

private:
    TableLaunch launch() const;
    void showNameLengthNote();

    Kind m_kind;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QLabel* m_problem = nullptr;
    LanTableList* m_tables = nullptr;
    QComboBox* m_turnTime = nullptr;
};

// File > "Host a Table..." and "Join a Table...": offers the last name and address from the
// settings, remembers what was chosen and hands the three parameters to the restarter, which
// ends this run and starts the table in a new copy of the program.
class TableChooser : public QObject {
    Q_OBJECT
public:
    using Restarter = std::function<void(const QStringList& params)>;

    TableChooser(QWidget& window, settings::SettingsStore& settings);

    void setRestarter(Restarter restart) { m_restart = std::move(restart); }
    void open(TableDialog::Kind kind);
    TableDialog* dialog() const { return m_dialog; } // the open one, if any

private:
    void start(const TableLaunch& launch, TableDialog::Kind kind);

    QWidget& m_window;
    settings::SettingsStore& m_settings;
    Restarter m_restart;
    QPointer<TableDialog> m_dialog;
};

} // namespace lastling::shell
