#include "simfiles/ConfigKey.h"

#include "platform/Text.h"

namespace qv {

std::size_t key_end(std::string_view, std::size_t eq) {
    return eq;
}

std::size_t key_start(std::string_view text, std::size_t eq, std::string_view lower_key) {
    const std::size_t end = key_end(text, eq);
    if (!word_ends_at(text, end, lower_key)) return std::string_view::npos;
    return end - lower_key.size();
}

}  // namespace qv
