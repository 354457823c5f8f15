#include "driver/tuning/archive.h"

#include <cstring>

namespace tolven::tuning {

namespace {
constexpr uint8_t kLongLength = 0xFF;
constexpr uint16_t kWideMarker = 0xFFFE;
constexpr uint16_t kLongerLength = 0xFFFF;
}  // namespace

const uint8_t *ArchiveReader::Take(size_t bytes) {
  if (failed_ || bytes > Remaining()) {
    failed_ = true;
    return nullptr;
  }
  const uint8_t *p = data_.data() + position_;
  position_ += bytes;
  return p;
}

bool ArchiveReader::ReadU8(uint8_t *value) {
  const uint8_t *p = Take(1);
  if (!p) return false;
  *value = p[0];
  return true;
}

bool ArchiveReader::ReadU16(uint16_t *value) {
  const uint8_t *p = Take(2);
  if (!p) return false;
  *value = static_cast<uint16_t>(p[0] | (p[1] << 8));
  return true;
}

bool ArchiveReader::ReadU32(uint32_t *value) {
  const uint8_t *p = Take(4);
  if (!p) return false;
  *value = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return true;
}

bool ArchiveReader::ReadFloat(float *value) {
  uint32_t bits = 0;
  if (!ReadU32(&bits)) return false;
  static_assert(sizeof(float) == 4);
  std::memcpy(value, &bits, 4);
  return true;
}

bool ArchiveReader::ReadCount(uint32_t *count) {
  uint16_t word = 0;
  if (!ReadU16(&word)) return false;
  if (word != 0xFFFF) {
    *count = word;
    return true;
  }
  return ReadU32(count);
}

bool ArchiveReader::ReadLength(uint32_t *length, bool *wide) {
  *wide = false;
  for (;;) {
    uint8_t byte = 0;
    if (!ReadU8(&byte)) return false;
    if (byte != kLongLength) {
      *length = byte;
      return true;
    }
    uint16_t word = 0;
    if (!ReadU16(&word)) return false;
    if (word == kWideMarker) {
      if (*wide) {  // a second marker: not a string this archive writes
        failed_ = true;
        return false;
      }
      *wide = true;
      continue;
    }
    if (word != kLongerLength) {
      *length = word;
      return true;
    }
    return ReadU32(length);
  }
}

bool ArchiveReader::ReadString(WString *text) {
  uint32_t length = 0;
  bool wide = false;
  if (!ReadLength(&length, &wide)) return false;
  // Checked against the data before anything is allocated, so an impossible
  // length costs nothing.
  uint64_t bytes = wide ? uint64_t{length} * 2 : uint64_t{length};
  if (bytes > Remaining()) {
    failed_ = true;
    return false;
  }
  const uint8_t *p = Take(static_cast<size_t>(bytes));
  WString out;
  out.resize(length);
  for (uint32_t i = 0; i < length; ++i)
    out[i] = wide ? static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8))
                  : static_cast<char16_t>(p[i]);
  *text = std::move(out);
  return true;
}

void ArchiveWriter::WriteU16(uint16_t value) {
  bytes_.push_back(static_cast<uint8_t>(value));
  bytes_.push_back(static_cast<uint8_t>(value >> 8));
}

void ArchiveWriter::WriteU32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void ArchiveWriter::WriteFloat(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  WriteU32(bits);
}

void ArchiveWriter::WriteCount(uint32_t count) {
  if (count < 0xFFFF) {
    WriteU16(static_cast<uint16_t>(count));
  } else {
    WriteU16(0xFFFF);
    WriteU32(count);
  }
}

void ArchiveWriter::WriteLength(size_t length) {
  if (length < kLongLength) {
    WriteU8(static_cast<uint8_t>(length));
  } else if (length < kWideMarker) {
    WriteU8(kLongLength);
    WriteU16(static_cast<uint16_t>(length));
  } else {
    WriteU8(kLongLength);
    WriteU16(kLongerLength);
    WriteU32(static_cast<uint32_t>(length));
  }
}

void ArchiveWriter::WriteNarrowString(WStringView text) {
  WriteLength(text.size());
  for (char16_t c : text) WriteU8(c <= 0xFF ? static_cast<uint8_t>(c) : '?');
}

void ArchiveWriter::WriteWideString(WStringView text) {
  WriteU8(kLongLength);
  WriteU16(kWideMarker);
  WriteLength(text.size());
  for (char16_t c : text) WriteU16(c);
}

}  // namespace tolven::tuning
