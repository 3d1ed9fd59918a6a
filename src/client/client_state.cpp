#include "client/client_state.h"

#include "protocol/wire_text.h"

namespace lastling::client {

StartPlan processparams(const std::vector<std::string>& params) {
    StartPlan plan;
    if (params.empty()) {
        plan.mode = StartMode::Solo;
        plan.name = "You";
        plan.address = "127.0.0.1";
        plan.systemLine = "0+Loading solo game... Please wait.";
        plan.showStartDialog = true;
        return plan;
    }
    plan.systemLine = "0+Loading multi-player game... Please wait.";
    if (params.size() < 3) {
        plan.mode = StartMode::Unconnected;
        return plan;
    }
    // Names travel unescaped, so the separators they may not hold are replaced here, and
    // cut as the host would cut them.
    plan.name = protocol::cleanName(params[0]);
    plan.address = params[1];
    plan.mode = params[2] == "true" ? StartMode::Host : StartMode::Join;
    plan.connectLobby = true;
    return plan;
}

} // namespace lastling::client
