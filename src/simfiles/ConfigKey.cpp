#include "simfiles/ConfigKey.h"

#include "platform/Text.h"

namespace qv {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t key_end(std::string_view text, std::size_t eq) {
    while (eq > 0 && is_blank(text[eq - 1])) --eq;
    return eq;
}

std::size_t key_start(std::string_view text, std::size_t eq, std::string_view lower_key) {
    const std::size_t end = key_end(text, eq);
    if (!word_ends_at(text, end, lower_key)) return std::string_view::npos;
    return end - lower_key.size();
}

}  // namespace qv
