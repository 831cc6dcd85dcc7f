// What the in-process timers (decision_timer.cpp, removal_timer.cpp) share: a UI port that shows
// nothing and answers as a script would, and a stopwatch giving wall and processor time.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>

#include "core/UiPort.h"

namespace bench {

// Answers the command's own confirmation with `confirm` and every other question (the unused
// gauges, the removal's gauges) with No; shows nothing, counts the catalogue loads it sees.
class SilentUi : public qv::UiPort {
  public:
    explicit SilentUi(bool confirm = false) : confirm_(confirm) {}

    void notice(const std::string&) override {}
    void warning(const std::string&) override {}
    void show_progress() override {}
    void set_progress_range(int) override {}
    void set_progress_status(const std::string& text) override {
        if (text == qv::msg::kStatusGettingAircrafts) ++loads;
    }
    void step_progress() override {}
    void close_progress() override {}
    void yield() override {}

    int loads = 0;

  protected:
    bool on_ask(qv::Question question, const std::string&) override {
        return confirm_ && (question == qv::Question::confirm_removal ||
                            question == qv::Question::confirm_batch_removal);
    }

  private:
    bool confirm_;
};

struct Seconds {
    double wall = 0;  // seconds
    double cpu = 0;   // seconds of processor time of this process

    Seconds& operator+=(const Seconds& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

template <typename Work>
Seconds timed(Work work) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC};
}

// The best wall time and the best processor time of `runs` runs of `work`.
template <typename Work>
Seconds best_of(int runs, Work work) {
    Seconds best{1e300, 1e300};
    for (int i = 0; i < runs; ++i) {
        const Seconds s = timed(work);
        best.wall = std::min(best.wall, s.wall);
        best.cpu = std::min(best.cpu, s.cpu);
    }
    return best;
}

}  // namespace bench
