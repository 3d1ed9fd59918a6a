#pragma once

#include <QString>

namespace lastling::resources {

// The embedded help page `name` (e.g. "overview"); empty when there is none.
QString helpPage(const QString& name);
// The program's licence text.
QString licenceText();

} // namespace lastling::resources
