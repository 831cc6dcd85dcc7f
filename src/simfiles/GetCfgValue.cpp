#include "simfiles/GetCfgValue.h"

#include <cstring>
#include <vector>

#include "platform/Text.h"

namespace qv {
namespace {

// Whether `lower_key` ends just before position `eq` of `block`, compared without regard to case.
bool KeyEndsAt(std::string_view block, std::size_t eq, std::string_view lower_key) {
    if (lower_key.size() > eq) return false;
    const std::size_t start = eq - lower_key.size();
    for (std::size_t i = 0; i < lower_key.size(); ++i)
        if (lower_char(block[start + i]) != lower_key[i]) return false;
    return true;
}

// The value from `from` to the end of its line (the next CR LF) or of the block.
std::string_view ValueFrom(std::string_view block, std::size_t from) {
    const std::size_t crlf = block.find("\r\n", from);
    return block.substr(from, (crlf == std::string_view::npos ? block.size() : crlf) - from);
}

}  // namespace

void FindCfgValues(std::string_view block, std::span<const std::string_view> keys,
                   std::span<std::string_view> values) {
    for (auto& v : values) v = {};
    std::size_t missing = keys.size();
    std::vector<bool> found(keys.size(), false);
    // Every occurrence of key & "=" ends at an "=", so trying the keys at each "=" in text order
    // finds each key's first occurrence without searching the block once per key.
    const char* const base = block.data();
    std::size_t from = 0;
    while (missing > 0 && from < block.size()) {
        const void* hit = std::memchr(base + from, '=', block.size() - from);
        if (hit == nullptr) break;
        const std::size_t eq = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (found[k] || !KeyEndsAt(block, eq, keys[k])) continue;
            found[k] = true;
            --missing;
            values[k] = ValueFrom(block, eq + 1);
        }
        from = eq + 1;
    }
}

std::string GetCfgValue(std::string_view block, std::string_view key) {
    const std::string lower_key = to_lower(key);
    const std::string_view keys[] = {lower_key};
    std::string_view values[1];
    FindCfgValues(block, keys, values);
    return std::string(values[0]);
}

}  // namespace qv
