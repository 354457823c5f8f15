// Where the user's channel file lives.
//
//   profile directory   "<user profile>\" from the user-environment library,
//                       else "<windows>\Profiles\<user>\", else empty
//   file name           <directory><short name><input>.<extension>,
//                       e.g. ...\TOLVEN0.dat
#pragma once
#include <cstdint>

#include "platform/files/files.h"

namespace tolven::tuning {

inline constexpr char16_t kDriverShortName[] = u"TOLVEN";
inline constexpr char16_t kChannelFileExtension[] = u"dat";
inline constexpr uint32_t kFirstProfileQueryChars = 50;

// The user's profile directory as the user-environment library reports it,
// without a trailing separator; false when the system does not offer it or
// the query fails. The first query has room for 50 characters; while a query
// fails reporting a larger size, the buffer grows to that size and the query
// is repeated.
bool QueryUserProfileDirectory(files::FileSystem &files, WString *directory);

// The directory the channel file goes to, ending with "\" (or empty when
// neither the profile directory nor the Windows directory and user name are
// known).
WString ChannelFileDirectory(files::FileSystem &files);

// "%s%s%d.%s": directory, short name, input number, extension.
WString ChannelFileName(WStringView directory, WStringView shortName, int32_t inputNumber,
                        WStringView extension);

// The path a channel list is loaded from or saved to when no path is given:
// "%s%s%s\%s%d.dat" from the Windows directory, "\Profiles\", the user name,
// the short name and 0.
WString DefaultChannelFilePath(files::FileSystem &files, WStringView shortName);

}  // namespace tolven::tuning
