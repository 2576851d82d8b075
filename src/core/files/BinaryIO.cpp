#include "core/files/BinaryIO.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "core/files/Cp1252.h"

namespace tessary {

static_assert(std::endian::native == std::endian::little, "pattern files are little-endian");

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kMaxCountedString = 32767;
}  // namespace

BinaryWriter::BinaryWriter(std::FILE* file) : file_(file) { buffer_.reserve(kBufferSize); }

void BinaryWriter::Fail(const std::string& why) {
    if (ok_) problem_ = why;
    ok_ = false;
}

void BinaryWriter::WriteBytes(const void* data, std::size_t size) {
    if (!ok_) return;
    if (buffer_.size() + size > kBufferSize && !Flush()) return;
    if (size >= kBufferSize) {
        if (std::fwrite(data, 1, size, file_) != size) Fail(std::strerror(errno));
        return;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void BinaryWriter::WriteI16(std::int16_t v) { WriteBytes(&v, sizeof v); }
void BinaryWriter::WriteI32(std::int32_t v) { WriteBytes(&v, sizeof v); }
void BinaryWriter::WriteF32(float v) { WriteF32s(&v, 1); }

void BinaryWriter::WriteF32s(const float* values, std::size_t count) {
    // No reader takes an infinity or a NaN: such a file could never be opened.
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) Fail("a number in the pattern is not finite");
    }
    WriteBytes(values, count * sizeof(float));
}

void BinaryWriter::WriteCountedString(const std::string& utf8) {
    std::string bytes = Utf8ToCp1252(utf8);
    if (bytes.size() > kMaxCountedString) bytes.resize(kMaxCountedString);
    WriteI16(static_cast<std::int16_t>(bytes.size()));
    WriteBytes(bytes.data(), bytes.size());
}

bool BinaryWriter::Flush() {
    if (ok_ && !buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        Fail(std::strerror(errno));
    }
    buffer_.clear();
    if (ok_ && std::fflush(file_) != 0) Fail(std::strerror(errno));
    return ok_;
}

BinaryReader::BinaryReader(std::FILE* file) : file_(file), buffer_(kBufferSize) {
    const long here = std::ftell(file_);
    if (here >= 0 && std::fseek(file_, 0, SEEK_END) == 0) {
        const long end = std::ftell(file_);
        if (end >= here) remaining_ = static_cast<std::uint64_t>(end - here);
        std::fseek(file_, here, SEEK_SET);
    }
}

bool BinaryReader::Fill() {
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    position_ = 0;
    return end_ > 0;
}

bool BinaryReader::ReadBytes(void* data, std::size_t size) {
    if (size > remaining_) return false;
    auto* out = static_cast<unsigned char*>(data);
    while (size > 0) {
        if (position_ == end_ && !Fill()) return false;
        const std::size_t n = std::min(size, end_ - position_);
        std::memcpy(out, buffer_.data() + position_, n);
        position_ += n;
        out += n;
        size -= n;
        remaining_ -= n;
    }
    return true;
}

bool BinaryReader::Skip(std::size_t size) {
    unsigned char scrap[64];
    while (size > 0) {
        const std::size_t n = std::min(size, sizeof scrap);
        if (!ReadBytes(scrap, n)) return false;
        size -= n;
    }
    return true;
}

bool BinaryReader::ReadI16(std::int16_t& v) { return ReadBytes(&v, sizeof v); }
bool BinaryReader::ReadI32(std::int32_t& v) { return ReadBytes(&v, sizeof v); }

bool BinaryReader::ReadF32(float& v) { return ReadBytes(&v, sizeof v) && std::isfinite(v); }

bool BinaryReader::ReadCountedString(std::string& utf8) {
    std::int16_t count = 0;
    if (!ReadI16(count) || count < 0) return false;
    std::string bytes(static_cast<std::size_t>(count), '\0');
    if (!ReadBytes(bytes.data(), bytes.size())) return false;
    utf8 = Cp1252ToUtf8(bytes);
    return true;
}

bool CopyPieces(std::uint64_t length, const ReadPiece& read, const WritePiece& write) {
    char piece[kPictureChunk];
    const auto copy = [&](std::size_t n) { return read(piece, n) && write(piece, n); };
    for (std::uint64_t n = length / kPictureChunk; n > 0; --n) {
        if (!copy(kPictureChunk)) return false;
    }
    const auto rest = static_cast<std::size_t>(length % kPictureChunk);
    return rest == 0 || copy(rest);
}

}  // namespace tessary
