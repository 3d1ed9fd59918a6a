#pragma once

#include "net/table_browser.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace lastling::shell {

// The tables found on the local network, for "Join a Table...": name, address and port, free
// seats, and whether a game runs. Picking a row offers its address and port; a double-click
// joins them. Redrawing never offers anything, so it leaves a typed address alone.
class LanTableList : public QWidget {
    Q_OBJECT
public:
    explicit LanTableList(QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    QString status() const;
    // Redraws from the browser's list and state (also called on every change it reports).
    void refresh();
    void showTables(const std::vector<lan::LanTable>& tables, lan::TableBrowser::State state);

signals:
    void picked(const QString& address); // "192.0.2.7:7780"
    void chosen(const QString& address);

private:
    lan::TableBrowser m_browser;
    QLabel* m_status = nullptr;
    QTreeWidget* m_list = nullptr;
};

} // namespace lastling::shell
