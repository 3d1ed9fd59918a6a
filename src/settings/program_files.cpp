#include "settings/program_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

#include <unistd.h>

namespace lastling::settings {

std::filesystem::path programFilePath(std::string_view fileName) {
    std::error_code error;
    const auto programFolder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (!error && ::access(programFolder.c_str(), W_OK) == 0)
        return programFolder / fileName;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return std::filesystem::path(userFolder.toStdString()) / fileName;
}

} // namespace lastling::settings
