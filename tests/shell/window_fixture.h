#pragma once

#include "client/table_client.h"
#include "shell/main_window.h"
#include "shell/window_options.h"
#include "social/chat_model.h"

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

// Whether a chat line holds `wanted`, read as the player sees it: blanks collapsed.
inline bool chatHolds(MainWindow& window, const std::string& wanted) {
    for (const social::ChatLine& line : window.chatModel().lines()) {
        std::string text;
        for (const social::ChatRun& run : line.runs) {
            for (const char c : run.text) {
                if (c != ' ' || (!text.empty() && text.back() != ' ')) {
                    text += c;
                }
            }
        }
        if (text.find(wanted) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Real main windows on fast hosts and ephemeral ports, each with a settings file of its own
// in a folder that goes with the test.
class WindowFixture : public ::testing::Test {
protected:
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

    // A guest's options for the table `host` serves.
    WindowOptions guestOf(const MainWindow& host, const std::string& name) const {
        WindowOptions joining = options({name, "127.0.0.1", "false"});
        joining.gamePort = std::to_string(host.hostPort());
        return joining;
    }

    static const client::TableView& view(MainWindow& window) {
        return window.client().model().view();
    }
    static const client::ClientState& state(MainWindow& window) { return window.client().state(); }

    QTemporaryDir m_dir;
    mutable int m_files = 0;
};

} // namespace lastling::shell::testing
