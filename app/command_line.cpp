#include "app/command_line.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "lists/web_subscriptions.h"
#include "targets/target_catalog.h"

namespace {

constexpr std::string_view kOptions[] = {
    "--help", "--write-elevated", "--export",      "--dir",           "--import", "--into",         "--update",
    "--wait", "--subscribe",      "--unsubscribe", "--subscriptions", "--query",  "--accept-losses"};

// An option's value: the next argument, unless there is none or it is an option itself.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value) {
  if (i + 1 >= args.size() || args[i + 1].starts_with("--")) return false;
  value = args[++i];
  return true;
}

// The targets --export takes, as the usage names them.
std::string ExportTargets() {
  std::string names;
  for (const TTargetInfo& target : kTargets) names += std::string(target.name) + ", ";
  return names + "banlist";
}

// The target's name as the modes know it ("hosts", "banlist"), or nothing.
std::optional<std::string> ExportTarget(std::string name) {
  for (char& c : name) c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  if (name == "banlist" || TargetNamed(name)) return name;
  return std::nullopt;
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
  int modes = 0;  // the modes given by their options, besides --export and --import
  if (!args.empty() && args[0] == "/i") {
    line.mode = CommandLine::Mode::Info;
    return line;
  }
  std::vector<std::string_view> given;
  std::string stray;  // the first argument that is neither an option nor an option's value
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!arg.starts_with("--")) {  // the window system's own arguments
      if (stray.empty()) stray = arg;
      continue;
    }
    if (std::find(std::begin(kOptions), std::end(kOptions), arg) == std::end(kOptions))
      return Error("unknown option " + std::string(arg));
    // A second value would silently win over the first.
    if (std::find(given.begin(), given.end(), arg) != given.end())
      return Error(std::string(arg) + " is given twice; each option is given once at most");
    given.push_back(arg);
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
      if (!TakeValue(args, i, value)) return Error("--export needs a target: " + ExportTargets());
      const std::optional<std::string> target = ExportTarget(value);
      if (!target) return Error("no target is named \"" + value + "\"; the targets are " + ExportTargets());
      line.target = *target;
    } else if (arg == "--wait") {
      char* end = nullptr;
      if (TakeValue(args, i, value)) line.wait = std::strtod(value.c_str(), &end);
      if (value.empty() || !end || *end != '\0' || !(line.wait >= 0 && line.wait <= 86400))
        return Error("--wait needs a number of seconds from 0 to 86400");
    } else if (arg == "--dir") {
      if (!TakeValue(args, i, value) || value.empty()) return Error("--dir needs a folder");
      line.dir = value;
    } else if (arg == "--accept-losses") {
      line.accept_losses = true;
    } else if (arg == "--update" || arg == "--subscriptions") {
      ++modes;
      line.mode = arg == "--update" ? CommandLine::Mode::Update : CommandLine::Mode::Subscriptions;
    } else if (!TakeValue(args, i, value) || value.empty()) {
      return Error(std::string(arg) + (arg == "--import"  ? " needs a file or a web address"
                                       : arg == "--into"  ? " needs a list"
                                       : arg == "--query" ? " needs a name"
                                                          : " needs a web address"));
    } else if (arg == "--import") {
      line.import_from = value;
    } else if (arg == "--subscribe" || arg == "--unsubscribe") {
      ++modes;
      line.mode = arg == "--subscribe" ? CommandLine::Mode::Subscribe : CommandLine::Mode::Unsubscribe;
      line.url = value;
    } else if (arg == "--query") {
      ++modes;
      line.mode = CommandLine::Mode::Query;
      line.name = value;
    } else {
      const std::optional<ListId> list = ListNamed(value);
      if (!list) return Error("no list is named \"" + value + "\"; the lists are " + ListNameChoices());
      line.into = Info(*list).name;
    }
  }
  if (line.mode == CommandLine::Mode::Help) return line;
  const bool subscribes = line.mode == CommandLine::Mode::Subscribe;
  if (int(!line.target.empty()) + modes + int(!line.import_from.empty()) > 1)
    return Error(
        "--export, --import, --update, --subscribe, --unsubscribe, --subscriptions and --query are given "
        "one at a time");
  if (!line.target.empty()) line.mode = CommandLine::Mode::Export;
  if (!line.import_from.empty()) line.mode = CommandLine::Mode::Import;
  if ((!line.import_from.empty() || subscribes) && line.into.empty())
    return Error(std::string(subscribes ? "--subscribe URL" : "--import FILE") + " needs --into LIST");
  if (!line.into.empty() && line.import_from.empty() && !subscribes)
    return Error("--into LIST goes with --import or --subscribe");
  if (line.accept_losses && line.mode != CommandLine::Mode::Update) return Error("--accept-losses goes with --update");
  // Only the window hands its other arguments on (to the window system).
  if (line.Windowless() && !stray.empty()) return Error("unexpected argument \"" + stray + "\"");
  return line;
}

std::string UsageText() {
  return "usage: veltrane [--dir FOLDER]\n"
         "       veltrane --export TARGET [--dir FOLDER] [--wait SECONDS]\n"
         "       veltrane [--dir FOLDER] [--wait SECONDS] --import FILE --into LIST\n"
         "       veltrane [--dir FOLDER] [--wait SECONDS] --update [--accept-losses]\n"
         "       veltrane [--dir FOLDER] [--wait SECONDS] --subscribe URL --into LIST\n"
         "       veltrane [--dir FOLDER] [--wait SECONDS] --unsubscribe URL\n"
         "       veltrane [--dir FOLDER] --subscriptions\n"
         "       veltrane [--dir FOLDER] --query NAME\n"
         "       veltrane --help\n"
         "       veltrane /i\n"
         "Without options Veltrane opens its window. The options, each given once at most:\n"
         "  --dir FOLDER   use FOLDER as the program folder (settings, lists, backups, logs),\n"
         "                 made when missing; without it the folder of the program, or the\n"
         "                 user's data folder where that cannot be written\n"
         "  --export TARGET\n"
         "                 without a window, export as page \"Export URL\" does in mode \"To\n"
         "                 Programm\": the categories checked there, with User_BadList, without\n"
         "                 User_NO_BadList, straight into the file set for TARGET on page\n"
         "                 \"Setting\", one of\n"
         "                 " +
         ExportTargets() +
         "\n"
         "                 (banlist: the file of \"Create File:\"); prints FILE: N names written,\n"
         "                 A new, T taken out, L left out; with no category checked it\n"
         "                 writes nothing and ends with exit code 1\n"
         "  --import FILE --into LIST\n"
         "                 read FILE (or an http:// or https:// address) as a block list (hosts\n"
         "                 file, filter list or plain domains) and file the records that no list\n"
         "                 holds into LIST (Advertisement, Misc, Porno, Unsorted, \"Viruses (and\n"
         "                 similar)\", User_BadList, User_NO_BadList); prints N new, M known,\n"
         "                 R repeated, K skipped\n"
         "  --update       download every subscribed web list (Setting, Web Lists) and file its new\n"
         "                 records, take out those a list dropped (never a name of the user's);\n"
         "                 one line per list, exit code 1 when any failed (its line then goes\n"
         "                 to standard error). A list that lost more than half its names since\n"
         "                 its last update is held back, unless --accept-losses is given\n"
         "  --subscribe URL --into LIST\n"
         "                 subscribe to the web list at URL, its names to go into LIST\n"
         "  --unsubscribe URL\n"
         "                 end the subscription: the names only it brought leave the lists, and\n"
         "                 what its downloads answered is forgotten\n"
         "  --subscriptions\n"
         "                 one line per subscription: address, list, names it brought, last\n"
         "                 update and its outcome, separated by tabs\n"
         "  --query NAME   where NAME comes from: the lists that hold it, by hand or through which\n"
         "                 subscriptions, the never-block rules that spare it, and whether each\n"
         "                 target set up writes it; exit code 0 when a list or a rule names it,\n"
         "                 1 when none does\n"
         "  --wait SECONDS while another Veltrane (the window, a timer's run) is changing the files\n"
         "                 of the program folder, wait up to SECONDS (120 when not given) for it\n"
         "                 to finish, then give up with exit code 1, changing nothing\n"
         "  --help         print this text\n"
         "  /i             (first argument) show the information box and end\n"
         "TARGET and LIST are taken in any case, LIST also as page \"Export URL\" labels it\n"
         "(Viruses).\n"
         "Exit codes: 0 done; 1 the work failed (the reason on standard error, no file changed\n"
         "by a failed export or import; a window that cannot be shown without a display);\n"
         "2 the command line cannot be used (an unknown or repeated option, a missing or\n"
         "unknown target, list or value). Errors go to standard error, each line starting\n"
         "with \"veltrane: \".\n";
}
