// veltrane-drive: runs the whole program on the headless window system in a given program
// folder and acts as the user from a script, printing what the user would see. With --qt
// (or --win32 in the Windows build) the same session also runs on real widgets, which
// `shot` photographs.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/main/drive_tee.h"
#include "app/main_program.h"
#include "runtime/platform/heap.h"
#include "runtime/platform/files.h"
#include "widgets/backend.h"
#include "widgets/headless/headless_backend.h"
#ifdef VELTRANE_WITH_QT
#include "widgets/qt/qt_backend.h"
#endif
#ifdef VELTRANE_WITH_WIN32
#include <fcntl.h>
#include <io.h>

#include "widgets/win32/win32_backend.h"
#endif

namespace {

using widgets::ControlId;
using widgets::ControlKind;

const char* kUsage =
    "usage: veltrane-drive --dir FOLDER [--arg ARG] [--qt | --win32] [SCRIPT]\n"
    "Runs Veltrane with FOLDER as its program folder and acts as the user from SCRIPT\n"
    "(or standard input), one command a line:\n"
    "  tab CAPTION               select the tab with this caption\n"
    "  click TEXT                click the control with this caption\n"
    "  pick TEXT                 choose the item TEXT in the combo box that holds it\n"
    "  select N INDEX            click item INDEX of the N-th list box (from 0)\n"
    "  type N TEXT               replace the text of the N-th edit (from 0)\n"
    "  answer open PATH|cancel   answer the next open dialog\n"
    "  answer save PATH|cancel   answer the next save dialog\n"
    "  answer message CODE       answer the next message box (1 OK, 2 Cancel, 6 Yes, 7 No ...)\n"
    "  clipboard TEXT            put TEXT on the clipboard\n"
    "  show                      print every control the user sees\n"
    "  shot FILE                 save a PNG of the main window (with --qt or --win32)\n"
    "  close                     close the main window\n"
    "Lines starting with # are comments.\n";

const char* ButtonName(int code) {
  switch (code) {
    case 1: return "OK";
    case 2: return "Cancel";
    case 3: return "Abort";
    case 4: return "Retry";
    case 5: return "Ignore";
    case 6: return "Yes";
    case 7: return "No";
    default: return "none";
  }
}

class Session {
 public:
  Session(drive::TeeBackend& tee, std::vector<std::string> lines) : tee_(tee), user_(tee.Mirror()), lines_(std::move(lines)) {}

  // The answers and clipboard text a script gives before its first other command are
  // ready before the program starts, for the dialogs that start-up may show.
  void RunPrelude() {
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

  // The rest of the user's session, run as the program's message loop.
  void Run() {
    for (; next_ < lines_.size() && !failed_; ++next_) {
      PrintNewDialogs();
      line_no_ = int(next_) + 1;
      const std::string line = Line(next_);
      if (line.empty() || line[0] == '#') continue;
      if (!Execute(line)) failed_ = true;
    }
    PrintNewDialogs();
  }

  void PrintNewDialogs() {
    const auto& shown = user_.ShownDialogs();
    for (; printed_ < shown.size(); ++printed_) {
      const widgets::ShownDialog& d = shown[printed_];
      if (d.kind == widgets::DialogKind::Message) {
        std::cout << "message \"" << d.title << "\": \"" << d.text << "\" -> " << d.code << " " << ButtonName(d.code)
                  << (d.defaulted ? " (no answer given: first button)" : "") << "\n";
      } else {
        std::cout << (d.kind == widgets::DialogKind::Open ? "open" : "save") << " dialog \"" << d.title << "\" ["
                  << d.filter << "] -> ";
        if (d.path) std::cout << *d.path << "\n";
        else std::cout << "cancelled" << (d.defaulted ? " (no answer given)" : "") << "\n";
      }
    }
  }

  bool failed() const { return failed_; }

 private:
  std::string Line(size_t i) const {
    std::string line = lines_[i];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  bool Fail(const std::string& message) {
    std::cerr << "veltrane-drive: line " << line_no_ << ": " << message << "\n";
    return false;
  }

  static bool SplitNumber(const std::string& text, int& n, std::string& rest) {
    size_t i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == 0 || (i < text.size() && text[i] != ' ')) return false;
    n = std::stoi(text.substr(0, i));
    rest = i < text.size() ? text.substr(i + 1) : std::string();
    return true;
  }

  bool Closed() { return user_.IsClosed(widgets::MainWindowControl()); }

  bool Execute(const std::string& line) {
    const size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
    if (verb == "answer") return Answer(arg);
    if (verb == "clipboard") {
      user_.SetClipboardText(arg);
      return true;
    }
    if (Closed()) return Fail("the main window is closed");
    if (verb == "show") {
      std::cout << user_.Dump();
      return true;
    }
    if (verb == "close") {
      tee_.RequestClose(widgets::MainWindowControl());
      return true;
    }
    if (verb == "tab") return Choose(user_.FindSeenWithItem(ControlKind::TabStrip, arg), arg, "tab");
    if (verb == "pick") return Choose(user_.FindComboWithItem(arg), arg, "combo box item");
    if (verb == "click") return Click(arg);
    if (verb == "select") {
      int n = 0, index = 0;
      std::string rest, tail;
      if (!SplitNumber(arg, n, rest) || !SplitNumber(rest, index, tail) || !tail.empty())
        return Fail("select needs a list box number and an item index");
      const ControlId id = user_.NthSeen(ControlKind::ListBox, n);
      if (id == widgets::kNoControl) return Fail("no list box " + std::to_string(n));
      if (index >= user_.ItemCount(id)) return Fail("list box " + std::to_string(n) + " has no item " + std::to_string(index));
      if (!user_.CanAct(id)) return Fail("list box " + std::to_string(n) + " is disabled");
      tee_.MirrorUserChange(id, ControlKind::ListBox, "", index);
      return user_.Choose(id, index) || Fail("list box " + std::to_string(n) + " cannot be used");
    }
    if (verb == "type") {
      int n = 0;
      std::string text;
      if (!SplitNumber(arg, n, text)) return Fail("type needs an edit number and a text");
      const ControlId id = user_.NthSeen(ControlKind::Edit, n);
      if (id == widgets::kNoControl) return Fail("no edit " + std::to_string(n));
      if (!user_.CanAct(id)) return Fail("edit " + std::to_string(n) + " is disabled");
      tee_.MirrorUserChange(id, ControlKind::Edit, text, 0);
      return user_.Type(id, text) || Fail("edit " + std::to_string(n) + " cannot be used");
    }
    if (verb == "shot") return Shot(arg);
    return Fail("unknown command: " + verb);
  }

  bool Answer(const std::string& arg) {
    const size_t space = arg.find(' ');
    const std::string what = arg.substr(0, space);
    const std::string value = space == std::string::npos ? std::string() : arg.substr(space + 1);
    if (what == "open" || what == "save") {
      if (value.empty()) return Fail("answer " + what + " needs a path or cancel");
      std::optional<std::string> path;
      if (value != "cancel") path = value;
      if (what == "open") user_.QueueOpenAnswer(path);
      else user_.QueueSaveAnswer(path);
      return true;
    }
    if (what == "message") {
      int code = 0;
      std::string rest;
      if (!SplitNumber(value, code, rest) || !rest.empty() || code < 1 || code > 7)
        return Fail("answer message needs a button code from 1 to 7");
      user_.QueueMessageAnswer(code);
      return true;
    }
    return Fail("answer needs open, save or message");
  }

  bool Choose(ControlId id, const std::string& item, const char* what) {
    if (id == widgets::kNoControl) return Fail(std::string("no ") + what + " \"" + item + "\"");
    if (!user_.CanAct(id)) return Fail(std::string(what) + " \"" + item + "\" is disabled");
    const HeadlessItems items = user_.Find(id)->items;
    int index = 0;
    while (index < int(items.size()) && items[size_t(index)] != item) ++index;
    tee_.MirrorUserChange(id, user_.Find(id)->kind, "", index);
    return user_.Choose(id, index) || Fail(std::string(what) + " \"" + item + "\" cannot be chosen");
  }

  bool Click(const std::string& caption) {
    for (ControlId id : user_.FindAllSeen(caption)) {
      const ControlKind kind = user_.Find(id)->kind;
      if (kind != ControlKind::Button && kind != ControlKind::Label && kind != ControlKind::CheckBox &&
          kind != ControlKind::RadioButton)
        continue;
      if (!user_.CanAct(id)) return Fail("\"" + caption + "\" is disabled");
      tee_.MirrorUserChange(id, kind, "", 0);
      return user_.Click(id) || Fail("\"" + caption + "\" cannot be clicked");
    }
    return Fail("no control \"" + caption + "\" to click");
  }

  bool Shot(const std::string& file) {
#ifdef VELTRANE_WITH_QT
    if (tee_.RealId(widgets::MainWindowControl()) != widgets::kNoControl) {
      if (widgets::SaveWindowShot(tee_.RealId(widgets::MainWindowControl()), file)) return true;
      return Fail("cannot write " + file);
    }
#endif
#ifdef VELTRANE_WITH_WIN32
    if (tee_.RealId(widgets::MainWindowControl()) != widgets::kNoControl) {
      if (widgets::SaveWindowShot(tee_.RealId(widgets::MainWindowControl()), file)) return true;
      return Fail("cannot write " + file);
    }
#endif
    (void)file;
    return Fail("shot needs --qt or --win32");
  }

  using HeadlessItems = std::deque<std::string>;

  drive::TeeBackend& tee_;
  widgets::HeadlessBackend& user_;
  std::vector<std::string> lines_;
  size_t printed_ = 0;
  size_t next_ = 0;
  int line_no_ = 0;
  bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemory();
#ifdef VELTRANE_WITH_WIN32
  // What the driver prints is compared byte for byte: no CR added before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::string dir, script;
  std::vector<std::string> program_args;
  bool qt = false, win32 = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--dir" && i + 1 < argc) dir = argv[++i];
    else if (a == "--arg" && i + 1 < argc) program_args.push_back(argv[++i]);
    else if (a == "--qt") qt = true;
    else if (a == "--win32") win32 = true;
    else if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (script.empty() && !a.starts_with("--")) script = a;
    else {
      std::cerr << kUsage;
      return 2;
    }
  }
  if (dir.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  if (!platform::IsDirectory(dir) && !platform::MakeDirectory(dir)) {
    std::cerr << "veltrane-drive: cannot use the folder " << dir << "\n";
    return 2;
  }

  std::vector<std::string> lines;
  {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (!script.empty()) {
      file.open(script, std::ios::binary);
      if (!file) {
        std::cerr << "veltrane-drive: cannot read " << script << "\n";
        return 2;
      }
      in = &file;
    }
    for (std::string line; std::getline(*in, line);) lines.push_back(line);
  }

  platform::SetProgramDir(dir);
  widgets::HeadlessBackend headless;
  std::unique_ptr<widgets::Backend> real;
#ifdef VELTRANE_WITH_QT
  if (qt) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    real = std::make_unique<widgets::QtBackend>();
  }
#else
  if (qt) {
    std::cerr << "veltrane-drive: built without Qt\n";
    return 2;
  }
#endif
#ifdef VELTRANE_WITH_WIN32
  if (win32) real = std::make_unique<widgets::Win32Backend>();
#else
  if (win32) {
    std::cerr << "veltrane-drive: built without the Win32 backend\n";
    return 2;
  }
#endif
  drive::TeeBackend tee(headless, real.get());
  widgets::SetCurrentBackend(&tee);

  Session session(tee, std::move(lines));
  headless.SetLoopBody([&session] { session.Run(); });
  session.RunPrelude();
  const int code = session.failed() ? 0 : RunVeltrane(program_args);
  session.PrintNewDialogs();
  std::cout.flush();
  widgets::SetCurrentBackend(nullptr);
  return session.failed() ? 1 : code;
}
