#include "app/main/drive_session.h"

#include <charconv>
#include <deque>
#include <fstream>
#include <iostream>
#include <optional>

#include "runtime/platform/files.h"
#include "widgets/backend_codes.h"
#include "widgets/headless/headless_backend.h"
#ifdef VELTRANE_WITH_QT
#include "widgets/qt/qt_backend.h"
#endif
#ifdef VELTRANE_WITH_WIN32
#include "widgets/win32/win32_backend.h"
#endif

namespace drive {

using widgets::ControlId;
using widgets::ControlKind;

namespace {

struct KindWord {
  const char* word;
  ControlKind kind;
};
constexpr KindWord kKindWords[] = {{"button", ControlKind::Button},     {"edit", ControlKind::Edit},
                                   {"label", ControlKind::Label},       {"checkbox", ControlKind::CheckBox},
                                   {"radio", ControlKind::RadioButton}, {"list", ControlKind::ListBox},
                                   {"combo", ControlKind::ComboBox},    {"tab", ControlKind::TabStrip}};

bool Clickable(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::Label || kind == ControlKind::CheckBox ||
         kind == ControlKind::RadioButton;
}

// A whole word of decimal digits; false for anything else, a number too large included.
bool ParseNumber(std::string_view text, int& n) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  return error == std::errc() && end == text.data() + text.size() && n >= 0;
}

// Splits off the first word (up to a blank) of `text`.
std::string_view FirstWord(std::string_view text, std::string_view& rest) {
  const size_t space = text.find(' ');
  rest = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  return text.substr(0, space);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A text in double quotes at the start of `text`, with the escapes the driver prints
// inside (\" \\ \r \n \t \xNN); the rest after it and one blank. Nothing when `text`
// does not start with a quote or the quote is open.
std::optional<std::string> Quoted(std::string_view text, std::string_view& rest) {
  if (text.empty() || text[0] != '"') return std::nullopt;
  std::string out;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char c = text[++i];
      if (c == 'r') out += '\r';
      else if (c == 'n') out += '\n';
      else if (c == 't') out += '\t';
      else if (c == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
        out += char(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
        i += 2;
      } else {
        out += c;
      }
    } else if (text[i] == '"') {
      rest = text.substr(i + 1);
      if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
      return out;
    } else {
      out += text[i];
    }
  }
  return std::nullopt;
}

// "KIND N" at the start of `text`: the kind and N; the rest after it.
bool KindAddress(std::string_view text, ControlKind& kind, int& n, std::string_view& rest) {
  std::string_view after_kind;
  const std::string_view word = FirstWord(text, after_kind);
  for (const auto& k : kKindWords) {
    if (word != k.word) continue;
    std::string_view after_number;
    if (!ParseNumber(FirstWord(after_kind, after_number), n)) return false;
    kind = k.kind;
    rest = after_number;
    return true;
  }
  return false;
}

}  // namespace

Session::Session(TeeBackend& tee, std::vector<std::string> lines)
    : tee_(tee), user_(tee.Mirror()), lines_(std::move(lines)) {}

std::string Session::Line(size_t i) const {
  std::string line = lines_[i];
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool Session::Fail(const std::string& message) {
  std::cerr << "veltrane-drive: line " << line_no_ << ": " << message << "\n";
  return false;
}

bool Session::Closed() { return user_.IsClosed(widgets::MainWindowControl()); }

void Session::RunPrelude() {
  for (; next_ < lines_.size(); ++next_) {
    const std::string line = Line(next_);
    if (line.empty() || line[0] == '#') continue;
    if (!line.starts_with("answer ") && !line.starts_with("clipboard ")) break;
    line_no_ = int(next_) + 1;
    if (!Execute(line)) {
      failed_ = true;
      next_ = lines_.size();
    }
  }
}

void Session::Run() {
  for (; next_ < lines_.size() && !failed_; ++next_) {
    PrintNewDialogs();
    line_no_ = int(next_) + 1;
    const std::string line = Line(next_);
    if (line.empty() || line[0] == '#') continue;
    if (!Execute(line)) failed_ = true;
  }
  PrintNewDialogs();
}

size_t Session::ReportNotRun() {
  size_t count = 0;
  for (; next_ < lines_.size(); ++next_) {
    const std::string line = Line(next_);
    if (line.empty() || line[0] == '#') continue;
    std::cout << "not run (the program had ended): " << line << "\n";
    ++count;
  }
  return count;
}

void Session::PrintNewDialogs() {
  const auto& shown = user_.ShownDialogs();
  for (; printed_ < shown.size(); ++printed_) {
    const widgets::ShownDialog& d = shown[printed_];
    switch (d.kind) {
      case widgets::DialogKind::Message:
        std::cout << "message " << widgets::Quote(d.title) << ": " << widgets::Quote(d.text) << " -> "
                  << widgets::AnswerCode(d.answer) << " " << widgets::AnswerName(d.answer)
                  << (d.defaulted ? " (no answer given: first button)" : "") << "\n";
        break;
      case widgets::DialogKind::Shell: std::cout << "shell open " << widgets::Quote(d.text) << "\n"; break;
      case widgets::DialogKind::Open:
      case widgets::DialogKind::Save:
        std::cout << (d.kind == widgets::DialogKind::Open ? "open" : "save") << " dialog " << widgets::Quote(d.title)
                  << " [" << d.filter << "] -> ";
        if (d.path) std::cout << *d.path << "\n";
        else std::cout << "cancelled" << (d.defaulted ? " (no answer given)" : "") << "\n";
        break;
    }
  }
}

bool Session::Execute(const std::string& line) {
  std::string_view rest;
  const std::string verb(FirstWord(line, rest));
  const std::string arg(rest);
  if (verb == "answer") return Answer(arg);
  if (verb == "write") return WriteFile(arg);
  if (verb == "clipboard") {
    user_.SetClipboardText(arg);
    return true;
  }
  if (Closed()) return Fail("the main window is closed");
  if (verb == "show") {
    std::cout << user_.Dump();
    return true;
  }
  if (verb == "move") {
    std::string_view y;
    int left = 0, top = 0;
    if (!ParseNumber(FirstWord(arg, y), left) || !ParseNumber(y, top)) return Fail("move needs a left and a top");
    int l, t, w, h;
    user_.GetGeometry(widgets::MainWindowControl(), l, t, w, h);
    tee_.SetGeometry(widgets::MainWindowControl(), left, top, w, h);
    return true;
  }
  if (verb == "where") {
    int l, t, w, h;
    user_.GetGeometry(widgets::MainWindowControl(), l, t, w, h);
    std::cout << "window at " << l << ", " << t << ", " << w << " x " << h << "\n";
    return true;
  }
  if (verb == "close") {
    tee_.RequestClose(widgets::MainWindowControl());
    return true;
  }
  if (verb == "tab") {
    const ControlId tabs = user_.FindSeenWithItem(ControlKind::TabStrip, arg);
    if (tabs == widgets::kNoControl) return Fail("no tab \"" + arg + "\"");
    const auto& items = user_.Find(tabs)->items;
    const int index = int(std::find(items.begin(), items.end(), arg) - items.begin());
    tee_.MirrorUserChange(tabs, ControlKind::TabStrip, "", index);
    return user_.Choose(tabs, index) || Fail("tab \"" + arg + "\" cannot be chosen");
  }
  if (verb == "click") return Click(arg);
  if (verb == "pick") return Pick(arg);
  if (verb == "select") return Select(arg);
  if (verb == "type") return Type(arg);
  if (verb == "read") return Read(arg);
  if (verb == "shot") return Shot(arg);
  return Fail("unknown command: " + verb);
}

// Another program (an editor, a second Veltrane) replaces a file's content in place while
// this one runs.
bool Session::WriteFile(const std::string& arg) {
  std::string_view text;
  const std::string relative(FirstWord(arg, text));
  std::string_view rest;
  const std::optional<std::string> bytes = Quoted(text, rest);
  if (relative.empty() || !bytes || !rest.empty()) return Fail("write needs a file and a quoted text");
  std::ofstream file(platform::NativePath(platform::ProgramDir() + relative), std::ios::binary | std::ios::trunc);
  file << *bytes;
  return bool(file.flush()) || Fail("cannot write " + relative);
}

bool Session::Answer(const std::string& arg) {
  std::string_view value;
  const std::string what(FirstWord(arg, value));
  if (what == "open" || what == "save") {
    if (value.empty()) return Fail("answer " + what + " needs a path or cancel");
    std::optional<std::string> path;
    if (value != "cancel") path = std::string(value);
    if (what == "open") user_.QueueOpenAnswer(path);
    else user_.QueueSaveAnswer(path);
    return true;
  }
  if (what == "message") {
    int code = 0;
    const auto answer = ParseNumber(value, code) ? widgets::AnswerFromCode(code) : std::nullopt;
    if (!answer) return Fail("answer message needs a button code from 1 to 7");
    user_.QueueMessageAnswer(*answer);
    return true;
  }
  if (what == "escape" && value.empty()) {
    user_.QueueEscape();
    return true;
  }
  if (what == "elevation") {
    std::string_view reason;
    const std::string_view how = FirstWord(value, reason);
    if (how == "cancel" && reason.empty()) elevation_answers_.push_back(std::nullopt);
    else if (how == "fail" && !reason.empty()) elevation_answers_.push_back(std::string(reason));
    else return Fail("answer elevation needs cancel or fail REASON");
    return true;
  }
  return Fail("answer needs open, save, message, escape or elevation");
}

platform::ElevatedWrite Session::Elevate(const std::string& path, std::string_view bytes) {
  PrintNewDialogs();
  platform::ElevatedWrite answer;
  answer.result = platform::ElevatedWrite::Result::Cancelled;
  const bool given = !elevation_answers_.empty();
  if (given) {
    if (elevation_answers_.front()) {
      answer.result = platform::ElevatedWrite::Result::Failed;
      answer.why = *elevation_answers_.front();
    }
    elevation_answers_.pop_front();
  }
  std::cout << "elevation for " << widgets::Quote(path) << ", " << bytes.size() << " bytes -> "
            << (answer.result == platform::ElevatedWrite::Result::Failed ? "failed: " + widgets::Quote(answer.why)
                                                                         : std::string("cancelled"))
            << (given ? "" : " (no answer given)") << "\n";
  return answer;
}

bool Session::Resolve(const std::string& address, bool clickable_only, ControlId& id) {
  ControlKind kind;
  int n = 0;
  std::string_view rest;
  if (KindAddress(address, kind, n, rest) && rest.empty()) {
    id = user_.NthSeen(kind, n);
    return id != widgets::kNoControl || Fail("no " + address + " among the controls seen");
  }
  std::string caption = address;
  if (auto quoted = Quoted(address, rest)) {
    if (!rest.empty()) return Fail("unexpected text after the quoted caption: " + std::string(rest));
    caption = *quoted;
  }
  std::vector<ControlId> found;
  for (ControlId c : user_.FindAllSeen(caption)) {
    const ControlKind k = user_.Find(c)->kind;
    if (k == ControlKind::Edit || (clickable_only && !Clickable(k))) continue;
    found.push_back(c);
  }
  if (found.empty()) return Fail("no control " + widgets::Quote(caption) + " among the controls seen");
  if (found.size() > 1) {
    std::string names;
    for (ControlId c : found) names += (names.empty() ? "" : ", ") + user_.Address(c);
    return Fail(widgets::Quote(caption) + " names " + std::to_string(found.size()) + " controls (" + names +
                "): address one of them");
  }
  id = found[0];
  return true;
}

bool Session::Click(const std::string& arg) {
  ControlId id = widgets::kNoControl;
  if (!Resolve(arg, true, id)) return false;
  const ControlKind kind = user_.Find(id)->kind;
  if (!Clickable(kind)) return Fail(user_.Address(id) + " cannot be clicked");
  if (!user_.CanAct(id)) return Fail(user_.Address(id) + " is disabled");
  tee_.MirrorUserChange(id, kind, "", 0);
  return user_.Click(id) || Fail(user_.Address(id) + " cannot be clicked");
}

bool Session::Pick(const std::string& arg) {
  ControlKind kind;
  int n = 0;
  std::string_view rest;
  ControlId combo = widgets::kNoControl;
  std::string item = arg;
  if (KindAddress(arg, kind, n, rest) && kind == ControlKind::ComboBox) {
    combo = user_.NthSeen(kind, n);
    if (combo == widgets::kNoControl) return Fail("no combo " + std::to_string(n) + " among the controls seen");
    item = std::string(rest);
  } else {
    const auto found = user_.FindAllSeenWithItem(ControlKind::ComboBox, item);
    if (found.empty()) return Fail("no combo box holds " + widgets::Quote(item));
    if (found.size() > 1)
      return Fail("several combo boxes hold " + widgets::Quote(item) + ": say which (pick combo N ITEM)");
    combo = found[0];
  }
  if (auto quoted = Quoted(item, rest); quoted && rest.empty()) item = *quoted;
  const auto& items = user_.Find(combo)->items;
  const auto at = std::find(items.begin(), items.end(), item);
  if (at == items.end()) return Fail(user_.Address(combo) + " has no item " + widgets::Quote(item));
  if (!user_.CanAct(combo)) return Fail(user_.Address(combo) + " is disabled");
  const int index = int(at - items.begin());
  tee_.MirrorUserChange(combo, ControlKind::ComboBox, "", index);
  return user_.Choose(combo, index) || Fail(user_.Address(combo) + " cannot be used");
}

bool Session::Select(const std::string& arg) {
  ControlKind kind;
  int n = 0;
  std::string_view rest;
  if (!(KindAddress(arg, kind, n, rest) && kind == ControlKind::ListBox)) {
    std::string_view after;
    if (!ParseNumber(FirstWord(arg, after), n)) return Fail("select needs a list box (N or list N) and an item");
    rest = after;
  }
  const ControlId list = user_.NthSeen(ControlKind::ListBox, n);
  if (list == widgets::kNoControl) return Fail("no list " + std::to_string(n) + " among the controls seen");
  const auto& items = user_.Find(list)->items;
  int index = 0;
  std::string_view after_item;
  if (auto quoted = Quoted(rest, after_item); quoted && after_item.empty()) {
    const auto at = std::find(items.begin(), items.end(), *quoted);
    if (at == items.end()) return Fail(user_.Address(list) + " has no item " + widgets::Quote(*quoted));
    index = int(at - items.begin());
  } else if (!ParseNumber(rest, index)) {
    return Fail("select needs an item index or a quoted item text");
  }
  if (size_t(index) >= items.size()) return Fail(user_.Address(list) + " has no item " + std::to_string(index));
  if (!user_.CanAct(list)) return Fail(user_.Address(list) + " is disabled");
  tee_.MirrorUserChange(list, ControlKind::ListBox, "", index);
  return user_.Choose(list, index) || Fail(user_.Address(list) + " cannot be used");
}

bool Session::Type(const std::string& arg) {
  ControlKind kind;
  int n = 0;
  std::string_view rest;
  ControlId edit = widgets::kNoControl;
  if (KindAddress(arg, kind, n, rest) && kind == ControlKind::Edit) {
    edit = user_.NthSeen(kind, n);
  } else if (auto label = Quoted(arg, rest)) {
    ControlId l = widgets::kNoControl;
    const std::string quoted_label = widgets::Quote(*label);
    if (!Resolve(quoted_label, false, l)) return false;
    edit = user_.EditBeside(l);
    if (edit == widgets::kNoControl) return Fail("no edit beside " + quoted_label);
  } else {
    std::string_view after;
    if (!ParseNumber(FirstWord(arg, after), n)) return Fail("type needs an edit (N, edit N or \"LABEL\") and a text");
    rest = after;
    edit = user_.NthSeen(ControlKind::Edit, n);
  }
  if (edit == widgets::kNoControl) return Fail("no edit " + std::to_string(n) + " among the controls seen");
  if (!user_.CanAct(edit)) return Fail(user_.Address(edit) + " is disabled");
  const std::string text(rest);
  tee_.MirrorUserChange(edit, ControlKind::Edit, text, 0);
  return user_.Type(edit, text) || Fail(user_.Address(edit) + " cannot be used");
}

bool Session::Read(const std::string& arg) {
  ControlId id = widgets::kNoControl;
  if (!Resolve(arg, false, id)) return false;
  std::cout << user_.DumpOne(id);
  return true;
}

bool Session::Shot(const std::string& file) {
#if defined(VELTRANE_WITH_QT) || defined(VELTRANE_WITH_WIN32)
  if (tee_.RealId(widgets::MainWindowControl()) != widgets::kNoControl) {
    if (widgets::SaveWindowShot(tee_.RealId(widgets::MainWindowControl()), file)) return true;
    return Fail("cannot write " + file);
  }
#endif
  (void)file;
  return Fail("shot needs --qt or --win32");
}

}  // namespace drive
