// The installer behind ardensetup.dll's InstallVFW: (re)creates the kernel
// service, runs the default section of vfw.inf from the driver folder and
// asks the capture driver to configure itself.
#pragma once
#include <cstddef>

#include "setup/setup_ports.h"

namespace tolven::setup {

// The folder is copied into a buffer of this many bytes, which must also
// hold "\vfw.inf" and the terminating zero.
inline constexpr size_t kFolderBufferBytes = 260;

inline constexpr char16_t kImagePath[] = u"\\SystemRoot\\SYSTEM32\\DRIVERS\\tolvenk.sys";
inline constexpr char16_t kLoadOrderGroup[] = u"Base";
inline constexpr char kInfFileName[] = "\\vfw.inf";
inline constexpr char kInfSection[] = "DefaultInstall";
inline constexpr char16_t kCaptureDriverName[] = u"tolvenu";

inline constexpr char16_t kNoAdministratorInstallText[] =
    u"Installation cannot continue.  You do not have Administrative Priviledges.\n"
    u"Installation of Varn Viewer App must be performed by a Administrative User.";
inline constexpr char16_t kFolderTooLongText[] =
    u"Installation cannot continue.  The path of the installation folder is too long.";

// `folder`: the folder holding the driver files (ANSI, no trailing
// backslash). False only when nothing could be done: the service manager
// cannot be opened, or the folder is missing or too long; each is reported
// with a message box owned by the focus window. True otherwise, also when
// the service could not be created or the INF or the driver were skipped.
bool InstallVfw(const SetupPorts &ports, ui::Window owner, const char *folder);

}  // namespace tolven::setup
