#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

class FileCommands;
class SettingsStore;
class Workspace;

inline constexpr const char* kRecoverySection = "Recovery";
inline constexpr const char* kAutosaveKey = "AutosaveSeconds";
inline constexpr long kDefaultAutosaveSeconds = 30;

using AutosaveClock = std::chrono::steady_clock;

// Where unsaved changes are kept for recovery: the user's state folder
// ($XDG_STATE_HOME when it is an absolute path, else ~/.local/state), then
// Tessary/recovery. Empty when neither is known.
std::string RecoveryFolder(const char* stateHome, const char* home);

// The stored autosave interval: zero turns autosave off; a value that is no
// whole number of seconds, or is negative, reads as the default.
std::chrono::seconds AutosaveInterval(const SettingsStore& settings);

// A pattern kept in the recovery folder: the file there, and the file the
// user had it open from (empty for a pattern never saved), which is kept
// beside it in a small text file of the same name ending in ".origin".
struct RecoveryFile {
    std::string pattern;
    std::string original;
    std::chrono::system_clock::time_point savedAt;
};

// The name a recovered pattern goes by: its original's, or "New".
std::string RecoveryTitle(const RecoveryFile& file);

struct RecoveryFolderContents {
    std::vector<RecoveryFile> recoverable;  // the latest first
    // Names of what the folder holds besides (foreign or broken files),
    // which are left as they are. Hidden names are unfinished writes.
    std::vector<std::string> unusable;
};

RecoveryFolderContents ListRecoveryFolder(const std::string& folder);

enum class RecoveryChoice { Recover, Discard, Later };

struct RecoveryAnswer {
    std::size_t index = 0;  // of the file chosen
    RecoveryChoice choice = RecoveryChoice::Later;
};

// Asks what to do with one of the files offered.
using RecoveryQuestion = std::function<RecoveryAnswer(const std::vector<RecoveryFile>&)>;

// Keeps the open pattern's unsaved changes in the recovery folder, and
// offers at start what an earlier run left there. The time is passed in, so
// that the rules can be driven without a clock.
//
// A pattern with unsaved changes is written at most one interval after the
// first change not yet written, from a snapshot of its reference copy and on
// a thread of its own: the pattern, its view, its file name and changed mark
// stay as they are and no progress window shows. The file goes once nothing
// unsaved is left (a save, a Close that does not save, the end of the
// program); a run that ends otherwise leaves it to be offered next time.
class Autosave {
public:
    // interval zero: nothing is written.
    Autosave(Workspace& ws, FileCommands& files, std::string folder, std::chrono::seconds interval);
    // Lets a write under way finish, and keeps its file.
    ~Autosave();
    Autosave(const Autosave&) = delete;
    Autosave& operator=(const Autosave&) = delete;

    // After anything the user did: notes the time of a change not yet
    // written, and removes the file once nothing unsaved is left.
    void Notice(AutosaveClock::time_point now);
    // From a timer: takes the outcome of a finished write, starts the next
    // when it is due (never in the middle of a pass that lets events run),
    // and reports the first failure of a run of them once the user is not
    // busy with a gesture or a dialog.
    void Tick(AutosaveClock::time_point now, bool userBusy);
    // How long until Tick has something to do; none while nothing is due.
    std::optional<AutosaveClock::duration> NextTick(AutosaveClock::time_point now) const;
    // Waits for a write under way and takes its outcome as Tick does.
    void Wait(AutosaveClock::time_point now, bool userBusy);

    // At start, before any pattern is open: reports what cannot be
    // recovered, then asks about each recoverable pattern until one is
    // recovered or the rest are left for later. A recovered pattern opens
    // with unsaved changes under its original's name, and its file in the
    // folder becomes the one this run keeps.
    void OfferRecovery(const RecoveryQuestion& ask);

    // The file this run keeps the pattern in; empty until one is chosen.
    const std::string& File() const { return file_; }

private:
    void Start(AutosaveClock::time_point now);
    void TakeOutcome(AutosaveClock::time_point now, std::string problem);
    // Nothing unsaved is left: the file goes, unless the user saved the
    // pattern over it.
    void Drop();
    bool Recover(const RecoveryFile& file);
    std::string ChooseFile() const;

    Workspace& ws_;
    FileCommands& files_;
    std::string folder_;
    std::chrono::seconds interval_;

    std::string file_;
    bool fileMayExist_ = false;
    std::string originOnDisk_;  // the text of the file's .origin as written
    std::string originWriting_;
    std::optional<std::uint64_t> covered_;  // the revision the last write holds
    std::optional<AutosaveClock::time_point> changedSince_;
    std::future<std::string> write_;
    bool reported_ = false;   // a failure was shown since the last success
    std::string unreported_;  // a failure waiting for a calm moment
};

}  // namespace tessary
