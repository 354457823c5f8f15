#include "driver/tuning/profile_location.h"

#include <algorithm>
#include <vector>

#include "platform/win_errors.h"

namespace tolven::tuning {

namespace {
// Longer than any path the file functions take; a query that keeps asking
// for more is treated as failed instead of growing without end.
constexpr uint32_t kLongestProfilePath = 32768;

WString DecimalSigned(int32_t value) { return Widen(std::to_string(value)); }
}  // namespace

bool QueryUserProfileDirectory(files::FileSystem &files, WString *directory) {
  std::vector<char16_t> buffer(kFirstProfileQueryChars);
  for (;;) {
    uint32_t size = static_cast<uint32_t>(buffer.size());
    files::Status status = files.QueryUserProfileDirectory(buffer.data(), &size);
    if (status == win::kErrorSuccess) {
      // The reported size counts the terminator; the name ends at the first
      // terminator and never past the buffer.
      size_t length = std::min<size_t>(size, buffer.size());
      WString text(buffer.data(), length);
      *directory = text.substr(0, text.find(u'\0'));
      return true;
    }
    if (status != files::kErrorInsufficientBuffer || size <= buffer.size() ||
        size > kLongestProfilePath)
      return false;
    buffer.assign(size, u'\0');
  }
}

WString ChannelFileDirectory(files::FileSystem &files) {
  WString profile;
  if (QueryUserProfileDirectory(files, &profile)) return profile + u"\\";
  WString windows, user;
  if (files.WindowsDirectory(&windows) && files.CurrentUserName(&user))
    return windows + u"\\Profiles\\" + user + u"\\";
  return WString();
}

WString ChannelFileName(WStringView directory, WStringView shortName, int32_t inputNumber,
                        WStringView extension) {
  return WString(directory) + WString(shortName) + DecimalSigned(inputNumber) + u"." +
         WString(extension);
}

WString DefaultChannelFilePath(files::FileSystem &files, WStringView shortName) {
  WString windows, user;
  files.WindowsDirectory(&windows);
  files.CurrentUserName(&user);
  return windows + u"\\Profiles\\" + user + u"\\" + WString(shortName) + u"0.dat";
}

}  // namespace tolven::tuning
