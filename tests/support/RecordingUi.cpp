#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace qv::test {

bool RecordingUi::question(const std::string& prompt) {
    record("question: " + prompt);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << prompt;
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void RecordingUi::ShowProgressWindow() {
    window_open = true;
    value = 0;
    max = 100;
    record("show");
}

void RecordingUi::SetProgressRange(int steps) {
    max = steps;
    value = 0;
    record("range " + std::to_string(steps));
}

void RecordingUi::StepProgress() {
    ++value;
    EXPECT_LE(value, max) << "more steps than the range";
    record("step " + std::to_string(value));
}

void RecordingUi::CloseProgressWindow() {
    window_open = false;
    record("close");
}

void RecordingUi::ClearAircraftList() {
    list.clear();
}

std::vector<std::string> RecordingUi::only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
    return out;
}

}  // namespace qv::test
