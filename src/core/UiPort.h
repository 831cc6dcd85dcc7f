// Everything the maintenance operations say to the user, and hear back, goes through this one
// interface. Implemented by the Win32 windows (real message boxes and the progress window), by
// quorvane-cli (a transcript on stderr, answers from its flags) and by the tests (a recording
// that can be asserted step by step).
#pragma once

#include <string>

#include "core/Messages.h"

namespace qv {

class UiPort {
  public:
    virtual ~UiPort() = default;

    // A Yes/No box without an icon, its text from the message table; true only on Yes.
    bool ask(Question question) { return on_ask(question, question_text(question)); }
    // The same with a text made from the table's (a number put in it).
    bool ask(Question question, const std::string& text) { return on_ask(question, text); }
    // The table's question about one thing, which a window names on a second line.
    bool ask_about(Question question, const std::string& subject) {
        return on_ask_about(question, question_text(question), subject);
    }
    virtual void notice(const std::string& text) = 0;   // OK, information icon
    virtual void warning(const std::string& text) = 0;  // OK, exclamation icon

    // The progress window. Each change is shown at once (the operation keeps the thread).
    virtual void show_progress() = 0;
    virtual void set_progress_range(int steps) = 0;  // min 0, max steps, value 0
    virtual void set_progress_status(const std::string& text) = 0;
    virtual void step_progress() = 0;  // value + 1
    virtual void close_progress() = 0;
    // While a batch runs the progress window offers a way to stop it after the removal under
    // way; front ends without one never stop.
    virtual void offer_stop(bool /*offered*/) {}
    virtual bool stop_asked() { return false; }

    // Lets the window system process pending events once (the folder walk calls it per folder).
    virtual void yield() = 0;

  protected:
    // Texts are single-byte (Windows-1252) strings.
    virtual bool on_ask(Question question, const std::string& text) = 0;
    virtual bool on_ask_about(Question question, const std::string& text,
                              const std::string& /*subject*/) {
        return on_ask(question, text);
    }
};

}  // namespace qv
