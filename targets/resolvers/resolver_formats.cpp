#include "targets/resolvers/resolver_formats.h"

#include <string>

#include "elements/files/time_stamp.h"
#include "elements/strings/trim.h"

namespace {

struct Format {
  std::string_view comment;      // the comment mark at the start of a line
  std::string_view description;  // the first line's words after "Created with Veltrane: "
  std::string_view answer;       // what a listed name answers
  std::string_view spared;       // what a name never to block answers
};

// In the order of the catalog's resolver formats.
constexpr Format kFormats[] = {
    {"#", "a dnsmasq configuration file (conf-file=, or a file in /etc/dnsmasq.d)",
     "Each name below, and every name under it, answers NXDOMAIN (no such domain).",
     "Never to block: the usual servers answer each name below, and every name under it not listed above."},
    {"#", "an Unbound include file (include: in unbound.conf, or a file in /etc/unbound/unbound.conf.d)",
     "Each name below, and every name under it, answers NXDOMAIN (no such domain).",
     "Never to block: each zone below is resolved as usual, every name under it not listed above too."},
    {";", "a response policy zone, relative names, to load under any zone name",
     "Each name below, and every name under it, answers NXDOMAIN (CNAME .).",
     "Never to block: each name below is answered as usual (CNAME rpz-passthru.), the names under it too where "
     "its wildcard is."},
    {"!", "an Adblock-style list (AdGuard Home, Pi-hole)", "Each ||name^ blocks the name and every name under it.",
     "Never to block: each @@||name^ spares the name and every name under it not marked $important."},
    {"#", "a list of domain names, one a line", "Each name is one to block.", ""},
};

const Format& Of(TargetId format) {
  return kFormats[static_cast<size_t>(format) - static_cast<size_t>(TargetId::Dnsmasq)];
}

constexpr std::string_view kSignature = " Created with Veltrane: ";

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The text between `prefix` and `suffix` when the line is exactly those around it.
std::string_view Between(std::string_view line, std::string_view prefix, std::string_view suffix) {
  if (line.size() < prefix.size() + suffix.size() || !line.starts_with(prefix) || !line.ends_with(suffix)) return {};
  return line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
}

// The fields of a zone file line, split at blanks and tabs: at most `n`, then the rest.
size_t Fields(std::string_view line, std::string_view* fields, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < line.size();) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (count == n) return n + 1;
    fields[count++] = line.substr(start, i - start);
  }
  return count;
}

}  // namespace

uint32_t ZoneSerial(const platform::LocalTime& when) {
  const int64_t days = DaysFromCivil(when.year, when.month, when.day);
  return uint32_t(days * 86400 + when.hour * 3600 + when.minute * 60 + when.second);
}

void PutResolverHead(TLineSink& sink, TargetId format, size_t names, const platform::LocalTime& when) {
  const Format& f = Of(format);
  const std::string count = std::to_string(names);
  const std::string date = FormatTimeStamp("D.M.Y", when);
  sink.Line({f.comment, kSignature, f.description});
  sink.Line({f.comment, " Number of URL Records: ", count});
  sink.Line({f.comment, " Date: ", date});
  sink.Line({f.comment, " ", f.answer});
  switch (format) {
    case TargetId::Unbound: sink.Line({"server:"}); break;
    case TargetId::Rpz: {
      // Names of the zone's own servers that no resolver looks up through it; the zone is
      // only ever read locally.
      const std::string serial = std::to_string(ZoneSerial(when));
      sink.Line({"$TTL 3600"});
      sink.Line({"@ IN SOA localhost. hostmaster.localhost. ", serial, " 3600 600 604800 3600"});
      sink.Line({"@ IN NS localhost."});
      break;
    }
    default: break;
  }
}

void PutResolverEntry(TLineSink& sink, TargetId format, std::string_view name, bool below_exception) {
  switch (format) {
    case TargetId::Dnsmasq: sink.Line({"address=/", name, "/"}); break;
    case TargetId::Unbound: sink.Line({"    local-zone: \"", name, ".\" always_nxdomain"}); break;
    case TargetId::Rpz:
      sink.Line({name, " CNAME ."});
      sink.Line({"*.", name, " CNAME ."});
      break;
    case TargetId::Adblock: sink.Line({"||", name, below_exception ? "^$important" : "^"}); break;
    default: sink.Line({name}); break;
  }
}

void PutResolverExceptionHead(TLineSink& sink, TargetId format) {
  const Format& f = Of(format);
  sink.Line({f.comment, " ", f.spared});
}

void PutResolverException(TLineSink& sink, TargetId format, std::string_view name, bool whole_domain) {
  switch (format) {
    case TargetId::Dnsmasq: sink.Line({"server=/", name, "/#"}); break;
    case TargetId::Unbound: sink.Line({"    local-zone: \"", name, ".\" transparent"}); break;
    case TargetId::Rpz:
      // A zone can spare the name alone: the names below it stay blocked by the entry above,
      // whose wildcard the name's own node would otherwise hide from them.
      sink.Line({name, " CNAME rpz-passthru."});
      sink.Line({"*.", name, whole_domain ? " CNAME rpz-passthru." : " CNAME ."});
      break;
    case TargetId::Adblock: sink.Line({"@@||", name, "^"}); break;
    default: break;
  }
}

void TResolverScan::Restart() {
  TConfigScan::Restart();
  exceptions.clear();
  owned = true;
  first_ = true;
}

void TResolverScan::Line(std::string_view line) {
  if (line_count++ == 0 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  // The lines are never kept: a direct write makes the whole file anew.
  const std::string_view text = TrimBlanks(line);
  if (text.empty()) return;
  const Format& f = Of(format_);
  if (first_) {
    first_ = false;
    owned = line.starts_with(f.comment) && line.substr(f.comment.size()).starts_with(kSignature);
  }
  if (text.starts_with(f.comment)) return;
  std::string_view name, spared;
  switch (format_) {
    case TargetId::Dnsmasq:
      name = Between(text, "address=/", "/");
      spared = Between(text, "server=/", "/#");
      break;
    case TargetId::Unbound: {
      // The entry as the program writes it, before any other spacing is tried.
      name = Between(text, "local-zone: \"", ".\" always_nxdomain");
      if (!name.empty()) break;
      std::string_view fields[3];
      if (Fields(text, fields, 3) == 3 && fields[0] == "local-zone:") {
        if (fields[2] == "always_nxdomain") name = Between(fields[1], "\"", ".\"");
        if (fields[2] == "transparent") spared = Between(fields[1], "\"", ".\"");
      }
      break;
    }
    case TargetId::Rpz: {
      // The wildcard line is the second half of the name's entry.
      if (text.starts_with("*.")) break;
      name = Between(text, "", " CNAME .");
      if (!name.empty() && name.find_first_of(" \t") == std::string_view::npos) break;
      name = {};
      std::string_view fields[3];
      if (Fields(text, fields, 3) == 3 && fields[1] == "CNAME" && !fields[0].starts_with("*.")) {
        if (fields[2] == ".") name = fields[0];
        if (fields[2] == "rpz-passthru.") spared = fields[0];
      }
      break;
    }
    case TargetId::Adblock:
      name = Between(text, "||", "^");
      if (name.empty()) name = Between(text, "||", "^$important");
      if (text.starts_with("@@")) spared = Between(text, "@@||", "^");
      break;
    default: name = text; break;
  }
  const auto is_name = [](std::string_view n) {
    return !n.empty() && n.find_first_of("/\" \t^$") == std::string_view::npos;
  };
  if (is_name(name)) addresses.emplace_back(name);
  if (is_name(spared)) exceptions.emplace_back(spared);
}
