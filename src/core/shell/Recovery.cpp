#include "core/shell/Recovery.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/engine/Workspace.h"
#include "core/files/FileReplacement.h"
#include "core/services/AppTitle.h"
#include "core/services/Settings.h"
#include "core/shell/FileCommands.h"

namespace tessary {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPatternExtension = ".pat";
constexpr const char* kOriginExtension = ".origin";
const std::string kOriginHeading = std::string(kAppTitle) + " recovery";
constexpr const char* kOriginKey = "original=";
// An origin file is two short lines; anything much longer is not one.
constexpr std::uintmax_t kLongestOrigin = 64 * 1024;
// Longer than a day between writes is no autosave, and would overflow the clock.
constexpr long kLongestInterval = 24 * 60 * 60;

std::string OriginPath(const std::string& pattern) {
    return fs::path(pattern).replace_extension(kOriginExtension).string();
}

// The origin file's text: a heading, then the original's path with line
// breaks and backslashes escaped, so any path fits on its line.
std::string OriginText(const std::string& original) {
    std::string text = kOriginHeading + "\n" + kOriginKey;
    for (const char c : original) {
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\n') {
            text += "\\n";
        } else {
            text += c;
        }
    }
    return text + "\n";
}

std::optional<std::string> ReadOrigin(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kLongestOrigin || ec) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string heading, line, rest;
    if (!std::getline(in, heading) || heading != kOriginHeading || !std::getline(in, line) ||
        line.rfind(kOriginKey, 0) != 0 || std::getline(in, rest)) {
        return std::nullopt;
    }
    std::string original;
    for (std::size_t i = std::string(kOriginKey).size(); i < line.size(); ++i) {
        if (line[i] != '\\') {
            original += line[i];
            continue;
        }
        if (++i == line.size()) return std::nullopt;
        if (line[i] == '\\') {
            original += '\\';
        } else if (line[i] == 'n') {
            original += '\n';
        } else {
            return std::nullopt;
        }
    }
    return original;
}

// Empty when the pattern's file and its origin are gone (or never were),
// else why not.
std::string RemoveRecoveryFile(const std::string& pattern) {
    std::error_code ec;
    fs::remove(pattern, ec);
    if (ec) return ec.message();
    fs::remove(OriginPath(pattern), ec);
    return ec ? ec.message() : std::string();
}

// The caption of a pattern opened from path.
std::string CaptionFor(const std::string& path) { return path.empty() ? kNewCaption : PatternTitle(path); }

// Writes the origin when it changed, then the pattern: a pattern in the
// folder always has its origin beside it.
std::string WriteRecoveryFile(const PatternSnapshot& snapshot, const std::string& folder, const std::string& pattern,
                              const std::string& origin, bool writeOrigin) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return "the folder could not be made: " + ec.message();
    if (writeOrigin) {
        const std::string problem =
            ReplaceFileContent(OriginPath(pattern), origin, FileReplacement::NewFile::OwnerOnly);
        if (!problem.empty()) return problem;
    }
    return WritePatternSnapshot(snapshot, pattern);
}

}  // namespace

std::string RecoveryFolder(const char* stateHome, const char* home) {
    fs::path state;
    if (stateHome != nullptr && fs::path(stateHome).is_absolute()) {
        state = stateHome;
    } else if (home != nullptr && *home != '\0') {
        state = fs::path(home) / ".local" / "state";
    } else {
        return {};
    }
    return (state / kAppTitle / "recovery").string();
}

std::chrono::seconds AutosaveInterval(const SettingsStore& settings) {
    const long seconds = ReadInteger(settings, kRecoverySection, kAutosaveKey, kDefaultAutosaveSeconds);
    if (seconds < 0) return std::chrono::seconds(kDefaultAutosaveSeconds);
    return std::chrono::seconds(std::min(seconds, kLongestInterval));
}

std::string RecoveryTitle(const RecoveryFile& file) { return CaptionFor(file.original); }

RecoveryFolderContents ListRecoveryFolder(const std::string& folder) {
    RecoveryFolderContents contents;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        const std::string name = path.filename().string();
        if (name.front() == '.') continue;
        // What this program writes there is never a link.
        std::error_code kind;
        const bool regular = !it->is_symlink(kind) && it->is_regular_file(kind);
        const std::string extension = path.extension().string();
        if (regular && extension == kPatternExtension) {
            if (const auto original = ReadOrigin(OriginPath(path.string()))) {
                std::error_code time;
                const auto written = fs::last_write_time(path, time);
                RecoveryFile file{path.string(), *original, {}};
                if (!time) {
                    file.savedAt = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                        std::chrono::file_clock::to_sys(written));
                }
                contents.recoverable.push_back(std::move(file));
                continue;
            }
        } else if (regular && extension == kOriginExtension) {
            // Told with its pattern, if there is one.
            std::error_code beside;
            if (fs::is_regular_file(fs::path(path).replace_extension(kPatternExtension), beside)) continue;
        }
        contents.unusable.push_back(name);
    }
    std::sort(contents.recoverable.begin(), contents.recoverable.end(), [](const auto& a, const auto& b) {
        return a.savedAt != b.savedAt ? a.savedAt > b.savedAt : a.pattern < b.pattern;
    });
    std::sort(contents.unusable.begin(), contents.unusable.end());
    return contents;
}

Autosave::Autosave(Workspace& ws, FileCommands& files, std::string folder, std::chrono::seconds interval)
    : ws_(ws), files_(files), folder_(std::move(folder)), interval_(interval) {}

Autosave::~Autosave() {
    if (write_.valid()) write_.wait();
}

void Autosave::Notice(AutosaveClock::time_point now) {
    const PatternStore& store = ws_.store;
    if (!files_.PatternOpen() || !store.PatternChanged()) {
        Drop();
        return;
    }
    if (store.Revision() != covered_ && !changedSince_) changedSince_ = now;
}

void Autosave::Tick(AutosaveClock::time_point now, bool userBusy) {
    Notice(now);
    if (write_.valid() && write_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        TakeOutcome(now, write_.get());
    }
    const bool due = changedSince_ && interval_.count() > 0 && now >= *changedSince_ + interval_;
    if (due && !write_.valid() && !ws_.session.progress.Pumping()) Start(now);
    // Last: the message lets events run.
    if (!unreported_.empty() && !userBusy) {
        reported_ = true;
        const std::string problem = std::move(unreported_);
        unreported_.clear();
        ws_.session.messages.MsgAutosaveFailed(folder_, problem);
    }
}

std::optional<AutosaveClock::duration> Autosave::NextTick(AutosaveClock::time_point now) const {
    using std::chrono::milliseconds;
    if (write_.valid()) return milliseconds(20);
    if (!unreported_.empty()) return milliseconds(500);
    if (!changedSince_ || interval_.count() == 0) return std::nullopt;
    return std::max<AutosaveClock::duration>(*changedSince_ + interval_ - now, AutosaveClock::duration::zero());
}

void Autosave::Wait(AutosaveClock::time_point now, bool userBusy) {
    if (write_.valid()) write_.wait();
    Tick(now, userBusy);
}

void Autosave::Start(AutosaveClock::time_point now) {
    Session& s = ws_.session;
    // A file the user saved the pattern to is theirs, not this run's.
    if (!file_.empty() && IsSameFile(file_, s.file.document.patternPath)) {
        file_.clear();
        fileMayExist_ = false;
        originOnDisk_.clear();
    }
    if (file_.empty()) file_ = ChooseFile();
    covered_ = ws_.store.Revision();
    changedSince_.reset();
    if (file_.empty()) {
        TakeOutcome(now, "there is no folder for it");
        return;
    }
    std::string original = s.file.document.patternPath;
    std::error_code ec;
    // Recovered in another run, perhaps from another folder.
    if (!original.empty()) original = fs::absolute(original, ec).string();
    originWriting_ = OriginText(original);
    fileMayExist_ = true;
    auto write = [snapshot = s.file.Snapshot(), folder = folder_, file = file_, origin = originWriting_,
                  writeOrigin = originWriting_ != originOnDisk_]() -> std::string {
        try {
            return WriteRecoveryFile(snapshot, folder, file, origin, writeOrigin);
        } catch (const std::exception& e) {
            return std::string("it could not be written: ") + e.what();
        }
    };
    try {
        write_ = std::async(std::launch::async, std::move(write));
    } catch (const std::system_error&) {
        // No thread to be had: written here, as a save would be.
        std::promise<std::string> done;
        done.set_value(write());
        write_ = done.get_future();
    }
}

void Autosave::TakeOutcome(AutosaveClock::time_point now, std::string problem) {
    if (problem.empty()) {
        originOnDisk_ = originWriting_;
        reported_ = false;
        unreported_.clear();
        return;
    }
    // Tried again one interval later, quietly once the user has been told.
    originOnDisk_.clear();
    covered_.reset();
    changedSince_ = now;
    if (!reported_) unreported_ = std::move(problem);
}

void Autosave::Drop() {
    if (write_.valid()) write_.get();
    changedSince_.reset();
    covered_ = ws_.store.Revision();
    unreported_.clear();
    if (!fileMayExist_) return;
    if (IsSameFile(file_, ws_.session.file.document.patternPath)) {
        std::error_code ec;
        fs::remove(OriginPath(file_), ec);
    } else {
        RemoveRecoveryFile(file_);
    }
    file_.clear();
    fileMayExist_ = false;
    originOnDisk_.clear();
}

std::string Autosave::ChooseFile() const {
    if (folder_.empty()) return {};
    // Named after the pattern, never over anything already in the folder.
    std::string title = CaptionFor(ws_.session.file.document.patternPath);
    title.erase(0, title.find_first_not_of('.'));
    // Room for a number and the extension in a file name; cut between characters.
    constexpr std::size_t kLongestTitle = 100;
    if (title.size() > kLongestTitle) {
        std::size_t cut = kLongestTitle;
        while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80) --cut;
        title.resize(cut);
    }
    if (title.empty()) title = kNewCaption;
    for (int n = 1; n < 1000; ++n) {
        const std::string stem = n == 1 ? title : title + "-" + std::to_string(n);
        const fs::path pattern = fs::path(folder_) / (stem + kPatternExtension);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(pattern, ec)) && !fs::exists(fs::symlink_status(OriginPath(pattern), ec))) {
            return pattern.string();
        }
    }
    return {};
}

void Autosave::OfferRecovery(const RecoveryQuestion& ask) {
    Messages& messages = ws_.session.messages;
    RecoveryFolderContents contents = ListRecoveryFolder(folder_);
    if (!contents.unusable.empty()) messages.MsgRecoveryFilesLeft(folder_, contents.unusable);
    std::vector<RecoveryFile>& files = contents.recoverable;
    while (!files.empty()) {
        const RecoveryAnswer answer = ask(files);
        if (answer.choice == RecoveryChoice::Later || answer.index >= files.size()) return;
        const auto chosen = files.begin() + static_cast<std::ptrdiff_t>(answer.index);
        if (answer.choice == RecoveryChoice::Discard) {
            if (messages.MsgDiscardRecovery(RecoveryTitle(*chosen)) != AnswerYes) continue;
            const std::string problem = RemoveRecoveryFile(chosen->pattern);
            if (!problem.empty()) messages.MsgRecoveryNotDiscarded(chosen->pattern, problem);
        } else if (Recover(*chosen)) {
            return;
        }
        // Discarded, or not readable (which the reader has said): left as it is.
        files.erase(chosen);
    }
}

bool Autosave::Recover(const RecoveryFile& file) {
    files_.OpenPatternCommand(file.pattern);
    if (!files_.PatternOpen()) return false;
    Session& s = ws_.session;
    s.file.document.patternPath = file.original;
    ws_.surface.Caption = RecoveryTitle(file);
    ws_.store.SetPatternChanged(true);
    // Not what the original file holds: no undo leads back to a saved state.
    ws_.history.ForgetSavedPoint();
    // The file holds the pattern as it now stands, and keeps it from now on.
    file_ = file.pattern;
    fileMayExist_ = true;
    originOnDisk_ = OriginText(file.original);
    covered_ = ws_.store.Revision();
    changedSince_.reset();
    return true;
}

}  // namespace tessary
