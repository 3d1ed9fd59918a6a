#pragma once

#include <QDialog>

class QLabel;
class QStackedWidget;
class QTextBrowser;

namespace lastling::help {

inline constexpr int kPageCount = 8;

// "Lastling - Help File": eight fixed pages chosen by the buttons of the side panel. Created
// once and hidden by "Done"; the page in front and each page's scroll place are kept for the
// next opening. A dialog, so that screen readers meet it as a window and Escape hides it.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is the window it opens centred over; it does not own the help window.
    explicit HelpWindow(QWidget* mainWindow = nullptr);

    // Shows the window centred over the main window and brings it forward.
    void showHelp();
    void showPage(int page); // 1..8; others are ignored
    int currentPage() const { return m_page; }

signals:
    void aboutRequested(); // the "About" button

private:
    QWidget* makeSidePanel();
    QWidget* makeMainPanel();
    QTextBrowser* makePage(int page);

    QWidget* m_mainWindow;
    QLabel* m_caption = nullptr;
    QStackedWidget* m_pages = nullptr;
    int m_page = 1;
};

} // namespace lastling::help
