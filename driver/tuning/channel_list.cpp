#include "driver/tuning/channel_list.h"

#include <algorithm>

#include "platform/win_errors.h"

namespace tolven::tuning {

namespace {
// The smallest record: an empty 8-bit name (one byte) and five numbers.
constexpr size_t kMinRecordBytes = 1 + 5 * 4;
}  // namespace

bool CVarnTunerChannel::Read(ArchiveReader &archive) {
  CVarnTunerChannel read;
  if (!archive.ReadString(&read.name) || !archive.ReadU32(&read.inputNumber) ||
      !archive.ReadU32(&read.channelNumber) || !archive.ReadU32(&read.frequency) ||
      !archive.ReadU32(&read.audioMode) || !archive.ReadU32(&read.language))
    return false;
  *this = std::move(read);
  return true;
}

void CVarnTunerChannel::Write(ArchiveWriter &archive) const {
  archive.WriteWideString(name);
  archive.WriteU32(inputNumber);
  archive.WriteU32(channelNumber);
  archive.WriteU32(frequency);
  archive.WriteU32(audioMode);
  archive.WriteU32(language);
}

CVarnTunerChannelList::CVarnTunerChannelList(const CVarnTunerChannelList &other) {
  *this = other;
}

CVarnTunerChannelList &CVarnTunerChannelList::operator=(const CVarnTunerChannelList &other) {
  if (this == &other) return *this;
  std::vector<std::unique_ptr<CVarnTunerChannel>> copy;
  copy.reserve(other.channels_.size());
  for (const auto &c : other.channels_)
    copy.push_back(std::make_unique<CVarnTunerChannel>(c ? *c : CVarnTunerChannel{}));
  channels_ = std::move(copy);
  return *this;
}

bool CVarnTunerChannelList::GetAt(int32_t index, CVarnTunerChannel *channel) const {
  if (index < 0 || index >= GetCount() || !channels_[index]) return false;
  *channel = *channels_[index];
  return true;
}

bool CVarnTunerChannelList::SetAt(int32_t index, const CVarnTunerChannel &channel) {
  if (index < 0 || index >= GetCount()) return false;
  if (channels_[index])
    *channels_[index] = channel;
  else
    channels_[index] = std::make_unique<CVarnTunerChannel>(channel);
  return true;
}

int32_t CVarnTunerChannelList::InsertAt(int32_t position, const CVarnTunerChannel &channel) {
  auto copy = std::make_unique<CVarnTunerChannel>(channel);
  if (position < 0 || position >= GetCount()) {
    channels_.push_back(std::move(copy));
    return GetCount() - 1;
  }
  channels_.insert(channels_.begin() + position, std::move(copy));
  return position;
}

bool CVarnTunerChannelList::RemoveAt(int32_t index) {
  if (index < 0 || index >= GetCount()) return false;
  channels_.erase(channels_.begin() + index);
  return true;
}

int32_t CVarnTunerChannelList::FindChannelNumber(uint32_t channelNumber) const {
  for (size_t i = 0; i < channels_.size(); ++i)
    if (channels_[i] && channels_[i]->channelNumber == channelNumber)
      return static_cast<int32_t>(i);
  return -1;
}

void CVarnTunerChannelList::Write(ArchiveWriter &archive) const {
  archive.WriteU32(static_cast<uint32_t>(channels_.size()));
  for (const auto &c : channels_) (c ? *c : CVarnTunerChannel{}).Write(archive);
}

ChannelFileStatus CVarnTunerChannelList::Read(ArchiveReader &archive) {
  channels_.clear();
  uint32_t count = 0;
  if (!archive.ReadU32(&count)) return ChannelFileStatus::kDamaged;
  // The count is not trusted for reserving memory: no more records than the
  // data could hold are ever expected.
  channels_.reserve(std::min<size_t>(count, archive.Remaining() / kMinRecordBytes));
  for (uint32_t i = 0; i < count; ++i) {
    auto channel = std::make_unique<CVarnTunerChannel>();
    if (!channel->Read(archive)) return ChannelFileStatus::kDamaged;
    channels_.push_back(std::move(channel));
  }
  return archive.AtEnd() ? ChannelFileStatus::kLoaded : ChannelFileStatus::kDamaged;
}

ChannelFileStatus CVarnTunerChannelList::Load(files::FileSystem &files, WStringView path) {
  channels_.clear();
  std::vector<uint8_t> data;
  files::Status status = files.ReadWholeFile(path, &data);
  if (status == win::kErrorFileNotFound || status == files::kErrorPathNotFound)
    return ChannelFileStatus::kMissing;
  if (status != win::kErrorSuccess) return ChannelFileStatus::kUnreadable;
  ArchiveReader archive(data);
  return Read(archive);
}

bool CVarnTunerChannelList::Save(files::FileSystem &files, WStringView path) const {
  ArchiveWriter archive;
  Write(archive);
  return files.WriteFileReplacing(path, archive.Bytes()) == win::kErrorSuccess;
}

}  // namespace tolven::tuning
