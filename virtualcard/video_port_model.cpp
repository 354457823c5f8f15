#include "virtualcard/video_port_model.h"

#include <cstring>

namespace tolven::card {

using namespace display;

namespace {
template <typename T>
bool Load(wire::Pointer pointer, T *out) {
  void *p = wire::Resolve(pointer, sizeof(T));
  if (!p) return false;
  std::memcpy(out, p, sizeof(T));
  return true;
}
template <typename T>
bool Store(wire::Pointer pointer, const T &value) {
  void *p = wire::Resolve(pointer, sizeof(T));
  if (!p) return false;
  std::memcpy(p, &value, sizeof(T));
  return true;
}
}  // namespace

int32_t SimulatedVideoPort::Probe(wire::Pointer block) {
  VideoPortDescription d;
  if (!Load(block, &d)) return 0;
  ++probes_;
  bool depth = false;
  for (uint32_t bits : config_.probeBits) depth |= bits == d.reserved1;
  bool connection = false;
  for (const auto &c : config_.connections)
    connection |= c.portId == d.connection.reserved1 &&
                  VideoPortTypeGuid(c.typeCode) == d.connection.type &&
                  c.portWidth == d.connection.portWidth && c.flags == d.connection.flags;
  if (!depth || !connection || d.fieldWidth == 0 || d.fieldHeight == 0) return 0;
  d.reserved2 = config_.keyColour;
  return Store(block, d) ? 1 : 0;
}

int32_t SimulatedVideoPort::Enumerate(wire::Pointer block, bool connections) {
  VideoPortEnumBlock e;
  if (!Load(block, &e)) return 0;
  const size_t count = connections ? config_.connections.size() : config_.formats.size();
  e.count = static_cast<uint32_t>(count);
  if (e.item) {
    if (e.index >= count) return 0;
    if (connections) {
      const auto &c = config_.connections[e.index];
      VideoPortConnection out{sizeof(VideoPortConnection), c.portWidth, VideoPortTypeGuid(c.typeCode),
                              c.flags, c.portId};
      if (!Store(e.item, out)) return 0;
    } else {
      const std::string &f = config_.formats[e.index];
      PixelFormat out{};
      out.size = sizeof out;
      out.flags = 4;  // a FOURCC format
      out.fourCC = FourCC(f[0], f[1], f[2], f[3]);
      out.bitCount = 16;
      if (!Store(e.item, out)) return 0;
    }
  }
  return Store(block, e) ? 1 : 0;
}

int32_t SimulatedVideoPort::Command(uint32_t function, wire::Pointer block) {
  switch (function) {
    case kVideoPortProbe:
      return Probe(block);
    case kVideoPortCreate: {
      VideoPortCreateBlock b;
      if (!Load(block, &b) || running_) return 0;
      lastCreate_ = b;
      current_ = b.update;
      running_ = true;
      ++creates_;
      return 1;
    }
    case kVideoPortDestroy:
      if (!running_) return 0;
      running_ = false;
      ++destroys_;
      return 1;
    case kVideoPortBandwidth: {
      VideoPortBandwidthBlock b;
      if (!Load(block, &b)) return 0;
      b.bandwidth = bandwidth_ ? *bandwidth_ : config_.bandwidth;
      return Store(block, b) ? 1 : 0;
    }
    case kVideoPortConnections:
      return Enumerate(block, true);
    case kVideoPortInputFormats:
      return Enumerate(block, false);
    case kVideoPortUpdate: {
      VideoPortUpdateBlock b;
      if (!Load(block, &b) || !running_) return 0;
      lastUpdate_ = b;
      current_ = b;
      ++updates_;
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace tolven::card
