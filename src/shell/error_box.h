#pragma once

#include <QString>

class QWidget;

namespace lastling::shell {

// The text of the application's error box: a full stop is added when the last character
// comes after "." in character order: "Failed", "Error 5" and "Why?" get one, while
// "Done." and "(x)" do not.
QString errorBoxText(const QString& message);

// Shows the error box titled "Lastling" without blocking the event that failed; the
// program goes on with the next event.
void showErrorBox(QWidget* parent, const QString& message);

} // namespace lastling::shell
