#include "virtualcard/simulated_display_driver.h"

#include <cstring>

#include "platform/display/escape_blocks.h"

namespace tolven::card {

using display::BusTransactionBlock;
using display::VideoPortCommand;

int SimulatedDisplayDriver::Escape(int escape, int inputSize, const void *input, int outputSize,
                                   void *output) {
  ++counts_[escape];
  switch (escape) {
    case display::kEscapeBusTransaction:
      return BusTransaction(inputSize, input, outputSize, output);
    case display::kEscapeDisplayModeInfo:
      return ModeInfo(outputSize, output);
    case display::kEscapeVideoPort:
      return VideoPort(inputSize, input, outputSize, output);
    default:
      return 0;  // not implemented, as ExtEscape answers
  }
}

uint32_t SimulatedDisplayDriver::EscapeCount(int escape) const {
  auto it = counts_.find(escape);
  return it == counts_.end() ? 0 : it->second;
}

int SimulatedDisplayDriver::BusTransaction(int inputSize, const void *input, int outputSize,
                                           void *output) {
  if (!input || inputSize < static_cast<int>(sizeof(BusTransactionBlock)) || !output ||
      outputSize < 4)
    return -1;
  BusTransactionBlock block;
  std::memcpy(&block, input, sizeof block);
  auto *write = static_cast<const uint8_t *>(wire::Resolve(block.writeBuffer, block.writeLength));
  uint8_t *read = nullptr;
  if (block.readLength) {
    read = static_cast<uint8_t *>(wire::Resolve(block.readBuffer, block.readLength));
    if (!read) return -1;
  }
  if (!write || block.writeLength == 0 || block.transactionCount != 1) return -1;
  int32_t result =
      bus_.Transfer(write, block.writeLength, read, block.readLength, block.busFlag) ? 1 : 0;
  std::memcpy(output, &result, sizeof result);
  return 1;
}

int SimulatedDisplayDriver::ModeInfo(int outputSize, void *output) {
  if (!output || outputSize < display::kDisplayModeInfoSize) return -1;
  uint32_t info[display::kDisplayModeInfoSize / 4] = {};
  info[0] = display::kDisplayModeInfoSize;
  info[1] = horizontalDivisor_;
  info[2] = verticalDivisor_;
  std::memcpy(output, info, sizeof info);
  return 1;
}

int SimulatedDisplayDriver::VideoPort(int inputSize, const void *input, int outputSize,
                                      void *output) {
  if (!input || inputSize < static_cast<int>(sizeof(VideoPortCommand)) || !output ||
      outputSize < 4)
    return -1;
  if (!videoPort_) return 0;  // no video port on this display
  VideoPortCommand command;
  std::memcpy(&command, input, sizeof command);
  int32_t result = videoPort_->Command(command.function, command.block);
  std::memcpy(output, &result, sizeof result);
  return 1;
}

}  // namespace tolven::card
