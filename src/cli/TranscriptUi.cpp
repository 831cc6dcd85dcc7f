#include "cli/TranscriptUi.h"

#include <string_view>

#include "core/Messages.h"
#include "platform/Text.h"

namespace qv::cli {
namespace {

// A line break inside a text is written as the two characters "\n", so each event stays one line.
std::string one_line(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\n";
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            out += "\\n";
        } else {
            out += text[i];
        }
    }
    return cp1252_to_utf8(out);
}

}  // namespace

TranscriptUi::TranscriptUi(Answers answers, std::FILE* out) : answers_(answers), out_(out) {}

void TranscriptUi::line(const char* kind, const std::string& text) {
    std::fprintf(out_, "%s: %s\n", kind, one_line(text).c_str());
    std::fflush(out_);
}

bool TranscriptUi::question(const std::string& prompt) {
    line("question", prompt);
    bool yes = false;
    const std::string_view p = prompt;
    if (p == msg::kSweepQuestion) {
        yes = answers_.sweep;
    } else if (p == msg::kGaugeQuestion) {
        yes = answers_.gauges;
    } else if (p == msg::kRemoveQuestion || p == msg::kEmptyTempQuestion ||
               p == msg::kEmptyUnusedQuestion) {
        yes = answers_.yes;
    }
    std::fprintf(out_, "answer: %s\n", yes ? "yes" : "no");
    std::fflush(out_);
    return yes;
}

void TranscriptUi::notice(const std::string& prompt) {
    line("notice", prompt);
}
void TranscriptUi::warning(const std::string& prompt) {
    line("warning", prompt);
}
void TranscriptUi::error(const std::string& text) {
    line("error", text);
}

void TranscriptUi::ShowProgressWindow() {
    progress_value_ = 0;
    std::fprintf(out_, "progress: show\n");
}

void TranscriptUi::SetProgressRange(int steps) {
    progress_value_ = 0;
    std::fprintf(out_, "progress: range %d\n", steps);
}

void TranscriptUi::SetProgressStatus(const std::string& text) {
    std::fprintf(out_, "progress: status %s\n", one_line(text).c_str());
}

void TranscriptUi::StepProgress() {
    std::fprintf(out_, "progress: step %d\n", ++progress_value_);
}

void TranscriptUi::CloseProgressWindow() {
    std::fprintf(out_, "progress: close\n");
    std::fflush(out_);
}

// The list itself is printed by the commands that want it, from the catalogue.
void TranscriptUi::ClearAircraftList() {}
void TranscriptUi::AddAircraftListEntry(const std::string&) {}

}  // namespace qv::cli
