#include "virtualcard/card_config.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

namespace tolven::card {

namespace {

using nlohmann::json;

struct Named {
  const char *name;
  uint32_t value;
};
constexpr Named kStandards[] = {
    {"NTSC", 1},           {"NTSC-J", 2},       {"NTSC-4.43", 4},     {"PSEUDO-NTSC", 8},
    {"SECAM", 256},        {"PAL", 4096},       {"PAL-M", 8192},      {"PAL-N", 16384},
    {"PAL-NC", 32768},     {"PAL-60", 65536},
};
constexpr struct {
  const char *name;
  Sound sound;
} kSounds[] = {
    {"mono", Sound::Mono},          {"fm-stereo", Sound::FmStereo},     {"fm-dual", Sound::FmDual},
    {"nicam-stereo", Sound::NicamStereo}, {"nicam-dual", Sound::NicamDual}, {"nicam-mono", Sound::NicamMono},
};
constexpr struct {
  const char *name;
  SoundCarrier carrier;
} kCarriers[] = {
    {"I", SoundCarrier::I},     {"BG", SoundCarrier::BG}, {"DK1", SoundCarrier::DK1},
    {"DK", SoundCarrier::DK1},  {"DK2", SoundCarrier::DK2}, {"M", SoundCarrier::M},
    {"L", SoundCarrier::L},
};

// Configuration errors travel as this; they never leave the parser.
struct ConfigError {
  std::string message;
};

// A number, or a string holding a decimal or 0x-prefixed number.
uint32_t Number(const json &v, const char *what) {
  if (v.is_number_unsigned()) return v.get<uint32_t>();
  if (v.is_number_integer()) return static_cast<uint32_t>(v.get<int64_t>());
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    char *end = nullptr;
    unsigned long long n = std::strtoull(s.c_str(), &end, 0);
    if (!s.empty() && end && *end == 0 && n <= 0xFFFFFFFFull) return static_cast<uint32_t>(n);
  }
  throw ConfigError{std::string("not a number: ") + what};
}

bool Bool(const json &v, const char *what) {
  if (!v.is_boolean()) throw ConfigError{std::string("not true or false: ") + what};
  return v.get<bool>();
}

std::string String(const json &v, const char *what) {
  if (!v.is_string()) throw ConfigError{std::string("not a string: ") + what};
  return v.get<std::string>();
}

uint32_t Standard(const json &v) {
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    for (const auto &n : kStandards)
      if (s == n.name) return n.value;
  }
  return Number(v, "standard");
}

void ReadLine(const json &j, LineInput *line) {
  if (!j.is_object()) throw ConfigError{"a line input is not an object"};
  if (j.contains("present")) line->present = Bool(j["present"], "present");
  if (j.contains("standard")) line->standard = Standard(j["standard"]);
}

Station ReadStation(const json &j) {
  if (!j.is_object()) throw ConfigError{"a station is not an object"};
  Station s;
  if (j.contains("name")) s.name = String(j["name"], "name");
  if (j.contains("frequency_hz")) {
    s.frequencyHz = Number(j["frequency_hz"], "frequency_hz");
  } else if (j.contains("frequency_mhz")) {
    if (!j["frequency_mhz"].is_number()) throw ConfigError{"not a number: frequency_mhz"};
    const double mhz = j["frequency_mhz"].get<double>();
    if (!(mhz >= 0 && mhz < 4294.0)) throw ConfigError{"frequency out of range"};
    s.frequencyHz = static_cast<uint32_t>(std::llround(mhz * 1000000.0));
  } else {
    throw ConfigError{"a station without a frequency"};
  }
  if (j.contains("standard")) s.standard = Standard(j["standard"]);
  if (j.contains("carrier")) {
    const std::string c = String(j["carrier"], "carrier");
    bool found = false;
    for (const auto &n : kCarriers)
      if (c == n.name) s.carrier = n.carrier, found = true;
    if (!found) throw ConfigError{"unknown carrier: " + c};
  }
  if (j.contains("sound")) {
    const std::string c = String(j["sound"], "sound");
    bool found = false;
    for (const auto &n : kSounds)
      if (c == n.name) s.sound = n.sound, found = true;
    if (!found) throw ConfigError{"unknown sound: " + c};
  }
  if (j.contains("strength")) s.strength = Number(j["strength"], "strength");
  if (j.contains("channel")) s.channel = Number(j["channel"], "channel");
  return s;
}

void ReadDisplay(const json &d, CardConfig *c) {
  if (!d.is_object()) throw ConfigError{"display is not an object"};
  if (d.contains("video_port")) c->videoPort = Bool(d["video_port"], "video_port");
  if (d.contains("connections")) {
    if (!d["connections"].is_array()) throw ConfigError{"connections is not a list"};
    c->connections.clear();
    for (const json &e : d["connections"]) {
      if (!e.is_object()) throw ConfigError{"a connection is not an object"};
      VideoPortConnectionConfig v;
      if (e.contains("port_id")) v.portId = Number(e["port_id"], "port_id");
      if (e.contains("type")) v.typeCode = Number(e["type"], "type");
      if (e.contains("width")) v.portWidth = Number(e["width"], "width");
      if (e.contains("flags")) v.flags = Number(e["flags"], "flags");
      c->connections.push_back(v);
    }
  }
  if (d.contains("formats")) {
    if (!d["formats"].is_array()) throw ConfigError{"formats is not a list"};
    c->formats.clear();
    for (const json &e : d["formats"]) {
      std::string f = String(e, "format");
      if (f.size() != 4) throw ConfigError{"a format is not four characters: " + f};
      c->formats.push_back(f);
    }
  }
  if (d.contains("probe_bits")) {
    if (!d["probe_bits"].is_array()) throw ConfigError{"probe_bits is not a list"};
    c->probeBits.clear();
    for (const json &e : d["probe_bits"]) c->probeBits.push_back(Number(e, "probe_bits"));
  }
  if (d.contains("bandwidth")) c->bandwidth = Number(d["bandwidth"], "bandwidth");
  if (d.contains("key_colour")) c->keyColour = Number(d["key_colour"], "key_colour");
  if (d.contains("divisors")) {
    const json &v = d["divisors"];
    if (!v.is_array() || v.size() != 2) throw ConfigError{"divisors is not a pair"};
    c->horizontalDivisor = Number(v[0], "divisors");
    c->verticalDivisor = Number(v[1], "divisors");
  }
}

void Read(const json &j, CardConfig *c) {
  if (!j.is_object()) throw ConfigError{"the configuration is not an object"};
  if (j.contains("decoder")) c->decoder = Bool(j["decoder"], "decoder");
  if (j.contains("tuner_type")) {
    const json &t = j["tuner_type"];
    if (!t.is_number_integer()) throw ConfigError{"not a number: tuner_type"};
    const int64_t type = t.get<int64_t>();
    if (type < -1 || type > 10) throw ConfigError{"tuner_type outside -1..10"};
    c->tunerType = static_cast<int>(type);
  }
  if (j.contains("audio")) c->audio = Bool(j["audio"], "audio");
  if (j.contains("audio_version")) c->audioVersion = Number(j["audio_version"], "audio_version");
  if (j.contains("settle_ms")) c->settleMs = Number(j["settle_ms"], "settle_ms");
  if (j.contains("decoder_ready_ms")) c->decoderReadyMs = Number(j["decoder_ready_ms"], "decoder_ready_ms");
  if (j.contains("pull_range_hz")) c->pullRangeHz = Number(j["pull_range_hz"], "pull_range_hz");
  if (j.contains("centred_hz")) c->centredHz = Number(j["centred_hz"], "centred_hz");
  if (j.contains("usable_strength")) c->usableStrength = Number(j["usable_strength"], "usable_strength");
  if (j.contains("clean_strength")) c->cleanStrength = Number(j["clean_strength"], "clean_strength");
  if (j.contains("stations")) {
    if (!j["stations"].is_array()) throw ConfigError{"stations is not a list"};
    c->stations.clear();
    for (const json &s : j["stations"]) c->stations.push_back(ReadStation(s));
  }
  if (j.contains("composite")) ReadLine(j["composite"], &c->composite);
  if (j.contains("svideo")) ReadLine(j["svideo"], &c->sVideo);
  if (j.contains("display")) ReadDisplay(j["display"], c);
  if (j.contains("time")) {
    const std::string t = String(j["time"], "time");
    if (t == "real") c->realTime = true;
    else if (t == "simulated") c->realTime = false;
    else throw ConfigError{"time is neither \"real\" nor \"simulated\""};
  }
  if (j.contains("bus_log")) c->busLog = String(j["bus_log"], "bus_log");
}

}  // namespace

bool ParseCardConfig(const std::string &text, CardConfig *config, std::string *error) {
  const json j = json::parse(text, nullptr, /*allow_exceptions=*/false, /*ignore_comments=*/true);
  if (j.is_discarded()) {
    if (error) *error = "not JSON";
    return false;
  }
  try {
    Read(j, config);
  } catch (const ConfigError &e) {
    if (error) *error = e.message;
    return false;
  } catch (const std::exception &e) {
    if (error) *error = e.what();
    return false;
  }
  return true;
}

bool LoadCardConfigFile(const std::string &path, CardConfig *config, std::string *error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseCardConfig(text.str(), config, error);
}

CardConfig DefaultCardConfig() {
  CardConfig config;
  ParseCardConfig(DefaultCardConfigText(), &config, nullptr);
  return config;
}

const char *StandardName(uint32_t standard) {
  for (const auto &n : kStandards)
    if (n.value == standard) return n.name;
  return "";
}

const char *SoundName(Sound sound) {
  for (const auto &n : kSounds)
    if (n.sound == sound) return n.name;
  return "?";
}

}  // namespace tolven::card
