#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace qv::test {

bool RecordingUi::question(const std::string& prompt) {
    events.push_back("question: " + prompt);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << prompt;
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void RecordingUi::ShowProgressWindow() {
    value_ = 0;
    max_ = 100;
    events.push_back("show");
}

void RecordingUi::SetProgressRange(int steps) {
    max_ = steps;
    value_ = 0;
    events.push_back("range " + std::to_string(steps));
}

void RecordingUi::StepProgress() {
    EXPECT_LT(value_, max_) << "more steps than the range";
    events.push_back("step " + std::to_string(++value_));
}

std::vector<std::string> RecordingUi::only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.starts_with(prefix)) out.push_back(e);
    return out;
}

std::string RecordingUi::transcript() const {
    std::string out;
    for (const auto& e : events) out += e + "\n";
    return out;
}

}  // namespace qv::test
