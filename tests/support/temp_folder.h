#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include <unistd.h>

namespace test_support {

// A folder of the test's own, emptied before it and removed after it.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix)
        : m_dir(std::filesystem::temp_directory_path() /
                (prefix + "-" + std::to_string(::getpid()) + "-" + flatName())) {
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    // A parameterised test's name ("Case/3") would make a folder inside a folder, and only the
    // inner one would be removed.
    static std::string flatName() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        return name;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The whole file as bytes; empty when it cannot be read.
    static std::string readBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    long filesInFolder() const {
        return std::distance(std::filesystem::directory_iterator(m_dir),
                             std::filesystem::directory_iterator());
    }

    std::filesystem::path m_dir;
};

} // namespace test_support
