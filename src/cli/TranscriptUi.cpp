#include "cli/TranscriptUi.h"

#include "platform/Path.h"
#include "platform/Text.h"

namespace qv::cli {
namespace {

// A line break inside a text is written as the two characters "\n", so each event stays one line.
// Paths in it are written the way this system writes them.
std::string one_line(const std::string& message) {
    const std::string text = path::with_native_separators(message);
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
    return cp1252_to_utf8(printable(out));
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const bool control =
            b < 0x20 || b == 0x7f || b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d;
        if (!control) {
            out += c;
            continue;
        }
        static const char kHex[] = "0123456789abcdef";
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out;
}

void write_line(std::FILE* out, std::string text) {
    text += '\n';
    if (out != stdout) std::fflush(stdout);
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
}

TranscriptUi::TranscriptUi(Answers answers, std::FILE* out) : answers_(answers), out_(out) {}

void TranscriptUi::line(const char* kind, const std::string& text) {
    write_line(out_, std::string(kind) + ": " + one_line(text));
}

bool TranscriptUi::on_ask(Question question, const std::string& text) {
    line("question", text);
    bool yes = false;
    switch (question) {
        case Question::sweep_unused_gauges:
            yes = answers_.sweep;
            break;
        case Question::remove_gauges:
            yes = answers_.gauges;
            break;
        case Question::confirm_removal:
        case Question::confirm_batch_removal:
        case Question::empty_temp_path:
        case Question::empty_unused_gauges:
        case Question::confirm_restore:
        case Question::confirm_hold:
            yes = answers_.yes;
            break;
    }
    write_line(out_, yes ? "answer: yes" : "answer: no");
    return yes;
}

void TranscriptUi::notice(const std::string& text) {
    line("notice", text);
}
void TranscriptUi::warning(const std::string& text) {
    line("warning", text);
}
void TranscriptUi::error(const std::string& text) {
    line("error", text);
}

void TranscriptUi::show_progress() {
    progress_value_ = 0;
    write_line(out_, "progress: show");
}

void TranscriptUi::set_progress_range(int steps) {
    progress_value_ = 0;
    write_line(out_, "progress: range " + std::to_string(steps));
}

void TranscriptUi::set_progress_status(const std::string& text) {
    write_line(out_, "progress: status " + one_line(text));
}

void TranscriptUi::step_progress() {
    write_line(out_, "progress: step " + std::to_string(++progress_value_));
}

void TranscriptUi::close_progress() {
    write_line(out_, "progress: close");
}

}  // namespace qv::cli
