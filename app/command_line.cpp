#include "app/command_line.h"

#include <string_view>

namespace {

// An option's value: the next argument. False when there is none.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value) {
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

CommandLine Error(std::string text) {
  CommandLine line;
  line.mode = CommandLine::Mode::Error;
  line.error = std::move(text);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (!args.empty() && args[0] == "/i") {
    line.mode = CommandLine::Mode::Info;
    return line;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!arg.starts_with("--")) continue;  // the window system's own arguments
    std::string value;
    if (arg == "--help") {
      line.mode = CommandLine::Mode::Help;
    } else if (arg == "--dir") {
      if (!TakeValue(args, i, value) || value.empty()) return Error("--dir needs a folder");
      line.dir = value;
    } else if (arg == "--import" || arg == "--into" || arg == "--update") {
      if (arg == "--update") line.mode = CommandLine::Mode::Update;
      else if (!TakeValue(args, i, value) || value.empty()) return Error(std::string(arg) + " needs a value");
      else (arg == "--import" ? line.import_from : line.into) = value;
    } else {
      return Error("unknown option " + std::string(arg));
    }
  }
  if (line.mode == CommandLine::Mode::Help) return line;
  if (line.mode == CommandLine::Mode::Update && !(line.import_from.empty() && line.into.empty()))
    return Error("--update takes no --import or --into");
  if (line.import_from.empty() != line.into.empty()) return Error("--import FILE needs --into LIST, and the other way round");
  if (!line.import_from.empty()) line.mode = CommandLine::Mode::Import;
  return line;
}

std::string UsageText() {
  return "usage: veltrane [--dir FOLDER]\n"
         "       veltrane [--dir FOLDER] --import FILE --into LIST\n"
         "       veltrane [--dir FOLDER] --update\n"
         "       veltrane --help\n"
         "       veltrane /i\n"
         "Without options Veltrane opens its window. The options:\n"
         "  --dir FOLDER   use FOLDER as the program folder (settings, lists, backups, logs),\n"
         "                 made when missing; without it the folder of the program, or the\n"
         "                 user's data folder where that cannot be written\n"
         "  --import FILE --into LIST\n"
         "                 read FILE (or an http:// or https:// address) as a block list (hosts\n"
         "                 file, filter list or plain domains) and file the records that no list\n"
         "                 holds into LIST (Advertisement, Misc, Porno, Unsorted, \"Viruses (and\n"
         "                 similar)\", User_BadList, User_NO_BadList); prints N new, M known, K skipped\n"
         "  --update       download every subscribed web list (Setting, Web Lists) and file its new\n"
         "                 records; one line per list, exit code 1 when any failed\n"
         "  --help         print this text\n"
         "  /i             (first argument) show the information box and end\n";
}
