#include "viewer/app/quick_launch.h"

#include "viewer/core/viewer_strings.h"

namespace tolven::viewer {

namespace {
constexpr uint32_t kMaxFolderBytes = 520;
}  // namespace

bool CQuickLaunch::Probe(reg::Registry &registry, WString *folder) {
  reg::Key key = 0;
  if (registry.OpenKey(reg::kCurrentUser, kMapGroupsKey, reg::kRead, &key) != 0) return false;
  char16_t buffer[kMaxFolderBytes / 2 + 1] = {};
  uint32_t type = 0, size = kMaxFolderBytes;
  const bool read = registry.QueryValue(key, u"Quick Launch", &type, buffer, &size) == 0 &&
                    (type == reg::kSz || type == reg::kExpandSz);
  registry.CloseKey(key);
  if (!read) return false;
  // The stored size may or may not count a terminating zero.
  WString text(buffer, size / 2);
  const size_t end = text.find(u'\0');
  if (end != WString::npos) text.resize(end);
  *folder = text;
  return true;
}

WString CQuickLaunch::LinkPath(WStringView folder) {
  if (folder.empty()) return WString();
  WString program = ViewerStrings::Text(kStrProgramFile);
  program.resize(program.size() >= 4 ? program.size() - 4 : 0);
  return WString(folder) + u"\\" + program + u".LNK";
}

bool CQuickLaunch::Create(lnk::ShellLinks &links, WStringView folder) {
  const WString path = LinkPath(folder);
  if (path.empty()) return false;
  const WString description = ViewerStrings::Text(kStrShortcutTo) + ViewerStrings::Text(kStrProgramFile);
  return links.Create(path, links.ProgramPath(), description);
}

}  // namespace tolven::viewer
