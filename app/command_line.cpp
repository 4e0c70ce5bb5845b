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
    } else if (arg == "--write-elevated") {
      // Only ever the whole command line of the elevated second instance.
      if (i != 0 || args.size() != 3 || args[1].empty() || args[2].empty())
        return Error("--write-elevated needs exactly a file and a content file");
      line.mode = CommandLine::Mode::WriteElevated;
      line.write_path = args[1];
      line.content_file = args[2];
      return line;
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
         "       veltrane --help\n"
         "       veltrane /i\n"
         "Without options Veltrane opens its window. The options:\n"
         "  --dir FOLDER   use FOLDER as the program folder (settings, lists, backups, logs),\n"
         "                 made when missing; without it the folder of the program, or the\n"
         "                 user's data folder where that cannot be written\n"
         "  --help         print this text\n"
         "  /i             (first argument) show the information box and end\n";
}
