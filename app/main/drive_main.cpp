// veltrane-drive: runs the whole program on the headless window system in a given program
// folder and acts as the user from a script, printing what the user would see. With --qt
// the same session also runs on real Qt widgets (offscreen), which `shot` photographs.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/main/drive_session.h"
#include "app/main/drive_tee.h"
#include "app/main_program.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "runtime/platform/heap.h"
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

const char* kUsage =
    "usage: veltrane-drive --dir FOLDER [--arg ARG] [--time DD.MM.YYYY-hh:mm:ss] [--qt | --win32] [--ask-system]\n"
    "                      [SCRIPT]\n"
    "Runs Veltrane with FOLDER as its program folder and acts as the user from SCRIPT\n"
    "(or standard input), one command a line; --time sets the clock the program reads\n"
    "(file headers, dated backups); --ask-system leaves the prompt for the system's\n"
    "permission to the system itself (pkexec and polkit, or UAC), for a demonstration,\n"
    "where the driver would otherwise play it. It prints what the user sees: every dialog,\n"
    "message box and shell open with the answer it got, and the controls on show and read.\n"
    "\n"
    "Commands:\n"
    "  tab CAPTION                 select the tab with this caption\n"
    "  click CONTROL               click a button, label, check box or radio button\n"
    "  pick [combo N] ITEM         choose ITEM in a combo box (the one holding it, or combo N)\n"
    "  select LIST ITEM            click an item of a list box: LIST is N or list N, ITEM an\n"
    "                              index from 0 or a \"quoted\" item text\n"
    "  type EDIT TEXT              replace an edit's text: EDIT is N, edit N, or the \"Label:\"\n"
    "                              beside it; TEXT is the rest of the line (may be empty)\n"
    "  read CONTROL                print one control (and a list's items) as show does\n"
    "  answer open PATH|cancel     answer the next open dialog\n"
    "  answer save PATH|cancel     answer the next save dialog\n"
    "  answer message CODE         answer the next message box (1 OK, 2 Cancel, 3 Abort,\n"
    "                              4 Retry, 5 Ignore, 6 Yes, 7 No)\n"
    "  answer escape               press Esc while the next work runs (a download): it stops\n"
    "  answer elevation cancel     answer the system's next prompt for its permission (to\n"
    "  answer elevation fail TEXT  write a file the user may not write): dismissed, or\n"
    "                              refused with the reason TEXT; unanswered, it is dismissed\n"
    "  clipboard TEXT              put TEXT on the clipboard\n"
    "  write FILE \"TEXT\"           another program replaces FILE (in the program folder) by\n"
    "                              TEXT, in place\n"
    "  show                        print every control the user sees, with its address\n"
    "  move LEFT TOP               move the main window, as the user drags it\n"
    "  where                       print the main window's place and size\n"
    "  shot FILE                   save a PNG of the main window (with --qt or --win32)\n"
    "  close                       close the main window\n"
    "Lines starting with # are comments. Answers and clipboard text given before the first\n"
    "other command are ready for the dialogs of start-up.\n"
    "\n"
    "CONTROL is KIND N, the N-th (from 0) seen control of that kind in the order the program\n"
    "made them (KIND: button, edit, label, checkbox, radio, list, combo, tab; show prints\n"
    "each control's address), or its caption, bare or in double quotes. A caption that\n"
    "names several seen controls is an error: address one of them by KIND N.\n"
    "Texts are printed in double quotes with \\\\, \\\", \\r, \\n, \\t and \\xNN escapes, and\n"
    "read so in quoted texts of a script.\n"
    "A failing command ends the script with exit code 1; so do commands left over when the\n"
    "program ended before them (they are printed as not run).\n";

// "05.12.2026-09:30:05"; the day of the week follows from the date.
bool ParseTime(const std::string& text, platform::LocalTime& time) {
  int d, mo, y, h, mi, se;
  char tail;
  if (std::sscanf(text.c_str(), "%2d.%2d.%4d-%2d:%2d:%2d%c", &d, &mo, &y, &h, &mi, &se, &tail) != 6) return false;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || se > 59 || y < 1601) return false;
  // Sakamoto's rule for the day of the week, 0 = Sunday.
  static const int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int year = mo < 3 ? y - 1 : y;
  const int weekday = (year + year / 4 - year / 100 + year / 400 + kMonthOffset[mo - 1] + d) % 7;
  time = {y, mo, d, weekday, h, mi, se};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  platform::KeepFreedMemory();
#ifdef VELTRANE_WITH_WIN32
  // What the driver prints is compared byte for byte: no CR added before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::string dir, script;
  std::vector<std::string> program_args;
  bool qt = false, win32 = false, ask_system = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--dir" && i + 1 < argc) dir = argv[++i];
    else if (a == "--arg" && i + 1 < argc) program_args.push_back(argv[++i]);
    else if (a == "--time" && i + 1 < argc) {
      platform::LocalTime time;
      if (!ParseTime(argv[++i], time)) {
        std::cerr << "veltrane-drive: --time wants DD.MM.YYYY-hh:mm:ss\n";
        return 2;
      }
      platform::SetFixedTime(time);
    } else if (a == "--qt") qt = true;
    else if (a == "--win32") win32 = true;
    else if (a == "--ask-system") ask_system = true;
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

  drive::Session session(tee, std::move(lines));
  // The system's prompt for its permission is the driver's to answer, never the system's,
  // unless a demonstration asks the real system.
  if (!ask_system)
    platform::SetElevationHandler(
        [&session](const std::string& path, std::string_view bytes) { return session.Elevate(path, bytes); });
  headless.SetLoopBody([&session] { session.Run(); });
  session.RunPrelude();
  const int code = session.failed() ? 0 : RunVeltrane(program_args);
  session.PrintNewDialogs();
  const size_t not_run = session.failed() ? 0 : session.ReportNotRun();
  std::cout.flush();
  widgets::SetCurrentBackend(nullptr);
  platform::SetElevationHandler(nullptr);
  return session.failed() || not_run > 0 ? 1 : code;
}
