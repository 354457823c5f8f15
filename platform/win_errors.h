// Windows error codes and constants that the ports speak in. Portable code
// uses these names instead of including Windows headers; the values are
// Windows' own, so the win32 adapters pass them through unchanged.
#pragma once
#include <cstdint>

namespace tolven::win {

enum : uint32_t {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorAccessDenied = 5,
  kErrorInvalidHandle = 6,
  kErrorNotEnoughMemory = 8,
  kErrorGenFailure = 31,
  kErrorSharingViolation = 32,
  kErrorInvalidParameter = 87,
  kErrorBusy = 170,
  kErrorMoreData = 234,
  kErrorNoMoreItems = 259,
  kErrorKeyDeleted = 1018,
  kErrorInvalidServiceControl = 1052,
  kErrorServiceDatabaseLocked = 1055,
  kErrorServiceAlreadyRunning = 1056,
  kErrorServiceDisabled = 1058,
  kErrorServiceDoesNotExist = 1060,
  kErrorServiceCannotAcceptCtrl = 1061,
  kErrorServiceNotActive = 1062,
  kErrorServiceMarkedForDelete = 1072,
  kErrorServiceExists = 1073,
};

}  // namespace tolven::win
