#include "settings/program_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <string>

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

// Not a link, a folder, owned by `user`, and closed to everybody else.
bool isPrivateFolder(const std::filesystem::path& path, unsigned user) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == user && (status.st_mode & 0077) == 0;
}

std::optional<std::filesystem::path> ownFolderIn(const std::filesystem::path& tempRoot,
                                                 unsigned user) {
    const std::filesystem::path folder = tempRoot / ("lastling-" + std::to_string(user));
    ::mkdir(folder.c_str(), 0700);
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != user) {
        return std::nullopt;
    }
    if ((status.st_mode & 0077) != 0) {
        ::chmod(folder.c_str(), 0700); // ours, left open by an older umask
    }
    if (!isPrivateFolder(folder, user)) {
        return std::nullopt;
    }
    return folder;
}

} // namespace

std::optional<std::filesystem::path>
privateRuntimeFolder(const char* runtimeDir, const std::filesystem::path& tempRoot, unsigned user) {
    if (runtimeDir != nullptr && runtimeDir[0] == '/' && isPrivateFolder(runtimeDir, user)) {
        return std::filesystem::path(runtimeDir);
    }
    return ownFolderIn(tempRoot, user);
}

std::optional<std::filesystem::path> privateRuntimeFolder() {
    return privateRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), QDir::tempPath().toStdString(),
                                ::geteuid());
}

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
