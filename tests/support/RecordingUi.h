// A UiPort that records every call as one line of text and answers questions from a script, so a
// test can assert the exact sequence of prompts, status texts and bar values an operation gave.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/UiPort.h"

namespace qv::test {

class RecordingUi : public UiPort {
  public:
    // Answers for the coming questions, in order; a question with no scripted answer fails the
    // test and is answered No.
    void answer(std::initializer_list<bool> answers) {
        answers_.insert(answers_.end(), answers.begin(), answers.end());
    }

    bool question(const std::string& prompt) override;
    void notice(const std::string& prompt) override { events.push_back("notice: " + prompt); }
    void warning(const std::string& prompt) override { events.push_back("warning: " + prompt); }
    void ShowProgressWindow() override;
    void SetProgressRange(int steps) override;
    void SetProgressStatus(const std::string& text) override {
        events.push_back("status: " + text);
    }
    void StepProgress() override;
    void CloseProgressWindow() override { events.push_back("close"); }
    void ClearAircraftList() override { list.clear(); }
    void AddAircraftListEntry(const std::string& title) override { list.push_back(title); }
    void yield() override { ++yields; }

    // The events that start with `prefix` (e.g. "warning: ").
    std::vector<std::string> only(const std::string& prefix) const;
    // All events, each followed by a line break.
    std::string transcript() const;

    // "question: ...", "notice: ...", "warning: ...", "show", "range N", "status: ...",
    // "step V", "close"; the aircraft list is kept apart in `list`.
    std::vector<std::string> events;
    std::vector<std::string> list;
    int yields = 0;

  private:
    std::deque<bool> answers_;
    int value_ = 0;
    int max_ = 100;
};

}  // namespace qv::test
