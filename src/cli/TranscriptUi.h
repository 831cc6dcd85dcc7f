// The CLI's side of the UI port: every message box and progress step becomes one line on stderr
// (UTF-8), and questions are answered from the command-line flags.
#pragma once

#include <cstdio>
#include <string>

#include "core/UiPort.h"

namespace qv::cli {

// Writes `text` (UTF-8) and a line end to `out` in one call, after what standard output holds,
// so that the two streams keep their order when they share a file. Standard output is fully
// buffered; standard error is not, and under Wine's C runtime a formatted write to an unbuffered
// stream costs one system call per character.
void write_line(std::FILE* out, std::string text);

// `text` (single-byte) with the bytes a terminal would act on shown as "\xNN": control characters,
// DEL and the code points Windows-1252 leaves undefined (C1 controls once converted). A title
// in an aircraft.cfg can hold anything.
std::string printable(std::string_view text);

struct Answers {
    bool yes = false;     // the command's own confirmation (removal, emptying)
    bool sweep = false;   // the unused-gauge question
    bool gauges = false;  // the removal's gauge question
};

class TranscriptUi : public UiPort {
  public:
    explicit TranscriptUi(Answers answers, std::FILE* out = stderr);

    void notice(const std::string& text) override;
    void warning(const std::string& text) override;
    void show_progress() override;
    void set_progress_range(int steps) override;
    void set_progress_status(const std::string& text) override;
    void step_progress() override;
    void close_progress() override;
    void yield() override {}

    void error(const std::string& text);  // an error that stops the command

  protected:
    bool on_ask(Question question, const std::string& text) override;

  private:
    void line(const char* kind, const std::string& text);

    Answers answers_;
    std::FILE* out_;
    int progress_value_ = 0;
};

}  // namespace qv::cli
