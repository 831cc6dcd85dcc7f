// A UiPort that records every call as one line of text and answers questions from a script, so a
// test can assert the exact sequence of prompts, status texts and bar values an operation gave.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/UiPort.h"
#include "operations/CatalogueLoad.h"

namespace qv::test {

// It also keeps the aircraft list a load builds, as the main window's list would show it.
class RecordingUi : public UiPort, public AircraftListSink {
  public:
    // Answers for the coming questions, in order; a question with no scripted answer fails the
    // test and is answered No.
    void answer(std::initializer_list<bool> answers) {
        answers_.insert(answers_.end(), answers.begin(), answers.end());
    }
    // Forgets the answers no question took.
    void drop_answers() { answers_.clear(); }

    void notice(const std::string& text) override { events.push_back("notice: " + text); }
    void warning(const std::string& text) override { events.push_back("warning: " + text); }
    void show_progress() override;
    void set_progress_range(int steps) override;
    void set_progress_status(const std::string& text) override {
        events.push_back("status: " + text);
    }
    void step_progress() override;
    void close_progress() override { events.push_back("close"); }
    void offer_stop(bool offered) override {
        events.push_back(offered ? "stop offered" : "no stop");
    }
    // A batch asked whether to stop says yes from the `stop_after`th time on (0: never).
    bool stop_asked() override { return stop_after > 0 && ++stop_looks >= stop_after; }
    int stop_after = 0;
    int stop_looks = 0;
    void yield() override { ++yields; }

    void clear() override { list.clear(); }
    void add(const AircraftRecord& titled) override { list.push_back(titled.title); }

    // The events that start with `prefix` (e.g. "warning: ").
    std::vector<std::string> only(const std::string& prefix) const;
    // All events, each followed by a line break.
    std::string transcript() const;

    // "question: ...", "notice: ...", "warning: ...", "show", "range N", "status: ...",
    // "step V", "close"; the aircraft list is kept apart in `list`.
    std::vector<std::string> events;
    std::vector<std::string> list;
    int yields = 0;

  protected:
    bool on_ask(Question question, const std::string& text) override;

  private:
    std::deque<bool> answers_;
    int value_ = 0;
    int max_ = 100;
};

}  // namespace qv::test
