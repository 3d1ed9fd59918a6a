#include "shell/table_dialogs.h"

#include "net/event_errors.h"
#include "protocol/wire_text.h"
#include "settings/settings_store.h"
#include "settings/table_options.h"
#include "shell/lan_table_list.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace lastling::shell {
namespace {

// The settings file keeps the name in the form the wire carries it (wire_text.h).
QString fromWire(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

std::string toWire(const QString& text) {
    return protocol::textFromUtf8(text.toStdString());
}

QLineEdit* addField(QFormLayout* form, const QString& objectName, const QString& caption,
                    const QString& text, int maxLength) {
    auto* field = new QLineEdit(text.left(maxLength));
    field->setObjectName(objectName);
    field->setMaxLength(maxLength);
    field->setAccessibleName(QString(caption).remove(u'&').remove(u':'));
    form->addRow(caption, field);
    return field;
}

} // namespace

TableDialog::TableDialog(Kind kind, const QString& name, const QString& address, QWidget* parent)
    : QDialog(parent), m_kind(kind) {
    const bool hosting = kind == Kind::Host;
    setObjectName(hosting ? QStringLiteral("HostTableDialog") : QStringLiteral("JoinTableDialog"));
    setWindowTitle(hosting ? QStringLiteral("Lastling - Host a Table")
                           : QStringLiteral("Lastling - Join a Table"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_name = addField(form, QStringLiteral("edit_name"), QStringLiteral("Your &name:"), name,
                      kMaxPlayerName);
    if (!hosting) {
        m_address = addField(form, QStringLiteral("edit_address"),
                             QStringLiteral("Host's &address:"), address, kMaxAddressEntry);
        m_address->setPlaceholderText(QStringLiteral("192.168.1.20, [::1]:7780 or a name"));
        m_tables = new LanTableList(this);
        layout->insertWidget(0, m_tables);
        connect(m_tables, &LanTableList::picked, m_address, &QLineEdit::setText);
        connect(m_tables, &LanTableList::chosen, this, [this](const QString& address) {
            m_address->setText(address);
            accept();
        });
    }
    if (hosting) {
        m_turnTime = new QComboBox(this);
        m_turnTime->setObjectName(QStringLiteral("combo_turntime"));
        m_turnTime->setAccessibleName(QStringLiteral("Turn time"));
        for (const int seconds : settings::kTurnTimes) {
            m_turnTime->addItem(seconds == 0 ? QStringLiteral("None")
                                             : QStringLiteral("%1 seconds").arg(seconds),
                                seconds);
        }
        form->addRow(QStringLiteral("&Turn time:"), m_turnTime);
    }
    m_name->setMinimumWidth(220); // room for a host name without scrolling
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("label_problem"));
    m_problem->setStyleSheet(QStringLiteral("color: #A00000;"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    layout->addWidget(m_problem);
    // The field holds no more than a name may have; what it cannot take is said at once.
    m_name->setToolTip(nameLengthProblem());
    connect(m_name, &QLineEdit::inputRejected, this, &TableDialog::showNameLengthNote);
    if (name.size() > kMaxPlayerName) {
        showNameLengthNote();
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(hosting ? QStringLiteral("&Host") : QStringLiteral("&Join"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TableDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TableDialog::reject);
    layout->addWidget(buttons);
    (m_name->text().isEmpty() || hosting ? m_name : m_address)->setFocus();
}

TableLaunch TableDialog::launch() const {
    return m_kind == Kind::Host ? hostTable(m_name->text())
                                : joinTable(m_name->text(), m_address->text());
}

void TableDialog::showNameLengthNote() {
    m_problem->setText(nameLengthProblem());
    m_problem->show();
}

int TableDialog::turnSeconds() const {
    return m_turnTime ? m_turnTime->currentData().toInt() : 0;
}

void TableDialog::setTurnSeconds(int seconds) {
    if (m_turnTime) {
        m_turnTime->setCurrentIndex(std::max(0, m_turnTime->findData(seconds)));
    }
}

QString TableDialog::problem() const {
    return m_problem->isVisibleTo(this) ? m_problem->text() : QString();
}

void TableDialog::accept() {
    const TableLaunch chosenLaunch = launch();
    if (!chosenLaunch.ok()) {
        m_problem->setText(chosenLaunch.problem);
        m_problem->show();
        m_problem->setFocus();
        return;
    }
    QDialog::accept();
    emit chosen(chosenLaunch);
}

TableChooser::TableChooser(QWidget& window, settings::SettingsStore& settings)
    : QObject(&window), m_window(window), m_settings(settings) {}

void TableChooser::open(TableDialog::Kind kind) {
    if (m_dialog) {
        m_dialog->close();
    }
    // Only the two remembered keys are wanted; a file that cannot be read offers nothing.
    const settings::Settings remembered =
        settings::readSettings(m_settings.path()).value_or(settings::Settings{});
    auto* dialog = new TableDialog(kind, fromWire(remembered.lastname),
                                   fromWire(remembered.lasthost), &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTurnSeconds(settings::readTurnSeconds(m_settings.path()));
    connect(dialog, &TableDialog::chosen, this, [this, kind, dialog](const TableLaunch& launch) {
        if (kind == TableDialog::Kind::Host) {
            // The new run's host reads it; like the name, a refused write costs only the choice.
            const settings::SaveResult saved =
                settings::saveTurnSeconds(dialog->turnSeconds(), m_settings.path());
            if (!saved) {
                reportEventError(saved.message);
            }
        }
        start(launch, kind);
    });
    m_dialog = dialog;
    dialog->open();
}

void TableChooser::start(const TableLaunch& launch, TableDialog::Kind kind) {
    const std::optional<std::string> host =
        kind == TableDialog::Kind::Join ? std::optional(toWire(launch.address)) : std::nullopt;
    // A file that refuses the write costs only the remembered entries, not the table.
    const settings::SaveResult saved = m_settings.saveLastTable(toWire(launch.name), host);
    if (!saved) {
        reportEventError(saved.message);
    }
    if (m_restart) {
        m_restart(launch.params);
    }
}

} // namespace lastling::shell
