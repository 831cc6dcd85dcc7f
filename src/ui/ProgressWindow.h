// The progress window every long operation reports through: a fixed heading, a bar and one
// status text. Each change is painted at once, since the operation keeps the thread.
#pragma once

#include <string>

#include "ui/win32/Window.h"

namespace qv::ui {

class ProgressWindow : public Window {
  public:
    // Creates the window with its laid-out values (status "-None-", bar 0 of 100) unless it is
    // already open, and shows it. It is owned by `owner`, so it has no task-bar entry.
    void open(HWND owner);
    void set_range(int steps);
    void set_status(const std::wstring& text);
    void step();
    // Between steps that take long (a walk of the collection) the bar keeps creeping towards
    // the next step, so that the window never looks stuck; the next step or range sets it
    // where the steps say.
    void pulse();
    // A "Stop" button below the status, for a batch: pressed, it asks the batch to end after
    // the removal under way.
    void offer_stop(bool offered);
    bool stop_offered() const { return stop_offered_; }
    bool stop_asked() const { return stop_asked_; }

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    void show_bar_value();

    // The bar counts steps from 0 up to the operation's number of steps.
    int max_ = 100;
    int value_ = 0;
    // The bar's creep past the last step, in 1/kFine of a step, and when it last moved.
    static constexpr int kFine = 1000;
    static constexpr ULONGLONG kPulseInterval = 250;
    int creep_ = 0;
    ULONGLONG pulsed_ = 0;
    bool stop_offered_ = false;
    bool stop_asked_ = false;
};

}  // namespace qv::ui
