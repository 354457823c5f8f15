/* tolvenk.sys. The kernel service is not built yet: the driver refuses to
   load, so the service cannot be started. */
#include <ntddk.h>

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  (void)driver;
  (void)registryPath;
  return STATUS_NOT_IMPLEMENTED;
}
