#pragma once

#include <QString>

namespace lastling::resources {

// The embedded JPEG of the start dialog, 436 by 360.
inline QString startPicturePath() {
    return QStringLiteral(":/start/table.jpg");
}

} // namespace lastling::resources
