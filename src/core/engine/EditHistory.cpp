#include "core/engine/EditHistory.h"

#include "core/pattern/PatternStore.h"

namespace tessary {

namespace {

const std::string kNoName;
// Changes made outside any named step (a window's own command).
const char* const kChangeName = "Change";

// The options as a pattern keeps them: whether a dialog was cancelled is
// no part of them.
PatternOptions Kept(PatternOptions o) {
    o.SetupCancelled = false;
    return o;
}

}  // namespace

EditHistory::EditHistory(PatternStore& store, ReferenceCopy& reference, PatternOptions& options, std::size_t limit)
    : store_(store), journal_(store, reference), options_(options), limit_(limit > 0 ? limit : 1) {
    journal_.StartRecording();
    optionsAtStart_ = Kept(options_);
}

void EditHistory::Close(const std::string& name) {
    PatternPatch patch = journal_.StopRecording();
    journal_.StartRecording();
    const PatternOptions before = optionsAtStart_;
    optionsAtStart_ = Kept(options_);
    const bool optionsChanged = !(before == optionsAtStart_);
    if (patch.Empty() && !optionsChanged) return;
    Entry entry{name.empty() ? kChangeName : name, std::move(patch), std::nullopt};
    if (optionsChanged) entry.options = before;
    undone_.clear();
    if (clean_ > static_cast<long>(done_.size())) clean_ = -1;
    done_.push_back(std::move(entry));
    SetLimit(limit_);
    changed();
}

void EditHistory::Begin(const std::string& name) {
    if (depth_++ == 0 && !held_) {
        // What changed since the last step is a step of its own.
        Close(kChangeName);
        name_ = name;
    } else if (name_.empty()) {
        // A window's unnamed command that runs a named one takes its name.
        name_ = name;
    }
}

void EditHistory::End() {
    if (depth_ == 0) return;
    if (--depth_ == 0 && !held_) Close(name_);
}

void EditHistory::Hold() {
    held_ = true;
    changed();
}

void EditHistory::Release() {
    if (!held_) return;
    held_ = false;
    if (depth_ == 0) Close(name_);
    changed();
}

bool EditHistory::CanUndo() const { return !done_.empty() && depth_ <= 1 && !held_; }
bool EditHistory::CanRedo() const { return !undone_.empty() && depth_ <= 1 && !held_; }
const std::string& EditHistory::UndoName() const { return done_.empty() ? kNoName : done_.back().name; }
const std::string& EditHistory::RedoName() const { return undone_.empty() ? kNoName : undone_.back().name; }

bool EditHistory::Jump(std::deque<Entry>& from, std::deque<Entry>& to) {
    if (from.empty()) return false;
    Entry entry = std::move(from.back());
    from.pop_back();
    journal_.StopRecording();
    entry.patch = journal_.Apply(entry.patch);
    if (entry.options) {
        const PatternOptions now = Kept(options_);
        options_ = *entry.options;
        entry.options = now;
    }
    journal_.StartRecording();
    optionsAtStart_ = Kept(options_);
    to.push_back(std::move(entry));
    ShowChanged();
    afterJump();
    changed();
    return true;
}

bool EditHistory::Undo() {
    // Anything changed since the last step is a step, and is undone first.
    if (depth_ == 0) Close(kChangeName);
    return CanUndo() && Jump(done_, undone_);
}

bool EditHistory::Redo() {
    // A change since the last step is a new step: there is nothing to redo.
    if (depth_ == 0) Close(kChangeName);
    return CanRedo() && Jump(undone_, done_);
}

void EditHistory::ShowChanged() { store_.SetPatternChanged(clean_ != static_cast<long>(done_.size())); }

void EditHistory::Clear() {
    journal_.StopRecording();
    journal_.StartRecording();
    optionsAtStart_ = Kept(options_);
    done_.clear();
    undone_.clear();
    clean_ = 0;
    held_ = false;
    changed();
}

void EditHistory::MarkClean() {
    if (depth_ == 0) Close(kChangeName);
    clean_ = static_cast<long>(done_.size());
    ShowChanged();
}

void EditHistory::SetLimit(std::size_t steps) {
    limit_ = steps > 0 ? steps : 1;
    while (done_.size() > limit_) {
        done_.pop_front();
        clean_ = clean_ > 0 ? clean_ - 1 : -1;
    }
}

}  // namespace tessary
