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
    void notice(const std::string& prompt) override { record("notice: " + prompt); }
    void warning(const std::string& prompt) override { record("warning: " + prompt); }
    void ShowProgressWindow() override;
    void SetProgressRange(int steps) override;
    void SetProgressStatus(const std::string& text) override { record("status: " + text); }
    void StepProgress() override;
    void CloseProgressWindow() override;
    void ClearAircraftList() override;
    void AddAircraftListEntry(const std::string& title) override { list.push_back(title); }
    void yield() override { ++yields; }

    // "question: ...", "notice: ...", "warning: ...", "show", "range N", "status: ...",
    // "step V", "close"; list changes are kept apart in `list`.
    std::vector<std::string> events;
    std::vector<std::string> list;
    int yields = 0;
    int value = 0;
    int max = 100;
    bool window_open = false;

    // The events that start with `prefix` (e.g. "warning: ").
    std::vector<std::string> only(const std::string& prefix) const;

  private:
    void record(std::string event) { events.push_back(std::move(event)); }
    std::deque<bool> answers_;
};

}  // namespace qv::test
