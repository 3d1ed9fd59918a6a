#include "shell/error_box.h"

#include <QMessageBox>

namespace lastling::shell {

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void showErrorBox(QWidget* parent, const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Lastling"),
                                errorBoxText(message), QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Modeless: the player can still read the chat or leave through File > Exit meanwhile.
    box->setWindowModality(Qt::NonModal);
    box->setObjectName(QStringLiteral("errorBox"));
    box->show(); // open() would make it window-modal
    // Above every other window of the program, also a dialog shown at the same time.
    box->raise();
    box->activateWindow();
}

} // namespace lastling::shell
