#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace qv::test {

bool RecordingUi::on_ask(Question, const std::string& text) {
    events.push_back("question: " + text);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void RecordingUi::show_progress() {
    value_ = 0;
    max_ = 100;
    events.push_back("show");
}

void RecordingUi::set_progress_range(int steps) {
    max_ = steps;
    value_ = 0;
    events.push_back("range " + std::to_string(steps));
}

void RecordingUi::step_progress() {
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
