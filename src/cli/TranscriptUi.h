// The CLI's side of the UI port: every message box and progress step becomes one line on stderr
// (UTF-8), and questions are answered from the command-line flags.
#pragma once

#include <cstdio>
#include <string>

#include "core/UiPort.h"

namespace qv::cli {

struct Answers {
    bool yes = false;     // the command's own confirmation (removal, emptying)
    bool sweep = false;   // the unused-gauge question
    bool gauges = false;  // the removal's gauge question
};

class TranscriptUi : public UiPort {
  public:
    explicit TranscriptUi(Answers answers, std::FILE* out = stderr);

    bool question(const std::string& prompt) override;
    void notice(const std::string& prompt) override;
    void warning(const std::string& prompt) override;
    void ShowProgressWindow() override;
    void SetProgressRange(int steps) override;
    void SetProgressStatus(const std::string& text) override;
    void StepProgress() override;
    void CloseProgressWindow() override;
    void ClearAircraftList() override;
    void AddAircraftListEntry(const std::string& title) override;
    void yield() override {}

    void error(const std::string& text);  // an error that stops the command

  private:
    void line(const char* kind, const std::string& text);

    Answers answers_;
    std::FILE* out_;
    int progress_value_ = 0;
};

}  // namespace qv::cli
