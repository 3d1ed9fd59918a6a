#include "shell/lan_table_list.h"

#include "net/table_address.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lastling::shell {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString seatsText(int freeSeats) {
    if (freeSeats < 0) {
        return QStringLiteral("?");
    }
    return QString::number(freeSeats);
}

} // namespace

LanTableList::LanTableList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LanTables"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("label_lanstatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("list_tables"));
    m_list->setAccessibleName(tr("Tables on the local network"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Table"), tr("Address"), tr("Free seats"), tr("Game")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumHeight(120);
    layout->addWidget(m_list);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr) {
            emit picked(item->data(1, Qt::UserRole).toString());
        }
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { emit chosen(item->data(1, Qt::UserRole).toString()); });
    m_browser.onChanged = [this] { refresh(); };
    m_browser.start();
    refresh();
}

QString LanTableList::status() const {
    return m_status->text();
}

void LanTableList::refresh() {
    showTables(m_browser.tables(), m_browser.state());
}

void LanTableList::showTables(const std::vector<lan::LanTable>& tables,
                              lan::TableBrowser::State state) {
    const QString current = m_list->currentItem() != nullptr
                                ? m_list->currentItem()->data(0, Qt::UserRole).toString()
                                : QString();
    const QSignalBlocker quiet(m_list); // the player picks rows, a redraw does not
    m_list->clear();
    for (const lan::LanTable& table : tables) {
        const QString address =
            fromUtf8(netaddr::endpointText(table.address, std::to_string(table.port)));
        auto* item = new QTreeWidgetItem(m_list, {fromUtf8(lan::shownName(table.name)), address,
                                                  seatsText(table.freeSeats),
                                                  table.running ? tr("running") : tr("waiting")});
        item->setData(0, Qt::UserRole, fromUtf8(table.name));
        item->setData(1, Qt::UserRole, address);
        if (item->data(0, Qt::UserRole).toString() == current) {
            m_list->setCurrentItem(item);
        }
    }
    switch (state) {
    case lan::TableBrowser::State::NoDaemon:
        m_status->setText(
            tr("Tables on the local network cannot be found: no Avahi daemon is running. Type "
               "the host's address below."));
        break;
    case lan::TableBrowser::State::Failed:
        m_status->setText(
            tr("Looking for tables on the local network failed. Type the host's address below."));
        break;
    case lan::TableBrowser::State::Searching:
        m_status->setText(tables.empty()
                              ? tr("Looking for tables on the local network...")
                              : tr("Tables on the local network (double-click to join):"));
        break;
    }
    m_list->setEnabled(!tables.empty());
}

} // namespace lastling::shell
