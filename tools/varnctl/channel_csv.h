// The channel list as CSV, for backing it up, editing it and restoring it:
//
//   name,number,frequency_hz,audio_mode,language
//   BBC ONE,23,487250000,Auto,1
//
// Fields follow RFC 4180 (a field holding a comma, a quote, a line break or
// leading or trailing spaces is quoted, quotes doubled). The audio mode is
// written by name; reading also takes a mode's bit as a number (decimal or
// 0x hexadecimal). Lines end with LF; reading also takes CRLF, a UTF-8 byte
// order mark and blank lines. Writing is canonical, so a file written here
// reads back to the same list and writes back to the same bytes.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/tuning/channel_list.h"

namespace tolven::varnctl {

inline constexpr char kChannelCsvHeader[] = "name,number,frequency_hz,audio_mode,language";

// An audio mode the file may name.
struct AudioModeName {
  uint32_t bit;
  std::string name;
};

struct CsvProblem {
  size_t line;  // 1-based line where the record starts
  std::string message;
};

std::string ChannelsToCsv(const tuning::CVarnTunerChannelList &list,
                          std::span<const AudioModeName> modes);

// Reads every record; a record's input number is `inputNumber`. Answers
// false with every bad record named (and `list` untouched) when any is bad.
bool ChannelsFromCsv(std::string_view text, std::span<const AudioModeName> modes,
                     uint32_t inputNumber, tuning::CVarnTunerChannelList *list,
                     std::vector<CsvProblem> *problems);

}  // namespace tolven::varnctl
