#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/MessagePresenter.h"
#include "core/platform/ProgressWindow.h"
#include "core/services/Settings.h"
#include "core/engine/Session.h"

namespace tessary::test {

class FakeSettings : public SettingsStore {
public:
    std::optional<std::string> Read(const std::string& section, const std::string& key) const override;
    void Write(const std::string& section, const std::string& key, const std::string& value) override;
    bool Flush() override;
    std::string Location() const override { return "/home/user/.config/Tessary/Tessary.conf"; }

    std::map<std::string, std::string> values;  // "Section/Key"
    std::vector<std::string> writes;            // keys in the order written
    // The values as they would be found again after a restart: those of the
    // last flush that succeeded.
    std::map<std::string, std::string> lasting;
    bool flushFails = false;
};

// Records every message; answers from a script, else with the default.
class FakePresenter : public MessagePresenter {
public:
    MessageAnswer Show(const MessageRequest& request) override;

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;
};

class FakeProgressWindow : public ProgressWindow {
public:
    void Open(const std::string& header, int minimum, int maximum, bool allowCancel) override;
    void SetValue(int value) override { values.push_back(value); }
    void PumpEvents() override {
        ++pumps;
        if (onPump) onPump();
    }
    bool Cancelled() const override { return cancelled; }
    void Close() override { open = false; }

    bool open = false;
    std::vector<std::string> headers;
    int minimum = 0;
    int maximum = 0;
    bool cancelOffered = false;
    bool cancelled = false;
    bool cancelEveryRun = false;  // the user presses Cancel as soon as a run starts
    std::vector<int> values;
    int pumps = 0;
    std::function<void()> onPump;  // what the user does while events run
};

// A private folder, removed with everything in it at the end of a test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A small file system of its own mounted on a folder: to see writers meet a
// full disk or a read-only folder, as only root may mount. Without it the
// test skips and says why (see SkipReason).
class MountedFolder {
public:
    // A tmpfs of sizeBytes at path (created); read-only when asked.
    MountedFolder(const std::filesystem::path& path, std::size_t sizeBytes, bool readOnly);
    ~MountedFolder();
    MountedFolder(const MountedFolder&) = delete;
    MountedFolder& operator=(const MountedFolder&) = delete;
    // Empty when mounted, else why not.
    const std::string& SkipReason() const { return skipReason_; }

private:
    std::filesystem::path path_;
    std::string skipReason_;
};

// The date text every test session writes into file headers.
inline constexpr const char* kSavedAt = "12/6/2026 8:10:16 AM";

// A session on fakes, with its folders in a scratch folder.
struct TestSession {
    TestSession();

    ScratchFolder scratch;
    FakeSettings settings;
    FakePresenter presenter;
    FakeProgressWindow progressWindow;
    std::unique_ptr<Session> session;

    Session& operator*() const { return *session; }
    Session* operator->() const { return session.get(); }
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// Builds little-endian file content field by field, independently of the
// program's own writer.
class Bytes {
public:
    Bytes& I16(int v);
    Bytes& I32(std::int32_t v);
    Bytes& F32(float v);
    Bytes& Str(const std::string& raw);  // counted string, bytes as given
    Bytes& Raw(const std::string& raw);
    const std::string& str() const { return data_; }

private:
    std::string data_;
};

}  // namespace tessary::test
