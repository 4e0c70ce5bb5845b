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
      line.mode = CommandLine::Mode::Export;
      line.target = value;
    } else if (arg == "--dir") {
      if (!TakeValue(args, i, value) || value.empty()) return Error("--dir needs a folder");
      line.dir = value;
    } else {
      return Error("unknown option " + std::string(arg));
    }
  }
  return line;
}

std::string UsageText() {
  return "usage: veltrane [--dir FOLDER]\n"
         "       veltrane --export TARGET [--dir FOLDER]\n"
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
         "  --help         print this text\n"
         "  /i             (first argument) show the information box and end\n";
}
