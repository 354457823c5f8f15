#include "platform/setupapi/emulated_inf_installer.h"

#include <cctype>
#include <cstdlib>

#include "platform/win_errors.h"

namespace tolven::inf {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (auto &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

// Drops a ';' comment that is not inside quotes.
std::string StripComment(const std::string &line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ';' && !quoted) return line.substr(0, i);
  }
  return line;
}

// Splits at commas outside quotes; fields are trimmed, and quotes removed
// ("" inside quotes is one quote character).
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> out;
  std::string field;
  bool quoted = false, wasQuoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        field.push_back('"');
        ++i;
      } else {
        // Blanks before an opening quote do not belong to the field.
        if (!quoted && !wasQuoted) field = Trim(field);
        quoted = !quoted;
        wasQuoted = true;
      }
    } else if (c == ',' && !quoted) {
      out.push_back(wasQuoted ? field : Trim(field));
      field.clear();
      wasQuoted = false;
    } else if (!wasQuoted || quoted) {
      field.push_back(c);
    }
  }
  out.push_back(wasQuoted ? field : Trim(field));
  return out;
}

// Replaces %key% with the [Strings] entry; %% is one percent sign.
std::string Substitute(const std::string &text, const std::map<std::string, std::string> &strings) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    size_t end = text.find('%', i + 1);
    if (end == std::string::npos) {
      out.append(text, i, std::string::npos);
      break;
    }
    std::string key = text.substr(i + 1, end - i - 1);
    if (key.empty()) {
      out.push_back('%');
    } else {
      auto it = strings.find(Upper(key));
      out += it != strings.end() ? it->second : "%" + key + "%";
    }
    i = end;
  }
  return out;
}

bool Root(const std::string &name, reg::Key *root) {
  std::string n = Upper(name);
  if (n == "HKLM" || n == "HKEY_LOCAL_MACHINE") *root = reg::kLocalMachine;
  else if (n == "HKCU" || n == "HKEY_CURRENT_USER") *root = reg::kCurrentUser;
  else return false;
  return true;
}

uint32_t Number(const std::string &text) {
  return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 0));
}

WString WidenBytes(std::string_view bytes) {
  WString out;
  for (unsigned char c : bytes) out.push_back(static_cast<char16_t>(c));
  return out;
}

std::vector<std::string> SectionList(const std::string &value) {
  std::vector<std::string> out;
  for (auto &f : Fields(value))
    if (!f.empty()) out.push_back(f);
  return out;
}

}  // namespace

Handle EmulatedInfInstaller::Open(std::string_view path, uint32_t style) {
  openRequests_.emplace_back(path);
  std::vector<uint8_t> bytes;
  if (files_.ReadWholeFile(WidenBytes(path), &bytes) != win::kErrorSuccess) return 0;
  Inf inf;
  inf.path = std::string(path);
  std::string text(bytes.begin(), bytes.end());
  std::string current;
  bool inSection = false;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = Trim(StripComment(text.substr(pos, nl == std::string::npos ? nl : nl - pos)));
    pos = nl == std::string::npos ? text.size() + 1 : nl + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      if (close == std::string::npos) return 0;
      current = Upper(Trim(line.substr(1, close - 1)));
      inf.sections[current];
      inSection = true;
      continue;
    }
    if (!inSection) return 0;  // text before the first section
    inf.sections[current].push_back(line);
  }
  for (auto &line : inf.sections["STRINGS"]) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    auto value = Fields(line.substr(eq + 1));
    inf.strings[Upper(Trim(line.substr(0, eq)))] = value.empty() ? "" : value[0];
  }
  if (style & kInfStyleWin4) {
    bool signed_ = false;
    for (auto &line : inf.sections["VERSION"]) {
      size_t eq = line.find('=');
      if (eq == std::string::npos || Upper(Trim(line.substr(0, eq))) != "SIGNATURE") continue;
      auto value = Fields(line.substr(eq + 1));
      std::string sig = value.empty() ? "" : Upper(value[0]);
      signed_ = sig == "$WINDOWS NT$" || sig == "$CHICAGO$" || sig == "$WINDOWS 95$";
    }
    if (!signed_) return 0;
  }
  Handle h = next_;
  next_ += 4;
  open_.emplace(h, std::move(inf));
  return h;
}

bool EmulatedInfInstaller::ApplyAddReg(const Inf &inf, const std::string &section) {
  auto it = inf.sections.find(Upper(section));
  if (it == inf.sections.end()) return false;
  for (auto &line : it->second) {
    auto f = Fields(Substitute(line, inf.strings));
    reg::Key root = 0;
    if (f.size() < 2 || !Root(f[0], &root)) return false;
    std::string valueName = f.size() > 2 ? f[2] : "";
    uint32_t flags = f.size() > 3 ? Number(f[3]) : 0;
    std::string value = f.size() > 4 ? f[4] : "";
    reg::Key key = 0;
    if (registry_.CreateKey(root, WidenBytes(f[1]), reg::kAllAccess, &key) != win::kErrorSuccess)
      return false;
    reg::Status status = win::kErrorSuccess;
    if (flags & 0x10) {
      // FLG_ADDREG_KEYONLY: the key alone.
    } else if ((flags & 0x00010001) == 0x00010001) {
      uint32_t number = Number(value);
      status = registry_.SetValue(key, WidenBytes(valueName), reg::kDword, &number, 4);
    } else {
      uint32_t type = (flags & 0x00020000) ? reg::kExpandSz : reg::kSz;
      status = reg::SetString(registry_, key, WidenBytes(valueName), WidenBytes(value), type);
    }
    registry_.CloseKey(key);
    if (status != win::kErrorSuccess) return false;
  }
  return true;
}

bool EmulatedInfInstaller::ApplyDelReg(const Inf &inf, const std::string &section) {
  auto it = inf.sections.find(Upper(section));
  if (it == inf.sections.end()) return false;
  for (auto &line : it->second) {
    auto f = Fields(Substitute(line, inf.strings));
    reg::Key root = 0;
    if (f.size() < 2 || !Root(f[0], &root)) return false;
    if (f.size() < 3) {
      reg::DeleteTree(registry_, root, WidenBytes(f[1]));
      continue;
    }
    reg::Key key = 0;
    if (registry_.OpenKey(root, WidenBytes(f[1]), reg::kAllAccess, &key) != win::kErrorSuccess)
      continue;
    registry_.DeleteValue(key, WidenBytes(f[2]));
    registry_.CloseKey(key);
  }
  return true;
}

bool EmulatedInfInstaller::InstallSection(Handle handle, ui::Window owner,
                                          std::string_view section, uint32_t flags) {
  auto it = open_.find(handle);
  Installed record{it == open_.end() ? "" : it->second.path, owner, std::string(section), flags,
                   false};
  if (it == open_.end()) {
    installations_.push_back(record);
    return false;
  }
  const Inf &inf = it->second;
  auto lines = inf.sections.find(Upper(section));
  bool ok = lines != inf.sections.end();
  if (ok) {
    for (auto &line : lines->second) {
      size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string directive = Upper(Trim(line.substr(0, eq)));
      std::string value = Trim(line.substr(eq + 1));
      if ((directive == "ADDREG" || directive == "DELREG") && (flags & kInstallRegistry)) {
        for (auto &name : SectionList(value))
          ok = (directive == "ADDREG" ? ApplyAddReg(inf, name) : ApplyDelReg(inf, name)) && ok;
      } else {
        skipped_.push_back(Trim(line.substr(0, eq)) + " = " + value);
      }
    }
  }
  record.succeeded = ok;
  installations_.push_back(record);
  return ok;
}

void EmulatedInfInstaller::Close(Handle inf) { open_.erase(inf); }

}  // namespace tolven::inf
