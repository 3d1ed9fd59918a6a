#pragma once

#include <QDialog>
#include <QPixmap>

#include <string>
#include <vector>

class QListWidget;
class QAction;

namespace lastling::shell {

// "Lastling - Spys": the spectators at the table, with "Remove From Game" for the host.
class SpyListDialog : public QDialog {
    Q_OBJECT
public:
    explicit SpyListDialog(const QPixmap& background, QWidget* parent = nullptr);

    // Entries "seat: name" in arrival order (Latin-1).
    void setEntries(const std::vector<std::string>& entries);
    void setKickEnabled(bool enabled);
    bool kickEnabled() const;
    QListWidget* list() const { return m_list; }

    // The entry under the pointer when the pop-up menu opened, or -1.
    int rememberedIndex() const { return m_remembered; }
    // Runs the pop-up item for the entry at `index` (what a right-click there leads to).
    void removeEntryAt(int index);

signals:
    // "Remove From Game" chosen on an entry (0-based index into the entries).
    void removeRequested(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openMenu(const QPoint& at);

    QPixmap m_background;
    QListWidget* m_list = nullptr;
    QAction* m_kick = nullptr;
    int m_remembered = -1;
};

} // namespace lastling::shell
