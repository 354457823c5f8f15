// The user's channels and the per-user channel file.
//
// File layout (little-endian, no header):
//   record count          u32
//   per record            name (string, written in the wide form)
//                         input number, channel number, frequency (Hz),
//                         audio mode, language      u32 each, in this order
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/tuning/archive.h"
#include "platform/files/files.h"

namespace tolven::tuning {

inline constexpr uint32_t kAudioModeMono = 1;
inline constexpr uint32_t kAudioModeAuto = 0x80000000u;

// One channel of the user's list.
class CVarnTunerChannel {
 public:
  bool Read(ArchiveReader &archive);
  void Write(ArchiveWriter &archive) const;
  bool operator==(const CVarnTunerChannel &) const = default;

  uint32_t audioMode = kAudioModeAuto;  // one TV-audio mode bit
  uint32_t language = 1;                // 1, 2 or 4
  uint32_t inputNumber = 0;
  uint32_t channelNumber = 0;           // number in the country's plan
  uint32_t frequency = 0;               // Hz actually tuned
  WString name;
};

enum class ChannelFileStatus {
  kLoaded,      // the whole file was read
  kMissing,     // no file: the list is empty
  kDamaged,     // the file ends early, holds an impossible count or stray
                // bytes: the list holds the complete records before the damage
  kUnreadable,  // the file exists but cannot be opened: the list is empty
};

class CVarnTunerChannelList {
 public:
  CVarnTunerChannelList() = default;
  CVarnTunerChannelList(const CVarnTunerChannelList &other);
  CVarnTunerChannelList &operator=(const CVarnTunerChannelList &other);

  int32_t GetCount() const { return static_cast<int32_t>(channels_.size()); }
  // Copies the record at `index`; false outside 0..count-1.
  bool GetAt(int32_t index, CVarnTunerChannel *channel) const;
  // Replaces the record at `index` (creating it in an empty slot); false
  // outside 0..count-1.
  bool SetAt(int32_t index, const CVarnTunerChannel &channel);
  // Inserts a copy before `position`; -1, any other negative value and any
  // value not below the count append. Answers the index it went to.
  int32_t InsertAt(int32_t position, const CVarnTunerChannel &channel);
  bool RemoveAt(int32_t index);
  void RemoveAll() { channels_.clear(); }
  // Index of the first record with this channel number, or -1.
  int32_t FindChannelNumber(uint32_t channelNumber) const;

  void Write(ArchiveWriter &archive) const;
  // Empties the list and reads a channel file's contents. Keeps the records
  // read completely before any damage; answers kLoaded or kDamaged.
  ChannelFileStatus Read(ArchiveReader &archive);

  // Empties the list and reads the file at `path`.
  ChannelFileStatus Load(files::FileSystem &files, WStringView path);
  // Writes the whole list to `path`, beside the old file first and then in
  // its place, so an interrupted save keeps the old channels. True when the
  // new file is in place.
  bool Save(files::FileSystem &files, WStringView path) const;

 private:
  std::vector<std::unique_ptr<CVarnTunerChannel>> channels_;
};

}  // namespace tolven::tuning
