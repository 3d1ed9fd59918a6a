#pragma once

#include "tally/tally_keeper.h"

#include <deque>
#include <string>
#include <vector>

namespace lastling::tally::fakes {

// Answers each Yes/No question from a list (No once it runs out) and remembers what was asked.
struct Answers : YesNoQuestion {
    std::deque<bool> answers;
    std::vector<std::string> asked;
    bool ask(const std::string& text) override {
        asked.push_back(text);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return yes;
    }
};

} // namespace lastling::tally::fakes
