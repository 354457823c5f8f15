// The serialised-object archive the tuning tables and the channel file are
// stored in. All integers are little-endian and unpadded.
//
//   count   16-bit word; 0xFFFF announces a 32-bit count
//   string  a length, then the characters:
//             length < 255            one byte
//             otherwise               0xFF, then a 16-bit length;
//                                     0xFFFF there announces a 32-bit length
//           8-bit characters by default; the 16-bit word 0xFFFE after the
//           first 0xFF marks wide characters (UTF-16LE), and the length
//           follows again in the same forms.
//
// The reader never reads past its data: a read that would fails, marks the
// archive failed (every later read fails too) and leaves its output alone.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/wide.h"

namespace tolven::tuning {

class ArchiveReader {
 public:
  explicit ArchiveReader(std::span<const uint8_t> data) : data_(data) {}

  bool ReadU8(uint8_t *value);
  bool ReadU16(uint16_t *value);
  bool ReadU32(uint32_t *value);
  bool ReadFloat(float *value);
  bool ReadCount(uint32_t *count);
  // Either character form; 8-bit characters widen to the same code points.
  bool ReadString(WString *text);

  bool Failed() const { return failed_; }
  bool AtEnd() const { return position_ == data_.size(); }
  size_t Position() const { return position_; }
  size_t Remaining() const { return data_.size() - position_; }

 private:
  const uint8_t *Take(size_t bytes);
  bool ReadLength(uint32_t *length, bool *wide);

  std::span<const uint8_t> data_;
  size_t position_ = 0;
  bool failed_ = false;
};

class ArchiveWriter {
 public:
  void WriteU8(uint8_t value) { bytes_.push_back(value); }
  void WriteU16(uint16_t value);
  void WriteU32(uint32_t value);
  void WriteFloat(float value);
  void WriteCount(uint32_t count);
  // 8-bit form; characters above 0xFF are stored as '?'.
  void WriteNarrowString(WStringView text);
  // Wide form: 0xFF, 0xFFFE, the length in characters, UTF-16LE characters.
  void WriteWideString(WStringView text);

  const std::vector<uint8_t> &Bytes() const { return bytes_; }

 private:
  void WriteLength(size_t length);
  std::vector<uint8_t> bytes_;
};

}  // namespace tolven::tuning
