#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/files/PatternOptions.h"
#include "core/pattern/ReferenceCopy.h"

namespace tessary {

class DisplaySetup;
class Messages;
class PatternStore;
class Progress;
class SettingsStore;
class BinaryReader;

inline constexpr const char* kTempPictureName = "ttsyimage.tmp";

struct FormatVersion {
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;
};

// What is kept beside the open pattern's file.
struct PatternDocument {
    std::string patternPath;      // empty for a new pattern
    std::string picturePath;      // the picture now shown; empty if none
    std::string tempPicturePath;  // set when a loaded file carried a picture
    bool hasEmbeddedPicture = false;
    FormatVersion formatRead;  // of the last file read
    // Why a picture the last file carried could not be kept beside it;
    // empty when none was lost. Saving then asks before leaving it out.
    std::string pictureLost;
};

// The pattern as a save would write it, taken whole at one moment so that
// it can be written while the user goes on working: the options, the
// reference copy, the scale from it to the twips a file holds, the picture
// to embed and the header's date.
struct PatternSnapshot {
    PatternOptions options;
    std::vector<ReferenceLine> lines;
    std::vector<ReferenceShape> shapes;
    float scale = 1;
    std::string picturePath;
    std::string dateText;
};

// Writes a snapshot beside target and renames it over target when whole; a
// new file is the user's alone. Shows nothing and touches nothing else, so
// it may run on another thread. Empty when written, else why not.
std::string WritePatternSnapshot(const PatternSnapshot& snapshot, const std::string& target);

// A pattern file's name without its folder and extension, as captions show it.
std::string PatternTitle(const std::string& path);

// Today's date and time as a short readable text, for the file header.
std::string CurrentDateText();

// Reads and writes .pat files: a header, the options record, the lines, the
// shapes and optionally a byte-for-byte copy of the picture file.
class PatternFile {
public:
    struct Parts {
        PatternStore& store;
        ReferenceCopy& reference;
        PatternOptions& options;
        const DisplaySetup& display;
        const SettingsStore& settings;
        Messages& messages;
        Progress& progress;
    };

    explicit PatternFile(const Parts& parts, std::function<std::string()> dateText = CurrentDateText);

    PatternDocument document;

    // Saves the pattern to path (the save dialog is the caller's), embedding
    // the current picture unless withoutPicture. A read-only target is
    // refused. The previous file is replaced only by a complete new one.
    bool SavePattern(const std::string& path, bool withoutPicture);
    // Reads the file at path into the pattern; a missing file is reported.
    bool OpenPattern(const std::string& path);

    bool WritePatternFile(const std::string& targetPath, const std::string& picturePath);
    // The pattern as it stands, whatever the zoom, with the picture now shown.
    PatternSnapshot Snapshot() const;
    bool ReadPatternFile(const std::string& path);
    // Reads a pattern from an open stream (a file, or bytes in memory).
    bool ReadPattern(std::FILE* file);
    std::string PatternFileTitle() const;

private:
    bool ReadSections(BinaryReader& in);
    bool ReadOptions(BinaryReader& in, const FormatVersion& format);
    bool ReadPicture(BinaryReader& in);
    // A read fails for the reason given, said in the could-not-be-loaded
    // message; false.
    bool Refuse(std::string why);
    bool Damaged(const std::string& what);

    std::string loadProblem_;
    std::string saveProblem_;

    Parts parts_;
    std::function<std::string()> dateText_;
};

}  // namespace tessary
