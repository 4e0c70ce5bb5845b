#include "app/command_line.h"

#include <string_view>

#include "targets/target_catalog.h"

namespace {

// An option's value: the next argument. False when there is none.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value) {
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

// The targets --export takes, as the usage names them.
std::string ExportTargets() {
  std::string names;
  for (const TTargetInfo& target : kTargets) names += std::string(target.name) + ", ";
  return names + "banlist";
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
  bool updates = false;
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
    } else if (arg == "--write-elevated") {
      // Only ever the whole command line of the elevated second instance.
      if (i != 0 || args.size() != 3 || args[1].empty() || args[2].empty())
        return Error("--write-elevated needs exactly a file and a content file");
      line.mode = CommandLine::Mode::WriteElevated;
      line.write_path = args[1];
      line.content_file = args[2];
      return line;
    } else if (arg == "--export") {
      if (!TakeValue(args, i, value) || (value != "banlist" && !TargetNamed(value)))
        return Error("--export needs a target: " + ExportTargets());
      line.target = value;
    } else if (arg == "--dir") {
      if (!TakeValue(args, i, value) || value.empty()) return Error("--dir needs a folder");
      line.dir = value;
    } else if (arg == "--import" || arg == "--into" || arg == "--update") {
      if (arg == "--update") line.mode = CommandLine::Mode::Update, updates = true;
      else if (!TakeValue(args, i, value) || value.empty()) return Error(std::string(arg) + " needs a value");
      else (arg == "--import" ? line.import_from : line.into) = value;
    } else {
      return Error("unknown option " + std::string(arg));
    }
  }
  if (line.mode == CommandLine::Mode::Help) return line;
  if (int(!line.target.empty()) + int(updates) + int(!line.import_from.empty() || !line.into.empty()) > 1)
    return Error("--export, --import and --update are given one at a time");
  if (!line.target.empty()) line.mode = CommandLine::Mode::Export;
  if (line.import_from.empty() != line.into.empty()) return Error("--import FILE needs --into LIST, and the other way round");
  if (!line.import_from.empty()) line.mode = CommandLine::Mode::Import;
  return line;
}

std::string UsageText() {
  return "usage: veltrane [--dir FOLDER]\n"
         "       veltrane --export TARGET [--dir FOLDER]\n"
         "       veltrane [--dir FOLDER] --import FILE --into LIST\n"
         "       veltrane [--dir FOLDER] --update\n"
         "       veltrane --help\n"
         "       veltrane /i\n"
         "Without options Veltrane opens its window. The options:\n"
         "  --dir FOLDER   use FOLDER as the program folder (settings, lists, backups, logs),\n"
         "                 made when missing; without it the folder of the program, or the\n"
         "                 user's data folder where that cannot be written\n"
         "  --export TARGET\n"
         "                 without a window, export as page \"Export URL\" does in mode \"To\n"
         "                 Programm\": the categories checked there, with User_BadList, without\n"
         "                 User_NO_BadList, straight into the file set for TARGET on page\n"
         "                 \"Setting\", one of\n"
         "                 " + ExportTargets() + "\n"
         "                 (banlist: the file of \"Create File:\"). Exit code 0 when written;\n"
         "                 else 1, with the reason on standard error, and no file changed\n"
         "  --import FILE --into LIST\n"
         "                 read FILE (or an http:// or https:// address) as a block list (hosts\n"
         "                 file, filter list or plain domains) and file the records that no list\n"
         "                 holds into LIST (Advertisement, Misc, Porno, Unsorted, \"Viruses (and\n"
         "                 similar)\", User_BadList, User_NO_BadList); prints N new, M known,\n"
         "                 R repeated, K skipped\n"
         "  --update       download every subscribed web list (Setting, Web Lists) and file its new\n"
         "                 records; one line per list, exit code 1 when any failed\n"
         "  --help         print this text\n"
         "  /i             (first argument) show the information box and end\n";
}
