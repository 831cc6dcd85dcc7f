#include "operations/Removal.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "operations/HoldingFolder.h"
#include "operations/LeftOver.h"
#include "operations/RemovalPlan.h"
#include "operations/RemovalRecord.h"
#include "operations/RemovalRun.h"
#include "operations/Warnings.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace qv {
namespace {

using Result = RemovalOutcome::Result;

constexpr int kSteps = 7;

// How one removal of a batch ended.
struct Ended {
    Result result = Result::stopped;
    bool reload = false;
    std::string why;  // a stop: the warning
    LeftOver left;    // what stayed
};

class Removal {
  public:
    Removal(FileSystem& fs, const Workspace& workspace, UiPort& ui, const Catalogue& catalogue,
            const Clock& clock)
        : fs_(fs), workspace_(workspace), ui_(ui), catalogue_(catalogue), stamps_(clock) {}

    Ended run(const AircraftRecord& target, std::size_t earlier);
    int steps() const { return steps_; }
    // One of a batch: its records name the batch, and the status line stays the batch's.
    void in_batch() { in_batch_ = true; }

  private:
    void step(const char* status) {
        ui_.step_progress();
        ++steps_;
        if (!in_batch_) ui_.set_progress_status(status);
    }
    Ended stop(std::string why, bool reload = false) {
        remove_created_folders();
        Ended ended;
        ended.why = std::move(why);
        ended.reload = reload;
        return ended;
    }
    // The holding folders this removal made, taken away again when it stops before any move.
    void remove_created_folders() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) fs_.remove_folder(*it);
        created_.clear();
    }

    FileSystem& fs_;
    const Workspace& workspace_;
    UiPort& ui_;
    const Catalogue& catalogue_;
    RecordStamps stamps_;
    std::vector<std::string> created_;
    int steps_ = 0;
    // Asked once for a whole batch.
    std::optional<bool> gauges_answer_;
    bool in_batch_ = false;
    std::string batch_;  // the id of the batch's first record
};

Ended Removal::run(const AircraftRecord& target, std::size_t earlier) {
    steps_ = 0;
    created_.clear();
    if (std::string why = why_not_through(fs_, workspace_, target); !why.empty())
        return stop(std::move(why));

    step(msg::kStatusCreatingTemp);
    const std::string rel = aircraft_rel_path(workspace_, target.folder);
    const std::string holding_dir = path::join(workspace_.temp_path_dir, rel);
    // Made from base_dir down, one level at a time, so no level can be a link.
    FsStatus st =
        make_folder_chain(fs_, std::string(path::parent(workspace_.temp_path_dir)),
                          path::join(path::last_part(workspace_.temp_path_dir), rel), &created_);
    if (st.ok()) st = make_folder_chain(fs_, holding_dir, "Gauges", &created_);
    if (!st.ok()) return stop(warn::holding_folder_failed(st.message));

    step(msg::kStatusGettingData);
    PlanOutcome planned = plan_removal(fs_, workspace_, catalogue_, target, earlier);
    if (planned.result == PlanOutcome::Result::refused) return stop(planned.why);
    // The list shows something the disk no longer holds: it is loaded again.
    if (planned.result != PlanOutcome::Result::planned) return stop(planned.why, true);
    const RemovalPlan& plan = planned.plan;

    step(msg::kStatusSharedFiles);
    step(msg::kStatusDeletingGauges);
    RecordStamps::Stamp stamp = stamps_.next();
    RemovalRecord record =
        make_record(workspace_, plan, std::move(stamp.id), std::move(stamp.when));
    if (in_batch_) {
        if (batch_.empty()) batch_ = record.id;
        record.batch = batch_;
    }
    st = start_record(fs_, workspace_, record);
    if (!st.ok()) return stop(warn::record_failed(st.message));

    Ended ended;
    ended.left = plan.stays;
    RemovalRun removal(fs_, workspace_, record, ended.left);
    // The aircraft.cfg is held (and rewritten) before anything else moves: when that fails,
    // every file stays where it was.
    switch (removal.hold_cfg()) {
        case RemovalRun::CfgStep::done:
            break;
        case RemovalRun::CfgStep::changed:
            removal.give_up();
            return stop(warn::aircraft_changed(plan.cfg_path), true);
        case RemovalRun::CfgStep::failed:
            removal.give_up();
            return stop(ended.left.describe());
    }
    bool gauges = false;
    if (plan.gauge_question && !removal.stopped()) {
        if (!gauges_answer_) gauges_answer_ = ui_.ask(Question::remove_gauges);
        gauges = *gauges_answer_;
    }
    removal.decide_gauges(gauges);
    removal.move(MoveKind::gauge);

    step(msg::kStatusDeletingFiles);
    removal.move(MoveKind::section);
    ui_.step_progress();
    ++steps_;
    if (plan.folder_goes) {
        if (!in_batch_) ui_.set_progress_status(msg::kStatusDeletingFolder);
        removal.move(MoveKind::rest);
    }
    removal.empty_folders();
    if (plan.folder_goes) {
        ui_.step_progress();
        ++steps_;
    }
    removal.finish();
    if (removal.stopped()) ended.left.note(removal.stop_warning());
    ended.result = ended.left.empty() ? Result::completed : Result::left_over;
    ended.reload = true;
    return ended;
}

std::string batch_summary(std::size_t count, std::size_t removed,
                          const std::vector<std::string>& stopped, const LeftOver& left) {
    std::string text = std::to_string(removed) + " of the " + std::to_string(count) +
                       " selected aircraft were removed; what they took is held in the holding "
                       "folder until it is emptied.";
    for (const auto& s : stopped) text += "\r\n" + s;
    if (!left.empty()) text += "\r\n" + left.describe();
    return text;
}

}  // namespace

RemovalOutcome remove_aircraft(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::span<const std::size_t> positions,
                               const Clock& clock) {
    for (std::size_t p : positions)
        if (p >= catalogue.list_records.size()) return {Result::nothing_to_do, false, {}};
    if (positions.empty()) return {Result::nothing_to_do, false, {}};
    const std::size_t count = positions.size();
    const bool asked =
        count == 1
            ? ui.ask_about(Question::confirm_removal,
                           catalogue.aircraft_table.at(catalogue.list_records[positions[0]]).title)
            : ui.ask(Question::confirm_batch_removal,
                     replace_first(msg::kBatchRemoveQuestion, "%1", std::to_string(count)));
    if (!asked) {
        ui.notice(msg::kRemoveCanceled);
        return {Result::declined, false, {}};
    }
    std::string busy;
    const auto lock = WorkingFolderLock::take(fs, workspace, busy);
    if (!lock) {
        ui.warning(busy);
        return {Result::stopped, false, {}};
    }

    ui.show_progress();
    ui.set_progress_range(kSteps * static_cast<int>(count));
    Removal removal(fs, workspace, ui, catalogue, clock);
    if (count > 1) {
        removal.in_batch();
        ui.offer_stop(true);
    }
    bool stopped_by_user = false;
    // Sections cut out of each file so far, by folder, as their catalogue positions.
    std::map<std::string, std::vector<std::size_t>> cut;
    std::size_t removed = 0;
    bool reload = false;
    std::vector<std::string> touched;
    std::vector<std::string> stopped;
    LeftOver left;
    Ended last;
    for (std::size_t k = 0; k < count; ++k) {
        const AircraftRecord& target =
            catalogue.aircraft_table.at(catalogue.list_records[positions[k]]);
        if (count > 1 && ui.stop_asked()) {
            stopped_by_user = true;
            break;
        }
        ui.set_progress_status(count > 1
                                   ? one_of(msg::kStatusRemovingOneOf, k + 1, count, target.title)
                                   : std::string(msg::kStatusGathering));
        std::size_t earlier = 0;
        for (std::size_t index : cut[target.folder]) earlier += index < target.section_index;
        last = removal.run(target, earlier);
        reload = reload || last.reload;
        if (last.reload) touched.push_back(target.folder);
        if (last.result == Result::stopped) {
            stopped.push_back(warn::batch_stopped(target.title, last.why));
        } else {
            ++removed;
            cut[target.folder].push_back(target.section_index);
            left.merge(last.left);
        }
        // Each removal of a batch takes its share of the bar.
        if (count > 1)
            for (int s = removal.steps(); s < kSteps; ++s) ui.step_progress();
    }
    if (count > 1) ui.offer_stop(false);
    ui.close_progress();

    RemovalOutcome outcome;
    outcome.reload = reload;
    outcome.touched = std::move(touched);
    if (count == 1) {
        outcome.result = last.result;
        if (last.result == Result::stopped)
            ui.warning(last.why);
        else if (last.result == Result::completed)
            ui.notice(msg::kRemoveCompleted);
        else
            ui.warning(warn::removal_left_over(last.left.describe()));
        return outcome;
    }
    outcome.result = removed == 0                       ? Result::stopped
                     : removed == count && left.empty() ? Result::completed
                                                        : Result::left_over;
    if (outcome.result == Result::completed)
        ui.notice(msg::kRemoveCompleted);
    else if (stopped_by_user)
        ui.warning(std::string(warn::kBatchStoppedByUser) + " " +
                   batch_summary(count, removed, stopped, left));
    else
        ui.warning(batch_summary(count, removed, stopped, left));
    return outcome;
}

RemovalOutcome remove_aircraft(FileSystem& fs, const Workspace& workspace, UiPort& ui,
                               const Catalogue& catalogue, std::ptrdiff_t position,
                               const Clock& clock) {
    if (position < 0) return {Result::nothing_to_do, false, {}};
    const std::size_t one = static_cast<std::size_t>(position);
    return remove_aircraft(fs, workspace, ui, catalogue, std::span<const std::size_t>(&one, 1),
                           clock);
}

}  // namespace qv
