#include "core/files/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tessary {

namespace fs = std::filesystem;

namespace {

// The mode a replacement file takes: the old file's, else what a newly
// created file would get under the user's umask, or the user's alone.
mode_t ReplacementMode(const std::string& target, FileReplacement::NewFile access) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) return old.st_mode & 07777;
    if (access == FileReplacement::NewFile::OwnerOnly) return 0600;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileReplacement::FileReplacement(const std::string& target, NewFile access) : target_(target), access_(access) {
    std::error_code ec;
    if (fs::is_symlink(target_, ec)) {
        const fs::path real = fs::weakly_canonical(target_, ec);
        if (!ec) target_ = real.string();
    }
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !scratch_.empty()) ::unlink(scratch_.c_str());
}

bool FileReplacement::Fail(const std::string& what, int error) {
    error_ = what;
    if (error != 0) error_.append(": ").append(std::strerror(error));
    return false;
}

bool FileReplacement::Open() {
    const fs::path target(target_);
    if (target.filename().empty()) return Fail("no file name was given", 0);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return Fail(target_ + " is a folder", 0);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string name = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) return Fail("cannot write in the folder " + folder.string(), errno);
    scratch_ = name;
    return true;
}

bool FileReplacement::Commit() {
    if (fd_ < 0) return Fail("the file was not opened", 0);
    if (::fchmod(fd_, ReplacementMode(target_, access_)) != 0 || ::fsync(fd_) != 0) {
        return Fail("cannot write " + target_, errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail("cannot write " + target_, errno);
    if (std::rename(scratch_.c_str(), target_.c_str()) != 0) return Fail("cannot replace " + target_, errno);
    committed_ = true;
    return true;
}

std::string ReplaceFileContent(const std::string& target, const std::string& content,
                               FileReplacement::NewFile access) {
    FileReplacement out(target, access);
    if (!out.Open()) return out.Error();
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t n = ::write(out.Descriptor(), content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return "cannot write " + target + ": " + std::strerror(n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    return out.Commit() ? std::string() : out.Error();
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace tessary
