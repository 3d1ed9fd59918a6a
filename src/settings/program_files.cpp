#include "settings/program_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace lastling::settings {
namespace {

bool inSystemTree(const std::filesystem::path& executable) {
    auto part = executable.begin();
    if (!executable.is_absolute() || part == executable.end() || ++part == executable.end()) {
        return true; // not a place we can vouch for
    }
    return *part == "usr" || *part == "opt";
}

bool ownedBy(const std::filesystem::path& path, unsigned user) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && status.st_uid == user;
}

} // namespace

bool filesBesideProgram(const std::filesystem::path& executable, unsigned user) {
    const std::filesystem::path folder = executable.parent_path();
    return !inSystemTree(executable) && ownedBy(executable, user) && ownedBy(folder, user) &&
           ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path programFilePath(std::string_view fileName) {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && filesBesideProgram(executable, ::geteuid())) {
        return executable.parent_path() / fileName;
    }
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return std::filesystem::path(userFolder.toStdString()) / fileName;
}

} // namespace lastling::settings
