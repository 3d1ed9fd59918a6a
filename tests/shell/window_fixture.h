#pragma once

#include "client/table_client.h"
#include "shell/main_window.h"
#include "shell/window_options.h"

#include "gui_app.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <string>
#include <vector>

namespace lastling::shell::testing {

// The whole file as bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Real main windows on fast hosts and ephemeral ports, each with a settings file of its own
// in a folder that goes with the test.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { guiApp(); }

    WindowOptions options(std::vector<std::string> params = {}) const {
        WindowOptions result;
        result.params = std::move(params);
        result.gamePort = "0";
        result.hostTickMs = 1;
        result.botSpeedMs = 1;
        result.settingsPath = m_dir.filePath(QStringLiteral("korvlobby%1.ini").arg(m_files++));
        result.singleInstance = false;
        return result;
    }

    static const client::TableView& view(MainWindow& window) {
        return window.client().model().view();
    }
    static const client::ClientState& state(MainWindow& window) { return window.client().state(); }

    QTemporaryDir m_dir;
    mutable int m_files = 0;
};

} // namespace lastling::shell::testing
