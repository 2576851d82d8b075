#pragma once

#include <string>

namespace tessary {

// A new file written beside its target under a unique hidden name and moved
// over the target only when complete: a failed write leaves no partial file
// and the earlier file of that name as it was. A symlink target is followed,
// so the link stays and the file it names is replaced.
//
//   FileReplacement out(path);
//   if (!out.Open()) ...            // write to out.ScratchPath() / Descriptor()
//   if (!out.Commit()) ...          // out.Error() says why
//
// Whatever is not committed is removed when the object goes.
class FileReplacement {
public:
    // Who may read a file that did not exist before: as the user's umask
    // says, or the user alone (which also leaves the process's umask
    // untouched, so a writer on another thread may use it).
    enum class NewFile { AsUmask, OwnerOnly };

    explicit FileReplacement(const std::string& target, NewFile access = NewFile::AsUmask);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the empty scratch file. Refuses a target that is a directory
    // or whose folder is missing or unwritable.
    bool Open();
    const std::string& ScratchPath() const { return scratch_; }
    // The scratch file's open descriptor; it stays owned by this object.
    int Descriptor() const { return fd_; }
    // Gives the file the old target's mode (or the umask's), flushes it to
    // the disk and renames it over the target.
    bool Commit();
    // Why Open or Commit failed, as a plain sentence.
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what, int error);

    std::string target_;
    NewFile access_;
    std::string scratch_;
    std::string error_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes content as the whole of target through a FileReplacement; empty
// when done, else why not.
std::string ReplaceFileContent(const std::string& target, const std::string& content,
                               FileReplacement::NewFile access);

// True when both paths name the same existing file (by device and inode:
// links, "./" and other spellings included).
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace tessary
