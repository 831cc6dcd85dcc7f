// The removal record reader on any text, as a person editing a record might leave it: no crash,
// and a record that passes the bounds check names no place outside the simulator's folders and
// the working folder's holding folder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Mismatch.h"
#include "operations/RemovalRecord.h"
#include "platform/Path.h"

namespace {

qv::Workspace workspace() {
    qv::Workspace w;
    w.base_dir = "C:\\Quorvane";
    w.temp_path_dir = "C:\\Quorvane\\Temp_Path";
    w.unused_gauges_dir = "C:\\Quorvane\\Unused Gauges";
    w.sim_main_dir = "D:\\FS2002";
    w.sim_aircraft_dir = "D:\\FS2002\\Aircraft";
    w.sim_gauges_dir = "D:\\FS2002\\Gauges";
    return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv::fuzz;
    static const qv::Workspace w = workspace();
    qv::RemovalRecord record;
    std::string error;
    if (!qv::parse_record(bytes_of(data, size), record, error)) return 0;
    require(record.moved.size() == record.moves.size(), "one journal flag per move");
    require(record.held_digests.size() == record.moves.size(), "one digest per move");
    if (!qv::out_of_bounds(w, record).empty()) return 0;
    const auto in_sim = [](const std::string& rel) {
        return qv::path::is_inside(qv::in_simulator(w, rel), w.sim_aircraft_dir) ||
               qv::path::is_inside(qv::in_simulator(w, rel), w.sim_gauges_dir);
    };
    const auto held = [](const std::string& rel) {
        return qv::path::is_inside(qv::in_working_folder(w, rel), w.temp_path_dir);
    };
    require(in_sim(record.cfg) && held(record.cfg_copy), "the aircraft.cfg and its copy");
    for (const auto& m : record.moves)
        require(in_sim(m.source) && held(m.held), "a move inside its places");
    for (const auto& f : record.folders)
        require(qv::path::is_same_or_inside(qv::in_simulator(w, f), w.sim_aircraft_dir),
                "a folder inside the aircraft folder");
    return 0;
}
