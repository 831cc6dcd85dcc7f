#include "support/FailingFileSystem.h"

#include "platform/Text.h"

namespace qv::test {
namespace {

FsStatus injected(const std::string& path) {
    return {FsError::failed, "Injected failure on " + path};
}

}  // namespace

bool FailingFileSystem::hit(Op op, const std::string& path, const std::string& other) {
    const std::string p = to_lower(path);
    const std::string o = to_lower(other);
    for (const auto& r : rules_) {
        if (r.op != op) continue;
        const std::string part = to_lower(r.path_part);
        if (p.find(part) != std::string::npos ||
            (!other.empty() && o.find(part) != std::string::npos)) {
            ++failures_;
            return true;
        }
    }
    return false;
}

FsStatus FailingFileSystem::list(const std::string& pattern, ListFilter filter,
                                 std::vector<std::string>& names) {
    if (hit(Op::list, pattern)) return injected(pattern);
    return inner_.list(pattern, filter, names);
}

FsStatus FailingFileSystem::scan_folder(const std::string& folder,
                                        std::span<const std::string> wanted, FolderScan& out) {
    if (hit(Op::scan_folder, folder)) return injected(folder);
    return inner_.scan_folder(folder, wanted, out);
}

FsStatus FailingFileSystem::attributes(const std::string& path, Attributes& out) {
    if (hit(Op::attributes, path)) return injected(path);
    return inner_.attributes(path, out);
}

FsStatus FailingFileSystem::set_normal(const std::string& path) {
    if (hit(Op::set_normal, path)) return injected(path);
    return inner_.set_normal(path);
}

FsStatus FailingFileSystem::set_attributes(const std::string& path, const Attributes& attrs) {
    if (hit(Op::set_attributes, path)) return injected(path);
    return inner_.set_attributes(path, attrs);
}

FsStatus FailingFileSystem::create_folder(const std::string& path) {
    if (hit(Op::create_folder, path)) return injected(path);
    return inner_.create_folder(path);
}

FsStatus FailingFileSystem::create_folders(const std::string& path) {
    if (hit(Op::create_folders, path)) return injected(path);
    return inner_.create_folders(path);
}

FsStatus FailingFileSystem::remove_folder(const std::string& path) {
    if (hit(Op::remove_folder, path)) return injected(path);
    return inner_.remove_folder(path);
}

FsStatus FailingFileSystem::copy_file(const std::string& from, const std::string& to) {
    if (hit(Op::copy_file, from, to)) return injected(from);
    return inner_.copy_file(from, to);
}

FsStatus FailingFileSystem::delete_file(const std::string& path) {
    if (hit(Op::delete_file, path)) return injected(path);
    return inner_.delete_file(path);
}

FsStatus FailingFileSystem::replace_file(const std::string& path, std::string_view bytes) {
    if (hit(Op::replace_file, path)) return injected(path);
    return inner_.replace_file(path, bytes);
}

FsStatus FailingFileSystem::write_file(const std::string& path, std::string_view bytes) {
    if (hit(Op::write_file, path)) return injected(path);
    return inner_.write_file(path, bytes);
}

FsStatus FailingFileSystem::read_file(const std::string& path, std::string& bytes) {
    if (hit(Op::read_file, path)) return injected(path);
    return inner_.read_file(path, bytes);
}

FsStatus FailingFileSystem::identity(const std::string& path, FileIdentity& out) {
    if (hit(Op::identity, path)) return injected(path);
    return inner_.identity(path, out);
}

}  // namespace qv::test
