#include "operations/GaugeIndex.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

bool is_delimiter(char c) {
    return c == '!' || c == ',';
}
bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}

using LowerTable = std::array<unsigned char, 256>;

constexpr std::uint64_t kBase = 0x100000001B3ull;
constexpr std::uint64_t kLengthMix = 0x9E3779B97F4A7C15ull;

// A polynomial hash of a lower-cased piece, built from its last character towards its first so
// that it can be extended one character to the left at a time.
struct BackwardHash {
    std::uint64_t value = 0;
    std::uint64_t power = 1;
    std::size_t length = 0;

    void prepend(unsigned char c) {
        value += (c + 1u) * power;
        power *= kBase;
        ++length;
    }
    std::uint64_t key() const { return value + length * kLengthMix; }
};

// The distinct lower-cased stems in an open-addressing table keyed by their backward hash.
class StemTable {
  public:
    explicit StemTable(const std::vector<std::string>& stems) : stems_(stems) {
        std::size_t size = 16;
        while (size < stems.size() * 2) size *= 2;
        slots_.assign(size, Slot{});
        mask_ = size - 1;
        for (std::size_t i = 0; i < stems.size(); ++i) {
            BackwardHash h;
            for (std::size_t k = stems[i].size(); k > 0; --k)
                h.prepend(static_cast<unsigned char>(stems[i][k - 1]));
            std::size_t at = index(h.key());
            while (slots_[at].stem != kEmpty) at = (at + 1) & mask_;
            slots_[at] = {h.key(), static_cast<std::uint32_t>(i)};
            const std::uint64_t bit = filter_bit(h.key());
            filter_[static_cast<std::size_t>(bit / 64)] |= std::uint64_t{1} << (bit % 64);
        }
    }

    // Marks the stems equal to `piece` lower-cased (whose hash is `h`) as used.
    void mark(const BackwardHash& h, std::string_view piece, const LowerTable& lower_of,
              std::vector<bool>& used) const {
        // Nearly every piece names no stem: a small bit filter that stays in the cache settles
        // most of them without touching the table.
        const std::uint64_t bit = filter_bit(h.key());
        if ((filter_[static_cast<std::size_t>(bit / 64)] & (std::uint64_t{1} << (bit % 64))) == 0)
            return;
        for (std::size_t at = index(h.key()); slots_[at].stem != kEmpty; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (slot.key != h.key() || used[slot.stem]) continue;
            const std::string& stem = stems_[slot.stem];
            if (stem.size() != piece.size()) continue;
            bool same = true;
            for (std::size_t k = 0; k < stem.size() && same; ++k)
                same = lower_of[static_cast<unsigned char>(piece[k])] ==
                       static_cast<unsigned char>(stem[k]);
            if (same) used[slot.stem] = true;
        }
    }

  private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t stem = kEmpty;
    };
    std::size_t index(std::uint64_t key) const {
        return static_cast<std::size_t>((key * kLengthMix) >> 40) & mask_;
    }

    static std::uint64_t filter_bit(std::uint64_t key) { return (key * kFilterMix) >> 44; }

    static constexpr std::uint64_t kFilterMix = 0xC2B2AE3D27D4EB4Full;
    const std::vector<std::string>& stems_;
    std::vector<std::uint64_t> filter_ = std::vector<std::uint64_t>((std::uint64_t{1} << 20) / 64);
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

// A set of lines (views into the gauge lists) keyed by a hash the caller computed.
class DistinctLines {
  public:
    // False when the line is in the set already.
    bool insert(std::string_view line, std::uint64_t hash) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        std::size_t at = index(hash);
        for (; slots_[at].used; at = (at + 1) & (slots_.size() - 1))
            if (slots_[at].hash == hash && slots_[at].line == line) return false;
        slots_[at] = {hash, line, true};
        ++count_;
        return true;
    }

  private:
    struct Slot {
        std::uint64_t hash = 0;
        std::string_view line;
        bool used = false;
    };
    std::size_t index(std::uint64_t hash) const {
        return static_cast<std::size_t>((hash * kLengthMix) >> 32) & (slots_.size() - 1);
    }
    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(std::max<std::size_t>(1024, old.size() * 2), Slot{});
        for (const Slot& slot : old) {
            if (!slot.used) continue;
            std::size_t at = index(slot.hash);
            while (slots_[at].used) at = (at + 1) & (slots_.size() - 1);
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// Marks every stem that some piece of `line` ending just before one of its delimiters equals.
void mark_pieces_of(std::string_view line, const StemTable& table, std::size_t longest,
                    const LowerTable& lower_of, std::vector<bool>& used) {
    for (std::size_t q = 0; q < line.size(); ++q) {
        if (!is_delimiter(line[q])) continue;
        BackwardHash h;
        table.mark(h, {}, lower_of, used);
        for (std::size_t i = q; i > q - std::min(q, longest); --i) {
            h.prepend(lower_of[static_cast<unsigned char>(line[i - 1])]);
            table.mark(h, line.substr(i - 1, q - i + 1), lower_of, used);
        }
    }
}

bool named_by_search(std::span<const std::string_view> gauge_lists, const std::string& lower_stem) {
    const std::string bang = lower_stem + "!";
    const std::string comma = lower_stem + ",";
    return std::any_of(gauge_lists.begin(), gauge_lists.end(), [&](std::string_view gauges) {
        const std::string list = to_lower(gauges);
        return list.find(bang) != std::string::npos || list.find(comma) != std::string::npos;
    });
}

}  // namespace

std::vector<bool> find_used_gauges(std::span<const std::string_view> gauge_lists,
                                   std::span<const std::string_view> stems) {
    // Stems differing only in case (CESSNA.GAU, cessna.zip) are decided once.
    std::vector<std::string> distinct;
    std::vector<std::size_t> stem_to_distinct(stems.size());
    std::unordered_map<std::string, std::size_t> seen;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < stems.size(); ++i) {
        std::string lower = to_lower(stems[i]);
        auto [it, added] = seen.try_emplace(lower, distinct.size());
        if (added) {
            longest = std::max(longest, lower.size());
            distinct.push_back(std::move(lower));
        }
        stem_to_distinct[i] = it->second;
    }

    std::vector<bool> used(distinct.size(), false);
    const StemTable table(distinct);
    LowerTable lower_of{};
    for (int c = 0; c < 256; ++c)
        lower_of[static_cast<std::size_t>(c)] =
            static_cast<unsigned char>(lower_char(static_cast<char>(c)));
    // Panels share most of their gauges: each distinct line is looked at once.
    DistinctLines lines;
    for (const std::string_view list : gauge_lists) {
        std::size_t start = 0;
        while (start < list.size()) {
            std::uint64_t hash = 0;
            bool delimited = false;
            std::size_t end = start;
            for (; end < list.size() && !is_line_break(list[end]); ++end) {
                hash = hash * kBase + static_cast<unsigned char>(list[end]);
                delimited = delimited || is_delimiter(list[end]);
            }
            const std::string_view line = list.substr(start, end - start);
            start = end + 1;
            if (delimited && lines.insert(line, hash))
                mark_pieces_of(line, table, longest, lower_of, used);
        }
    }
    for (std::size_t d = 0; d < distinct.size(); ++d) {
        if (std::any_of(distinct[d].begin(), distinct[d].end(), is_line_break))
            used[d] = named_by_search(gauge_lists, distinct[d]);
    }

    std::vector<bool> result(stems.size());
    for (std::size_t i = 0; i < stems.size(); ++i) result[i] = used[stem_to_distinct[i]];
    return result;
}

bool is_gauge_file(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string ext = to_lower(name.substr(name.size() - 4));
    return ext == ".gau" || ext == ".zip" || ext == ".cab";
}

const std::string GaugeFolder::kFilePatterns[3] = {"*.gau", "*.cab", "*.dll"};

const std::unordered_set<std::string>& GaugeFolder::names_in(const std::string& rel_folder) {
    auto [it, fresh] = listed_.try_emplace(to_lower(rel_folder));
    if (fresh) {
        const std::string folder = rel_folder.empty() ? folder_ : path::join(folder_, rel_folder);
        FolderScan scan;
        const FsStatus st = fs_.scan_folder(folder, kFilePatterns, scan);
        if (!st.ok() && !st.not_found()) incomplete_ = true;
        if (st.ok()) {
            for (const auto& file : scan.suffixed) it->second.insert(to_lower(file));
            for (const auto& sub : scan.subfolders) it->second.insert(to_lower(sub.name));
        }
    }
    return it->second;
}

void GaugeFolder::seen(const std::vector<std::string>& entries) {
    std::unordered_set<std::string>& names = listed_[""];
    for (const auto& e : entries) names.insert(to_lower(e));
    answers_.clear();
}

bool GaugeFolder::offers(std::string_view name) {
    if (const auto known = answers_.find(name); known != answers_.end()) return known->second;
    const auto answer = answers_.emplace(std::string(name), false).first;
    const auto clean = path::clean_relative(name);
    if (!clean) return false;
    const std::string rel(path::parent(*clean));
    const std::string last = to_lower(path::last_part(*clean));
    const std::unordered_set<std::string>& names = names_in(rel);
    for (const char* ext : {"", ".gau", ".cab", ".dll"})
        if (names.contains(last + ext)) return answer->second = true;
    return false;
}

}  // namespace qv
