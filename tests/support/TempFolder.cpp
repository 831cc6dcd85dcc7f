#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>

#include "platform/ListingOrder.h"
#include "platform/Text.h"

namespace qv::test {
namespace {

namespace sfs = std::filesystem;

std::string single_byte(const sfs::path& p) {
    const std::u8string u = p.u8string();
    return utf8_to_cp1252(std::string(u.begin(), u.end()));
}

std::string make_unique_folder() {
    std::error_code ec;
    const sfs::path base = sfs::temp_directory_path(ec);
    std::mt19937_64 rng(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int i = 0; i < 100; ++i) {
        const sfs::path p = base / ("qvtest-" + std::to_string(rng() % 1000000000));
        if (sfs::create_directory(p, ec)) return single_byte(p);
    }
    return {};
}

void collect(const sfs::path& dir, const std::string& prefix, std::vector<std::string>& out) {
    struct Entry {
        std::string name;
        sfs::path path;
        bool enter;
    };
    std::vector<Entry> entries;
    std::error_code ec;
    for (sfs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back({single_byte(it->path().filename()), it->path(),
                           it->is_directory() && !it->is_symlink()});
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return listing_less(a.name, b.name); });
    for (const auto& e : entries) {
        out.push_back(prefix + e.name + (e.enter ? "\\" : ""));
        if (e.enter) collect(e.path, prefix + e.name + "\\", out);
    }
}

}  // namespace

TempFolder::TempFolder() : fs_(make_native_file_system()), path_(make_unique_folder()) {
    if (path_.empty()) ADD_FAILURE() << "can't create a temporary folder";
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    clear();
    std::error_code ec;
    sfs::remove(native(""), ec);
}

std::string TempFolder::at(std::string_view rel) const {
    std::string out = path_ + "\\" + std::string(rel);
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(path_.size()), out.end(), '/', '\\');
    while (out.ends_with('\\')) out.pop_back();
    return out;
}

sfs::path TempFolder::native(std::string_view rel) const {
    std::string u = cp1252_to_utf8(at(rel));
    std::replace(u.begin(), u.end(), '\\', '/');
    return sfs::path(std::u8string(u.begin(), u.end()));
}

void TempFolder::write(std::string_view rel, std::string_view bytes) {
    const sfs::path p = native(rel);
    std::error_code ec;
    sfs::create_directories(p.parent_path(), ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out.good()) << "can't write " << at(rel);
}

void TempFolder::mkdir(std::string_view rel) {
    std::error_code ec;
    sfs::create_directories(native(rel), ec);
    ASSERT_FALSE(ec) << "can't make " << at(rel) << ": " << ec.message();
}

void TempFolder::add_attributes(std::string_view rel, bool hidden, bool system, bool read_only) {
    Attributes a;
    ASSERT_TRUE(fs_->attributes(at(rel), a).ok()) << at(rel);
    a.hidden = a.hidden || hidden;
    a.system = a.system || system;
    a.read_only = a.read_only || read_only;
    const FsStatus st = fs_->set_attributes(at(rel), a);
    ASSERT_TRUE(st.ok()) << st.message;
}

void TempFolder::link(std::string_view target_rel, std::string_view link_rel) {
    std::error_code ec;
    sfs::create_symlink(native(target_rel), native(link_rel), ec);
    ASSERT_FALSE(ec) << ec.message();
}

void TempFolder::link_absolute(const std::string& target, std::string_view link_rel) {
    std::error_code ec;
    sfs::create_symlink(sfs::path(target), native(link_rel), ec);
    ASSERT_FALSE(ec) << ec.message();
}

bool TempFolder::exists(std::string_view rel) {
    Attributes a;
    return fs_->attributes(at(rel), a).ok();
}

std::string TempFolder::read(std::string_view rel) {
    std::string bytes;
    if (!fs_->read_file(at(rel), bytes).ok()) return {};
    return bytes;
}

std::vector<std::string> TempFolder::tree(std::string_view rel) const {
    std::vector<std::string> out;
    collect(native(rel), "", out);
    return out;
}

std::map<std::string, std::string> TempFolder::files(std::string_view rel) const {
    std::map<std::string, std::string> out;
    for (const auto& entry : tree(rel)) {
        if (entry.ends_with('\\')) continue;
        const sfs::path at = native(std::string(rel) + "\\" + entry);
        std::error_code ec;
        if (sfs::is_symlink(at, ec) && sfs::is_directory(at, ec)) continue;
        std::ifstream in(at, std::ios::binary);
        out[entry] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return out;
}

void TempFolder::clear() {
    std::error_code ec, ignored;
    const sfs::path root = native("");
    // Read-only entries are made writable first (on Windows the attribute blocks a delete).
    for (sfs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_symlink(ignored))
            sfs::permissions(it->path(), sfs::perms::owner_all, sfs::perm_options::add, ignored);
    std::vector<sfs::path> top;
    for (sfs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        top.push_back(it->path());
    for (const auto& p : top) sfs::remove_all(p, ignored);
}

}  // namespace qv::test
