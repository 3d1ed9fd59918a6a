// "Join a Table..." with the tables of the local network. The test with a table runs only
// inside the private mDNS network (LASTLING_BIN names the program to host it).
#include "net/lan_table.h"
#include "shell/lan_table_list.h"
#include "shell/table_dialogs.h"

#include "gui_app.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include <cstdlib>

namespace lastling::shell {
namespace {

using testing::runUntil;

TEST(LanJoinTest, WithoutADaemonTheListSaysSoAndATypedAddressStillJoins) {
    const QByteArray saved = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lastling-bus");
    TableDialog dialog(TableDialog::Kind::Join, "Ann", "");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", saved);
    ASSERT_NE(dialog.lanTables(), nullptr);
    EXPECT_EQ(dialog.lanTables()->status(),
              "Tables on the local network cannot be found: no Avahi daemon is running. Type "
              "the host's address below.");
    EXPECT_EQ(dialog.lanTables()->list()->topLevelItemCount(), 0);
    // The long line wraps rather than widen the dialog.
    const int oneLine = dialog.fontMetrics().horizontalAdvance(dialog.lanTables()->status());
    EXPECT_LT(dialog.lanTables()->minimumSizeHint().width(), oneLine / 2);
    QStringList params;
    QObject::connect(&dialog, &TableDialog::chosen,
                     [&](const TableLaunch& launch) { params = launch.params; });
    dialog.addressField()->setText("192.0.2.7");
    dialog.accept();
    EXPECT_EQ(params, (QStringList{"Ann", "192.0.2.7", "false"}));
}

lan::LanTable table(const std::string& name, const std::string& address, int port, int seats) {
    lan::LanTable found;
    found.name = name;
    found.address = address;
    found.port = port;
    found.freeSeats = seats;
    return found;
}

// A row offers exactly its address and port; a redraw while the player types changes nothing
// the player sees in the field; names cannot pose as others.
TEST(LanJoinTest, ARowJoinsItsPortAndARedrawLeavesTheTypedAddress) {
    const QByteArray saved = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lastling-bus");
    TableDialog dialog(TableDialog::Kind::Join, "Ann", "");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", saved);
    LanTableList& tables = *dialog.lanTables();
    QTreeWidget* list = tables.list();
    const auto searching = lan::TableBrowser::State::Searching;
    tables.showTables({table("\xe2\x80\xae"
                             "Kitchen\xe2\x80\x8b",
                             "192.0.2.9", 7772, 3),
                       table("Port Table", "127.0.0.1", 7780, 4)},
                      searching);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Kitchen");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "192.0.2.9:7772");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Port Table");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "127.0.0.1:7780");
    EXPECT_TRUE(dialog.addressField()->text().isEmpty()); // nothing picked yet

    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(dialog.addressField()->text(), "127.0.0.1:7780");
    dialog.addressField()->clear();
    QTest::keyClicks(dialog.addressField(), "192.0.2.50:77");
    tables.showTables(
        {table("Port Table", "127.0.0.1", 7780, 3), table("Zed", "192.0.2.10", 7790, 4)},
        searching);
    QTest::keyClicks(dialog.addressField(), "81");
    EXPECT_EQ(dialog.addressField()->text(), "192.0.2.50:7781");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(0), "Port Table");
    EXPECT_EQ(list->currentItem()->text(2), "3");

    QStringList params;
    QObject::connect(&dialog, &TableDialog::chosen,
                     [&](const TableLaunch& launch) { params = launch.params; });
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(params, (QStringList{"Ann", "192.0.2.10:7790", "false"}));
}

TEST(LanJoinTest, HostingHasNoList) {
    TableDialog dialog(TableDialog::Kind::Host, "Ann", "");
    EXPECT_EQ(dialog.lanTables(), nullptr);
}

TEST(LanJoinTest, ATableOnTheNetworkIsListedAndADoubleClickJoinsIt) {
    const QByteArray program = qgetenv("LASTLING_BIN");
    if (program.isEmpty()) {
        GTEST_SKIP() << "runs on a private mDNS network only";
    }
    QProcess host;
    host.start(QString::fromLocal8Bit(program),
               {"--serve", "--port", "7780", "--name", "Port Table"});
    ASSERT_TRUE(runUntil([&] { return host.canReadLine(); }, 20));
    TableDialog dialog(TableDialog::Kind::Join, "Ann", "");
    QTreeWidget* list = dialog.lanTables()->list();
    ASSERT_TRUE(runUntil([&] { return list->topLevelItemCount() == 1; }, 30))
        << dialog.lanTables()->status().toStdString();
    QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(0), "Port Table");
    EXPECT_EQ(row->text(1), "127.0.0.1:7780");
    EXPECT_EQ(row->text(2), "4");
    EXPECT_EQ(row->text(3), "waiting");
    EXPECT_EQ(dialog.lanTables()->status(), "Tables on the local network (double-click to join):");
    QStringList params;
    QObject::connect(&dialog, &TableDialog::chosen,
                     [&](const TableLaunch& launch) { params = launch.params; });
    emit list->itemDoubleClicked(row, 0);
    EXPECT_EQ(params, (QStringList{"Ann", "127.0.0.1:7780", "false"}));
    host.kill();
    host.waitForFinished();
}

} // namespace
} // namespace lastling::shell
