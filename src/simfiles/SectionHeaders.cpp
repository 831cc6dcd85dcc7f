#include "simfiles/SectionHeaders.h"

#include "platform/Text.h"

namespace qv {

bool IsSectionHeaderLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos || line[first] != '[') return false;
    return line.find(']', first) == line.find_last_not_of(' ');
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view lower_mark) {
    for (std::size_t i = 0; i + lower_mark.size() <= text.size(); ++i) {
        std::size_t j = 0;
        while (j < lower_mark.size() && lower_char(text[i + j]) == lower_mark[j]) ++j;
        if (j == lower_mark.size()) return i;
    }
    return std::string_view::npos;
}

}  // namespace qv
