#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/files/PatternOptions.h"
#include "core/pattern/PatternJournal.h"

namespace tessary {

class PatternStore;

inline constexpr std::size_t kDefaultHistorySteps = 1000;
// The settings section of the history's length ("Steps").
inline constexpr const char* kHistorySection = "History";

// Undo and redo of every change to the pattern. Each gesture and each
// command is one step, opened with Begin and closed with the matching End;
// the journal records all the while, so a change made outside any step is
// never lost to the history but becomes a step of its own. Steps that
// change nothing are not kept. The options are part of a step.
class EditHistory {
public:
    EditHistory(PatternStore& store, ReferenceCopy& reference, PatternOptions& options,
                std::size_t limit = kDefaultHistorySteps);

    // Steps nest: the outermost names the step. A held step (an alignment)
    // stays open across commands until Release.
    void Begin(const std::string& name);
    void End();
    void Hold();
    void Release();

    bool CanUndo() const;
    bool CanRedo() const;
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    bool Undo();
    bool Redo();

    // New, Open and Close: a history of its own for each pattern.
    void Clear();
    // Saved: undoing or redoing back to here leaves nothing unsaved.
    void MarkClean();
    // What was opened is not what its file holds (a recovered pattern).
    void ForgetSavedPoint() { clean_ = -1; }
    std::size_t Steps() const { return done_.size(); }
    // The oldest steps beyond it are forgotten.
    void SetLimit(std::size_t steps);

    // Runs after an undo or redo, for what shows the pattern to follow.
    std::function<void()> afterJump = [] {};
    // Runs when what can be undone or redone may have changed.
    std::function<void()> changed = [] {};

    // A step for the length of a scope.
    class Step {
    public:
        Step(EditHistory& history, const std::string& name) : history_(history) { history_.Begin(name); }
        ~Step() { history_.End(); }
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        EditHistory& history_;
    };

private:
    struct Entry {
        std::string name;
        PatternPatch patch;  // takes the pattern to the other side of the step
        std::optional<PatternOptions> options;  // the options on the other side
    };
    // Keeps what changed since the last step as a step named name.
    void Close(const std::string& name);
    bool Jump(std::deque<Entry>& from, std::deque<Entry>& to);
    void ShowChanged();

    PatternStore& store_;
    PatternJournal journal_;
    PatternOptions& options_;
    PatternOptions optionsAtStart_;
    std::size_t limit_;
    std::deque<Entry> done_, undone_;
    std::string name_;
    int depth_ = 0;
    bool held_ = false;
    // done_.size() when the pattern was last saved; -1 when no longer reachable.
    long clean_ = 0;
};

}  // namespace tessary
