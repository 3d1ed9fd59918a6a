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
    box->setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box->setObjectName(QStringLiteral("errorBox"));
    box->open();
}

} // namespace lastling::shell
