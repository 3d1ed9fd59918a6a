// "Join a Table..." with the tables of the local network. The test with a table runs only
// inside the private mDNS network (LASTLING_BIN names the program to host it).
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
               {"--serve", "--port", "7772", "--name", "Kitchen Table"});
    ASSERT_TRUE(runUntil([&] { return host.canReadLine(); }, 20));
    TableDialog dialog(TableDialog::Kind::Join, "Ann", "");
    QTreeWidget* list = dialog.lanTables()->list();
    ASSERT_TRUE(runUntil([&] { return list->topLevelItemCount() == 1; }, 30))
        << dialog.lanTables()->status().toStdString();
    QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(0), "Kitchen Table");
    EXPECT_EQ(row->text(1), "127.0.0.1");
    EXPECT_EQ(row->text(2), "4");
    EXPECT_EQ(row->text(3), "waiting");
    EXPECT_EQ(dialog.lanTables()->status(), "Tables on the local network (double-click to join):");
    QStringList params;
    QObject::connect(&dialog, &TableDialog::chosen,
                     [&](const TableLaunch& launch) { params = launch.params; });
    emit list->itemDoubleClicked(row, 0);
    EXPECT_EQ(params, (QStringList{"Ann", "127.0.0.1", "false"}));
    host.kill();
    host.waitForFinished();
}

} // namespace
} // namespace lastling::shell
