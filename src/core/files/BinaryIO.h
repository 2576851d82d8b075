#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tessary {

// Little-endian, unaligned field writer over a file, buffered so that a
// pattern of small records costs about what copying its bytes costs. The
// first failure sticks: later writes do nothing and Ok() stays false.
class BinaryWriter {
public:
    explicit BinaryWriter(std::FILE* file);
    BinaryWriter(const BinaryWriter&) = delete;
    BinaryWriter& operator=(const BinaryWriter&) = delete;

    void WriteI16(std::int16_t v);
    void WriteI32(std::int32_t v);
    // A value that is not finite fails the write.
    void WriteF32(float v);
    void WriteF32s(const float* values, std::size_t count);
    void WriteBytes(const void* data, std::size_t size);
    // A 16-bit count and one Windows-1252 byte per character.
    void WriteCountedString(const std::string& utf8);
    // Flushes the buffer to the file; false if anything failed.
    bool Flush();
    bool Ok() const { return ok_; }
    // What the first failure was, as a plain phrase.
    const std::string& Problem() const { return problem_; }

private:
    void Fail(const std::string& why);

    std::FILE* file_;
    std::vector<unsigned char> buffer_;
    bool ok_ = true;
    std::string problem_;
};

// The reading side. Knows how many bytes remain, so that a count or a length
// read from a damaged file can be checked before anything is made of it.
class BinaryReader {
public:
    explicit BinaryReader(std::FILE* file);
    BinaryReader(const BinaryReader&) = delete;
    BinaryReader& operator=(const BinaryReader&) = delete;

    bool ReadI16(std::int16_t& v);
    bool ReadI32(std::int32_t& v);
    // Only finite values: no pattern file holds an infinity or a NaN.
    bool ReadF32(float& v);
    bool ReadBytes(void* data, std::size_t size);
    bool Skip(std::size_t size);
    bool ReadCountedString(std::string& utf8);
    std::uint64_t Remaining() const { return remaining_; }

private:
    bool Fill();

    std::FILE* file_;
    std::vector<unsigned char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::uint64_t remaining_ = 0;
};

// Pictures travel in whole pieces of 1024 bytes and one last piece of what
// remains, never held whole in memory. Stops at the first piece that cannot
// be read or written.
inline constexpr std::size_t kPictureChunk = 1024;
using ReadPiece = std::function<bool(char*, std::size_t)>;
using WritePiece = std::function<bool(const char*, std::size_t)>;
bool CopyPieces(std::uint64_t length, const ReadPiece& read, const WritePiece& write);

}  // namespace tessary
