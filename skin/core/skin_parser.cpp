#include "skin_parser.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

namespace tolven::skin {

namespace {

// Thrown inside the parser only; Parse turns it into a SkinError.
struct Failure {
  int line;
  std::string message;
};

struct Token {
  std::string text;
  bool quoted = false;
};

std::vector<Token> Split(std::string_view line, int number) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (c == ' ' || c == '\t' || c == '\r') { ++i; continue; }
    if (c < 0x20 || c == 0x7F) throw Failure{number, "control character " + std::to_string(c) + " in the line"};
    if (line.substr(i, 2) == "//") break;
    Token token;
    if (c == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') { closed = true; break; }
        if (d == '\\') {
          if (i >= line.size()) break;
          d = line[i++];
          if (d != '"' && d != '\\') throw Failure{number, std::string("unknown escape \\") + d + " in a quoted text"};
        } else if (static_cast<unsigned char>(d) < 0x20) {
          throw Failure{number, "control character in a quoted text"};
        }
        token.text += d;
      }
      if (!closed) throw Failure{number, "quoted text is not closed"};
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '"') {
        if (static_cast<unsigned char>(line[i]) < 0x20) throw Failure{number, "control character in the line"};
        token.text += line[i++];
      }
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

class Reader {
 public:
  Reader(std::string file) : document_(std::make_unique<SkinDocument>(file, "")) {}

  std::unique_ptr<SkinDocument> Read(std::string_view text) {
    std::vector<SkinElement *> open;  // elements whose block is open
    int number = 0;
    size_t start = 0;
    bool haveSkin = false, haveSize = false;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      start = end + 1;
      ++number;
      if (line.find('\0') != std::string_view::npos) throw Failure{number, "the file is not text (it holds a zero byte)"};
      std::vector<Token> t = Split(line, number);
      if (t.empty()) continue;
      const std::string &word = t[0].quoted ? kQuotedWord : t[0].text;
      if (!haveSkin) {
        if (word != "skin") throw Failure{number, "a skin starts with \"skin <name>\", not \"" + t[0].text + "\""};
        Expect(t, 2, number, "skin <name>");
        rootName_ = Name(t[1], number);
        document_ = std::make_unique<SkinDocument>(document_->File(), rootName_);
        document_->Root().line = number;
        names_.insert(rootName_);
        haveSkin = true;
        continue;
      }
      SkinElement &current = open.empty() ? document_->Root() : *open.back();
      if (word == "}") {
        Expect(t, 1, number, "}");
        if (open.empty()) throw Failure{number, "\"}\" without an open element"};
        if (!rects_.count(open.back())) throw Failure{open.back()->line, "element \"" + open.back()->Name() + "\" has no rect"};
        open.pop_back();
      } else if (word == "element") {
        Expect(t, 3, number, "element <name> {");
        if (t[2].quoted || t[2].text != "{") throw Failure{number, "\"element " + t[1].text + "\" must end with \"{\""};
        std::string name = Name(t[1], number);
        if (!names_.insert(name).second) throw Failure{number, "element name \"" + name + "\" is used twice"};
        if (static_cast<int>(open.size()) >= SkinParser::kMaxDepth) throw Failure{number, "elements nested too deep"};
        if (++elements_ > SkinParser::kMaxElements) throw Failure{number, "too many elements"};
        SkinElement &child = current.AddChild(name);
        child.line = number;
        open.push_back(&child);
      } else if (word == "size") {
        if (!open.empty()) throw Failure{number, "\"size\" belongs to the skin, not to an element"};
        Expect(t, 3, number, "size <width> <height>");
        int w = Number(t[1], number, 1), h = Number(t[2], number, 1);
        document_->SetDesignSize(w, h);
        haveSize = true;
      } else if (word == "rect") {
        if (open.empty()) throw Failure{number, "\"rect\" belongs to an element; the skin has \"size\""};
        Expect(t, 5, number, "rect <x> <y> <width> <height>");
        RectPlacement r;
        r.centreX = !t[1].quoted && t[1].text == "centre";
        r.centreY = !t[2].quoted && t[2].text == "centre";
        r.x = r.centreX ? 0 : Number(t[1], number);
        r.y = r.centreY ? 0 : Number(t[2], number);
        r.width = Number(t[3], number);
        r.height = Number(t[4], number);
        current.placement = r;
        rects_.insert(&current);
      } else if (word == "fill") {
        Expect(t, 3, number, "fill <look> <#rrggbb>");
        current.looks[LookOf(t[1], number)].fill = ColourOf(t[2], number);
      } else if (word == "image") {
        Expect(t, 3, number, "image <look> <file.png>");
        current.looks[LookOf(t[1], number)].image = FileName(t[2], number);
      } else if (word == "images") {
        // Shorthand for the four looks: <base>-normal.png, <base>-hover.png, ...
        Expect(t, 2, number, "images <base name>");
        std::string base = Name(t[1], number);
        static const char *const kLooks[kLookCount] = {"normal", "hover", "pressed", "disabled"};
        for (int i = 0; i < kLookCount; ++i)
          current.looks[i].image = FileName(Token{base + "-" + kLooks[i] + ".png", false}, number);
      } else if (word == "text") {
        Expect(t, 2, number, "text \"...\"");
        current.text = t[1].text;
      } else if (word == "font") {
        if (t.size() != 3 && t.size() != 4) throw Failure{number, "expected \"font \\\"<face>\\\" <pixels> [bold]\""};
        TextStyle s = current.style.value_or(current.EffectiveStyle());
        s.face = t[1].text;
        if (s.face.empty() || s.face.size() > 31) throw Failure{number, "a font face has 1 to 31 characters"};
        s.pixels = Number(t[2], number, 4);
        if (s.pixels > 200) throw Failure{number, "font of " + t[2].text + " pixels is larger than 200"};
        s.bold = false;
        if (t.size() == 4) {
          if (t[3].text != "bold") throw Failure{number, "\"" + t[3].text + "\" is not \"bold\""};
          s.bold = true;
        }
        current.style = s;
      } else if (word == "colour") {
        Expect(t, 2, number, "colour <#rrggbb>");
        TextStyle s = current.style.value_or(current.EffectiveStyle());
        s.colour = ColourOf(t[1], number);
        current.style = s;
      } else if (word == "align") {
        Expect(t, 2, number, "align left|centre|right");
        TextStyle s = current.style.value_or(current.EffectiveStyle());
        if (t[1].text == "left") s.align = Align::Left;
        else if (t[1].text == "centre") s.align = Align::Centre;
        else if (t[1].text == "right") s.align = Align::Right;
        else throw Failure{number, "alignment \"" + t[1].text + "\" is not left, centre or right"};
        current.style = s;
      } else if (word == "shape") {
        if (t.size() == 2 && t[1].text == "rectangle") current.shape = Shape{};
        else if (t.size() == 2 && t[1].text == "ellipse") current.shape = Shape{ShapeKind::Ellipse, 0};
        else if (t.size() == 3 && t[1].text == "round") current.shape = Shape{ShapeKind::Rounded, Number(t[2], number, 1)};
        else throw Failure{number, "expected \"shape rectangle\", \"shape ellipse\" or \"shape round <radius>\""};
      } else if (word == "on") {
        Expect(t, 3, number, "on enter|leave|click|load <event>");
        std::string event = Name(t[2], number);
        const std::string &when = t[1].text;
        if (when == "enter") current.onEnter = event;
        else if (when == "leave") current.onLeave = event;
        else if (when == "click") current.onClick = event;
        else if (when == "load") {
          if (!open.empty()) throw Failure{number, "\"on load\" belongs to the skin, not to an element"};
          document_->loadEvents.push_back(event);
        } else throw Failure{number, "\"" + when + "\" is not enter, leave, click or load"};
      } else if (word == "state") {
        if (t.size() < 2) throw Failure{number, "expected \"state <name> [show|hide|enable|disable <element>...]\""};
        std::string name = Name(t[1], number);
        NamedState *state = nullptr;
        for (NamedState &s : current.states)
          if (s.name == name) state = &s;
        if (!state) {
          current.states.push_back(NamedState{name, {}});
          state = &current.states.back();
        }
        std::optional<StateAction::Kind> kind;
        for (size_t i = 2; i < t.size(); ++i) {
          const std::string &w = t[i].text;
          if (!t[i].quoted && w == "show") kind = StateAction::Kind::Show;
          else if (!t[i].quoted && w == "hide") kind = StateAction::Kind::Hide;
          else if (!t[i].quoted && w == "enable") kind = StateAction::Kind::Enable;
          else if (!t[i].quoted && w == "disable") kind = StateAction::Kind::Disable;
          else if (!kind) throw Failure{number, "state \"" + name + "\": \"" + w + "\" comes before show, hide, enable or disable"};
          else {
            state->actions.push_back(StateAction{*kind, Name(t[i], number)});
            targets_.push_back({number, Name(t[i], number)});
          }
        }
      } else if (word == "hidden") {
        Expect(t, 1, number, "hidden");
        current.visible = false;
      } else if (word == "disabled") {
        Expect(t, 1, number, "disabled");
        current.enabled = false;
      } else if (word == "skin") {
        throw Failure{number, "\"skin\" is given twice"};
      } else {
        throw Failure{number, "unknown word \"" + t[0].text + "\""};
      }
    }
    if (!haveSkin) throw Failure{0, "the file is empty (it must start with \"skin <name>\")"};
    if (!open.empty())
      throw Failure{open.back()->line, "element \"" + open.back()->Name() + "\" is not closed with \"}\" before the end of the file"};
    if (!haveSize) throw Failure{0, "the skin has no \"size <width> <height>\""};
    for (const auto &[line, target] : targets_)
      if (!names_.count(target)) throw Failure{line, "state names element \"" + target + "\", which the skin does not have"};
    document_->Layout(document_->DesignWidth(), document_->DesignHeight());
    return std::move(document_);
  }

 private:
  static inline const std::string kQuotedWord = "\"";

  static void Expect(const std::vector<Token> &t, size_t count, int line, const char *form) {
    if (t.size() != count) throw Failure{line, std::string("expected \"") + form + "\""};
  }

  static std::string Name(const Token &t, int line) {
    if (t.text.empty() || t.text.size() > 63) throw Failure{line, "a name has 1 to 63 characters"};
    for (unsigned char c : t.text)
      if (!(std::isalnum(c) || c == '-' || c == '_' || c == '.'))
        throw Failure{line, "\"" + t.text + "\" is not a name (letters, digits, '-', '_', '.')"};
    return t.text;
  }

  static std::string FileName(const Token &t, int line) {
    const std::string &f = t.text;
    bool png = f.size() > 4 && f.compare(f.size() - 4, 4, ".png") == 0;
    if (!png || f.size() > 63 || f.find_first_of("/\\:") != std::string::npos || f[0] == '.')
      throw Failure{line, "\"" + f + "\" is not a .png file name beside the skin"};
    return f;
  }

  static int Number(const Token &t, int line, int minimum = -SkinParser::kMaxCoordinate) {
    int value = 0;
    const char *b = t.text.data(), *e = b + t.text.size();
    auto [p, ec] = std::from_chars(b, e, value);
    if (t.quoted || ec != std::errc() || p != e) throw Failure{line, "\"" + t.text + "\" is not a whole number"};
    if (value < minimum || value > SkinParser::kMaxCoordinate)
      throw Failure{line, t.text + " is outside " + std::to_string(minimum) + ".." + std::to_string(SkinParser::kMaxCoordinate)};
    return value;
  }

  static int LookOf(const Token &t, int line) {
    if (t.text == "normal") return static_cast<int>(Look::Normal);
    if (t.text == "hover") return static_cast<int>(Look::Hover);
    if (t.text == "pressed") return static_cast<int>(Look::Pressed);
    if (t.text == "disabled") return static_cast<int>(Look::Disabled);
    throw Failure{line, "look \"" + t.text + "\" is not normal, hover, pressed or disabled"};
  }

  static Colour ColourOf(const Token &t, int line) {
    const std::string &s = t.text;
    auto bad = [&] { return Failure{line, "\"" + s + "\" is not a colour (#rrggbb or #rrggbbaa)"}; };
    if ((s.size() != 7 && s.size() != 9) || s[0] != '#') throw bad();
    unsigned v[4] = {0, 0, 0, 255};
    for (size_t i = 0; i + 1 < s.size(); i += 2) {
      auto [p, ec] = std::from_chars(s.data() + 1 + i, s.data() + 3 + i, v[i / 2], 16);
      if (ec != std::errc() || p != s.data() + 3 + i) throw bad();
    }
    return Colour{static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                  static_cast<std::uint8_t>(v[2]), static_cast<std::uint8_t>(v[3])};
  }

  std::unique_ptr<SkinDocument> document_;
  std::string rootName_;
  std::set<std::string> names_;
  std::set<const SkinElement *> rects_;
  std::vector<std::pair<int, std::string>> targets_;
  int elements_ = 0;
};

}  // namespace

std::unique_ptr<SkinDocument> SkinParser::Parse(std::string_view text, const std::string &file,
                                                SkinError &error) {
  try {
    return Reader(file).Read(text);
  } catch (const Failure &f) {
    error = SkinError{file, f.line, f.message};
    return nullptr;
  }
}

std::unique_ptr<SkinDocument> SkinParser::ParseFile(const std::string &path, SkinError &error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = SkinError{path, 0, "cannot be opened"};
    return nullptr;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = SkinError{path, 0, "cannot be read"};
    return nullptr;
  }
  return Parse(text, path, error);
}

}  // namespace tolven::skin
