// A client of the control interface built without any of the driver's
// headers: it declares the operation tables itself, slot by slot, as a
// separately built program would, and drives a factory it is handed.
#pragma once
#include <string>
#include <vector>

namespace varnclient {

struct ClientReport {
  bool ok = false;
  std::string failure;            // the first check that failed
  std::vector<std::u16string> sourceNames, standardNames, channelNames, decoderNames, portNames;
  int tunedChannel = -1;
  int selectedSource = -1;
};

// `factory` is what GetVarnInterface answered.
ClientReport DriveFactory(void *factory);

}  // namespace varnclient
