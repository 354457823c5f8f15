#include "tools/varnctl/channel_csv.h"

#include <cstdio>

#include "tools/varnctl/language_values.h"
#include "tools/varnctl/text.h"

namespace tolven::varnctl {

namespace {

constexpr size_t kFields = 5;

std::string Quoted(std::string_view field) {
  const bool needs = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!field.empty() && (field.front() == ' ' || field.back() == ' '));
  if (!needs) return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string AudioModeText(uint32_t bit, std::span<const AudioModeName> modes) {
  for (const auto &mode : modes)
    if (mode.bit == bit) return mode.name;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", bit);
  return hex;
}

bool ReadAudioMode(const std::string &text, std::span<const AudioModeName> modes, uint32_t *bit) {
  for (const auto &mode : modes) {
    if (EqualsIgnoringCase(mode.name, text)) {
      *bit = mode.bit;
      return true;
    }
  }
  int64_t value = 0;
  if (!ParseInt(text, 0, UINT32_MAX, &value, true)) return false;
  for (const auto &mode : modes) {
    if (mode.bit == value) {
      *bit = mode.bit;
      return true;
    }
  }
  return false;
}

// One record's fields and the line it starts on.
struct Record {
  size_t line;
  std::vector<std::string> fields;
  bool badQuoting = false;
};

std::vector<Record> SplitRecords(std::string_view text) {
  std::vector<Record> records;
  size_t i = 0, line = 1;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  while (i < text.size()) {
    Record record{line, {}};
    std::string field;
    bool quoted = false, wasQuoted = false, endOfRecord = false;
    while (i < text.size() && !endOfRecord) {
      const char c = text[i++];
      if (quoted) {
        if (c == '"') {
          if (i < text.size() && text[i] == '"') {
            field += '"';
            ++i;
          } else {
            quoted = false;
          }
        } else {
          if (c == '\n') ++line;
          field += c;
        }
      } else if (c == '"') {
        // A quote opens a field only at its start; elsewhere it is a fault
        // that must not swallow the lines after it.
        if (!field.empty() || wasQuoted) {
          record.badQuoting = true;
          field += c;
        } else {
          quoted = wasQuoted = true;
        }
      } else if (c == ',') {
        record.fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
      } else if (c == '\n' || c == '\r') {
        if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
        ++line;
        endOfRecord = true;
      } else {
        if (wasQuoted) record.badQuoting = true;  // text after the closing quote
        field += c;
      }
    }
    if (quoted) record.badQuoting = true;  // the file ends inside quotes
    record.fields.push_back(std::move(field));
    const bool blank = record.fields.size() == 1 && record.fields[0].empty() && !wasQuoted;
    if (!blank) records.push_back(std::move(record));
  }
  return records;
}

}  // namespace

std::string ChannelsToCsv(const tuning::CVarnTunerChannelList &list,
                          std::span<const AudioModeName> modes) {
  std::string out = std::string(kChannelCsvHeader) + "\n";
  for (int32_t i = 0; i < list.GetCount(); ++i) {
    tuning::CVarnTunerChannel channel;
    list.GetAt(i, &channel);
    out += Quoted(ToUtf8(channel.name)) + "," + std::to_string(channel.channelNumber) + "," +
           std::to_string(channel.frequency) + "," + AudioModeText(channel.audioMode, modes) + "," +
           std::to_string(channel.language) + "\n";
  }
  return out;
}

bool ChannelsFromCsv(std::string_view text, std::span<const AudioModeName> modes,
                     uint32_t inputNumber, tuning::CVarnTunerChannelList *list,
                     std::vector<CsvProblem> *problems) {
  problems->clear();
  std::vector<Record> records = SplitRecords(text);
  if (records.empty()) {
    problems->push_back({1, std::string("the header \"") + kChannelCsvHeader + "\" is missing"});
    return false;
  }
  const Record &header = records.front();
  std::string headerText;
  for (size_t f = 0; f < header.fields.size(); ++f) headerText += (f ? "," : "") + header.fields[f];
  if (header.badQuoting || !EqualsIgnoringCase(headerText, kChannelCsvHeader))
    problems->push_back({header.line, std::string("expected the header \"") + kChannelCsvHeader + "\""});

  tuning::CVarnTunerChannelList parsed;
  for (size_t r = 1; r < records.size(); ++r) {
    const Record &record = records[r];
    auto bad = [&](const std::string &message) { problems->push_back({record.line, message}); };
    if (record.badQuoting) {
      bad("badly quoted field");
      continue;
    }
    if (record.fields.size() != kFields) {
      bad("expected 5 fields (name, number, frequency_hz, audio_mode, language), found " +
          std::to_string(record.fields.size()));
      continue;
    }
    tuning::CVarnTunerChannel channel;
    bool valid = true;
    channel.name = FromUtf8(record.fields[0], &valid);
    if (!valid) bad("the name is not UTF-8 text");
    int64_t value = 0;
    if (ParseInt(record.fields[1], 0, INT32_MAX, &value)) channel.channelNumber = static_cast<uint32_t>(value);
    else bad("channel number \"" + record.fields[1] + "\" is not a whole number from 0 to 2147483647");
    if (ParseInt(record.fields[2], 1, UINT32_MAX, &value)) channel.frequency = static_cast<uint32_t>(value);
    else bad("frequency \"" + record.fields[2] + "\" is not a whole number of Hz from 1 to 4294967295");
    if (!ReadAudioMode(record.fields[3], modes, &channel.audioMode)) {
      std::string names;
      for (const auto &mode : modes) names += (names.empty() ? "" : ", ") + mode.name;
      bad("audio mode \"" + record.fields[3] + "\" is not one of " + names);
    }
    if (ParseInt(record.fields[4], 1, 4, &value) && LanguageIndex(value) >= 0) channel.language = static_cast<uint32_t>(value);
    else bad("language \"" + record.fields[4] + "\" is not 1, 2 or 4");
    channel.inputNumber = inputNumber;
    parsed.InsertAt(-1, channel);
  }
  if (!problems->empty()) return false;
  *list = parsed;
  return true;
}

}  // namespace tolven::varnctl
