#include "driver/link/config_store.h"

#include "driver/link/kernel_link.h"
#include "platform/win_errors.h"

namespace tolven {

namespace {
constexpr char16_t kVideoCaptureKey[] = u"Software\\Microsoft\\Multimedia\\Video Capture\\";
constexpr uint32_t kStringBufferBytes = 512;  // 255 characters and a terminator

uint32_t LoadDword(const uint8_t *b) {
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}
}  // namespace

WString ConfigStore::VideoCapturePath() const { return WString(kVideoCaptureKey) + serviceName_; }
WString ConfigStore::ServicePath() const { return WString(kServicesKeyRoot) + serviceName_; }
WString ConfigStore::ParametersPath() const {
  return ServicePath() + u"\\" + kParametersSubKey;
}

bool ConfigStore::ReadDword(reg::Key root, const WString &path, WStringView name,
                            uint32_t *value) {
  uint32_t result = kMissingDword;
  reg::Key key = 0;
  if (registry_.OpenKey(root, path, reg::kQueryValue, &key) == win::kErrorSuccess) {
    uint8_t bytes[4] = {};
    uint32_t type = 0;
    uint32_t size = sizeof bytes;
    if (registry_.QueryValue(key, name, &type, bytes, &size) == win::kErrorSuccess &&
        type == reg::kDword && size == 4)
      result = LoadDword(bytes);
    registry_.CloseKey(key);
  }
  if (value) *value = result;
  return result != kMissingDword;
}

bool ConfigStore::ReadUserDword(WStringView name, uint32_t *value) {
  return ReadDword(reg::kCurrentUser, VideoCapturePath(), name, value);
}

bool ConfigStore::WriteUserDword(WStringView name, uint32_t value) {
  reg::Key key = 0;
  if (registry_.CreateKey(reg::kCurrentUser, VideoCapturePath(), reg::kSetValue, &key) !=
      win::kErrorSuccess)
    return false;
  bool ok = reg::SetDword(registry_, key, name, value) == win::kErrorSuccess;
  registry_.CloseKey(key);
  return ok;
}

bool ConfigStore::ReadMachineBinary(WStringView name, void *buffer, uint32_t size) {
  reg::Key key = 0;
  if (registry_.OpenKey(reg::kLocalMachine, VideoCapturePath(), reg::kQueryValue, &key) !=
      win::kErrorSuccess)
    return false;
  uint32_t type = 0;
  uint32_t got = size;
  bool ok = registry_.QueryValue(key, name, &type, buffer, &got) == win::kErrorSuccess &&
            type == reg::kBinary;
  registry_.CloseKey(key);
  return ok;
}

bool ConfigStore::WriteMachineBinary(WStringView name, const void *buffer, uint32_t size) {
  reg::Key key = 0;
  if (registry_.CreateKey(reg::kLocalMachine, VideoCapturePath(), reg::kSetValue, &key) !=
      win::kErrorSuccess)
    return false;
  bool ok = registry_.SetValue(key, name, reg::kBinary, buffer, size) == win::kErrorSuccess;
  registry_.CloseKey(key);
  return ok;
}

bool ConfigStore::ReadParameterDword(WStringView name, uint32_t *value) {
  return ReadDword(reg::kLocalMachine, ParametersPath(), name, value);
}

bool ConfigStore::WriteParameterDword(WStringView name, uint32_t value) {
  reg::Key serviceKey = 0;
  if (registry_.OpenKey(reg::kLocalMachine, ServicePath(), reg::kCreateSubKey, &serviceKey) !=
      win::kErrorSuccess)
    return false;  // the kernel service was never installed
  reg::Key parameters = 0;
  reg::Status status =
      registry_.CreateKey(serviceKey, kParametersSubKey, reg::kSetValue, &parameters);
  registry_.CloseKey(serviceKey);
  if (status != win::kErrorSuccess) return false;
  bool ok = reg::SetDword(registry_, parameters, name, value) == win::kErrorSuccess;
  registry_.CloseKey(parameters);
  return ok;
}

bool ConfigStore::ReadParameterString(WStringView name, WString *value) {
  reg::Key key = 0;
  if (registry_.OpenKey(reg::kLocalMachine, ParametersPath(), reg::kQueryValue, &key) !=
      win::kErrorSuccess)
    return false;
  char16_t buffer[kStringBufferBytes / 2] = {};
  uint32_t type = 0;
  uint32_t size = kStringBufferBytes;
  bool ok = registry_.QueryValue(key, name, &type, buffer, &size) == win::kErrorSuccess &&
            type == reg::kSz;
  registry_.CloseKey(key);
  if (!ok) return false;
  // A value stored without its terminator still stops at the buffer's end.
  size_t length = 0;
  while (length < size / 2 && length < 255 && buffer[length]) ++length;
  if (value) value->assign(buffer, length);
  return true;
}

}  // namespace tolven
