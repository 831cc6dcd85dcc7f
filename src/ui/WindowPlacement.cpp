#include "ui/WindowPlacement.h"

#include <charconv>
#include <iterator>

#include "platform/Path.h"
#include "simfiles/ConfigKey.h"

namespace qv::ui {

namespace {

bool to_int(std::string_view text, int& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

std::string placement_path(const Workspace& workspace) {
    return path::join(workspace.base_dir, kPlacementFileName);
}

}  // namespace

std::string format_placement(const WindowPlacement& p) {
    std::string text;
    const auto line = [&text](const char* key, const std::string& value) {
        text.append(key).append("=").append(value).append("\r\n");
    };
    line("left", std::to_string(p.left));
    line("top", std::to_string(p.top));
    line("width", std::to_string(p.width));
    line("height", std::to_string(p.height));
    line("maximized", p.maximized ? "1" : "0");
    std::string columns;
    for (int width : p.columns) {
        if (!columns.empty()) columns.push_back(',');
        columns.append(std::to_string(width));
    }
    line("columns", columns);
    return text;
}

std::optional<WindowPlacement> parse_placement(std::string_view text) {
    WindowPlacement p;
    const struct {
        std::string_view key;
        int* value;
    } numbers[] = {{"left", &p.left}, {"top", &p.top}, {"width", &p.width}, {"height", &p.height}};
    int found = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = trim_blanks(line.substr(0, eq));
        const std::string_view text_value = trim_blanks(line.substr(eq + 1));
        int value = 0;
        if (key == "columns") {
            std::string_view rest = text_value;
            while (!rest.empty()) {
                const std::size_t comma = rest.find(',');
                if (!to_int(trim_blanks(rest.substr(0, comma)), value) || value <= 0 ||
                    value > 10000)
                    return std::nullopt;
                p.columns.push_back(value);
                rest =
                    comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
            }
            continue;
        }
        if (!to_int(text_value, value)) return std::nullopt;
        if (key == "maximized") p.maximized = value != 0;
        for (std::size_t i = 0; i < std::size(numbers); ++i) {
            if (key != numbers[i].key) continue;
            *numbers[i].value = value;
            found |= 1 << i;
        }
    }
    if (found != 15 || p.width <= 0 || p.height <= 0 || p.width > 20000 || p.height > 20000)
        return std::nullopt;
    return p;
}

std::optional<WindowPlacement> read_placement(FileSystem& fs, const Workspace& workspace) {
    std::string text;
    if (!fs.read_file(placement_path(workspace), text).ok() || text.size() > 4096)
        return std::nullopt;
    return parse_placement(text);
}

void write_placement(FileSystem& fs, const Workspace& workspace, const WindowPlacement& placement) {
    if (workspace.base_dir.empty()) return;
    (void)fs.replace_file(placement_path(workspace), format_placement(placement));
}

}  // namespace qv::ui
