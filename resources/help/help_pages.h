#pragma once

#include <QString>

namespace lastling::resources {

// Help pages are shown in this language ("de", "fr") when it has its own copy of them; any
// other code gives the English pages.
void setHelpLanguage(const QString& code);

// The embedded help page `name` (e.g. "overview") in the help language; empty when there is
// none.
QString helpPage(const QString& name);
// The program's licence text.
QString licenceText();

} // namespace lastling::resources
