#include "tests/core/FakePlatform.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tessary::test {

std::optional<std::string> FakeSettings::Read(const std::string& section, const std::string& key) const {
    const auto it = values.find(section + "/" + key);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

void FakeSettings::Write(const std::string& section, const std::string& key, const std::string& value) {
    values[section + "/" + key] = value;
    writes.push_back(section + "/" + key);
}

bool FakeSettings::Flush() {
    if (flushFails) return false;
    lasting = values;
    return true;
}

MessageAnswer FakePresenter::Show(const MessageRequest& request) {
    shown.push_back(request);
    if (answers.empty()) return request.defaultAnswer;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeProgressWindow::Open(const std::string& header, int min, int max, bool allowCancel) {
    open = true;
    headers.push_back(header);
    minimum = min;
    maximum = max;
    cancelOffered = allowCancel;
    cancelled = allowCancel && cancelEveryRun;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    // Tests make files read-only; give write access back so all can go.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(path_, ec);
}

MountedFolder::MountedFolder(const std::filesystem::path& path, std::size_t sizeBytes, bool readOnly) : path_(path) {
    std::filesystem::create_directories(path_);
    if (::geteuid() != 0) {
        skipReason_ = "only root can mount a small file system for this check";
        return;
    }
    const std::string options = "size=" + std::to_string(sizeBytes) + (readOnly ? ",ro" : "");
    if (::mount("tessary-test", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        skipReason_ = std::string("no file system could be mounted: ") + std::strerror(errno);
    }
}

MountedFolder::~MountedFolder() {
    if (skipReason_.empty()) ::umount2(path_.c_str(), MNT_DETACH);
}

TestSession::TestSession() {
    const DefaultFolders folders{(scratch / "Patterns").string(), (scratch / "Pictures").string(),
                                 (scratch / "Temp").string()};
    session = std::make_unique<Session>(
        Platform{settings, presenter, progressWindow, folders, [] { return std::string(kSavedAt); }});
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes& Bytes::I16(int v) {
    const auto u = static_cast<std::uint16_t>(v);
    data_ += static_cast<char>(u & 0xFF);
    data_ += static_cast<char>(u >> 8);
    return *this;
}

Bytes& Bytes::I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) data_ += static_cast<char>((u >> shift) & 0xFF);
    return *this;
}

Bytes& Bytes::F32(float v) {
    std::uint32_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    return I32(static_cast<std::int32_t>(u));
}

Bytes& Bytes::Str(const std::string& raw) {
    I16(static_cast<int>(raw.size()));
    data_ += raw;
    return *this;
}

Bytes& Bytes::Raw(const std::string& raw) {
    data_ += raw;
    return *this;
}

}  // namespace tessary::test
