#include "runtime/platform/resolver_file_grammar.h"

#include <optional>

namespace platform {
namespace {

constexpr std::string_view kMark = " Created with Veltrane: ";

constexpr size_t kLongestLabel = 63;
constexpr size_t kLongestName = 253;

bool NameByte(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'; }

// A name as the program writes one: labels of a to z, 0 to 9, "-" and "_", none empty, none
// longer than a label may be, two or more of them, no final dot.
bool IsName(std::string_view name) {
  if (name.empty() || name.size() > kLongestName) return false;
  size_t label = 0, labels = 1;
  for (char c : name) {
    if (c == '.') {
      if (label == 0) return false;
      label = 0;
      ++labels;
    } else if (!NameByte(c) || ++label > kLongestLabel) {
      return false;
    }
  }
  return label > 0 && labels >= 2;
}

bool IsNumber(std::string_view text) {
  if (text.empty() || text.size() > 10) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Printable ASCII and tabs: no byte a server could read as a line end or a string's end.
bool PlainText(std::string_view text) {
  for (char c : text)
    if ((c < 0x20 || c > 0x7E) && c != '\t') return false;
  return true;
}

// The text between `prefix` and `suffix` when the line is exactly those around it.
std::optional<std::string_view> Between(std::string_view line, std::string_view prefix, std::string_view suffix) {
  if (line.size() < prefix.size() + suffix.size() || !line.starts_with(prefix) || !line.ends_with(suffix))
    return std::nullopt;
  return line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
}

std::string_view WithoutIndent(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  return line;
}

constexpr std::string_view kNotALine = "it is no line Veltrane writes in this format";

// The lines after the first, for one format; `Line` gives the reason a line is refused, or
// nothing, and `End` whether the file may end where it does.
class Reader {
 public:
  explicit Reader(ResolverGrammar format) : format_(format) {}

  char Comment() const { return format_ == ResolverGrammar::Rpz ? ';' : '#'; }

  std::string_view Line(std::string_view line) {
    if (line.empty()) return {};
    if (line.front() == Comment())
      return PlainText(line) ? std::string_view() : "a comment holds a byte beyond printable ASCII";
    switch (format_) {
      case ResolverGrammar::Dnsmasq: return Dnsmasq(line);
      case ResolverGrammar::Unbound: return Unbound(line);
      case ResolverGrammar::Rpz: return Rpz(line);
    }
    return kNotALine;
  }

  std::string_view End() const {
    if (format_ == ResolverGrammar::Unbound && !server_) return "the file ends without its \"server:\" line";
    if (format_ == ResolverGrammar::Rpz && head_ < 3) return "the file ends before the zone's $TTL, SOA and NS";
    return {};
  }

 private:
  static std::string_view Dnsmasq(std::string_view line) {
    std::optional<std::string_view> name = Between(line, "address=/", "/");
    if (!name) name = Between(line, "server=/", "/#");
    if (!name) return kNotALine;
    return IsName(*name) ? std::string_view() : "the name is no domain name as Veltrane writes one";
  }

  std::string_view Unbound(std::string_view line) {
    if (line == "server:") {
      if (server_) return "a second \"server:\" line";
      server_ = true;
      return {};
    }
    const std::string_view entry = WithoutIndent(line);
    std::optional<std::string_view> name = Between(entry, "local-zone: \"", ".\" always_nxdomain");
    if (!name) name = Between(entry, "local-zone: \"", ".\" transparent");
    if (!name) return kNotALine;
    if (!server_) return "an entry before the \"server:\" line";
    return IsName(*name) ? std::string_view() : "the name is no domain name as Veltrane writes one";
  }

  std::string_view Rpz(std::string_view line) {
    // The head: $TTL, the SOA record, the NS record, once each and in that order.
    if (line.starts_with('$') || line.starts_with('@')) {
      const std::string_view step = head_ == 0   ? "$TTL "
                                    : head_ == 1 ? "@ IN SOA localhost. hostmaster.localhost. "
                                                 : "@ IN NS localhost.";
      if (head_ > 2 || !line.starts_with(step))
        return "the zone's head is not $TTL, SOA and NS once each, in that order";
      const std::string_view rest = line.substr(step.size());
      bool fits = false;
      if (head_ == 0) {
        fits = IsNumber(rest);
      } else if (head_ == 1) {
        // The serial, refresh, retry, expiry and negative TTL, one blank apart.
        size_t numbers = 0;
        fits = true;
        for (size_t from = 0;; ++numbers) {
          const size_t blank = rest.find(' ', from);
          fits = fits && IsNumber(rest.substr(from, blank == std::string_view::npos ? blank : blank - from));
          if (blank == std::string_view::npos) break;
          from = blank + 1;
        }
        fits = fits && numbers + 1 == 5;
      } else {
        fits = rest.empty();
      }
      if (!fits) return "the zone's head is not $TTL, SOA and NS as Veltrane writes them";
      ++head_;
      return {};
    }
    std::optional<std::string_view> owner = Between(line, "", " CNAME .");
    if (!owner) owner = Between(line, "", " CNAME rpz-passthru.");
    if (!owner) return kNotALine;
    if (head_ < 3) return "an entry before the zone's $TTL, SOA and NS";
    std::string_view name = *owner;
    if (name.starts_with("*.")) name.remove_prefix(2);
    return IsName(name) ? std::string_view() : "the name is no domain name as Veltrane writes one";
  }

  ResolverGrammar format_;
  bool server_ = false;  // Unbound: its "server:" line came
  int head_ = 0;         // a zone: how many of $TTL, SOA and NS came
};

}  // namespace

GrammarVerdict JudgeResolverFile(ResolverGrammar format, std::string_view content) {
  Reader reader(format);
  size_t number = 0;
  for (size_t at = 0; at < content.size() || number == 0;) {
    const size_t end = content.find('\n', at);
    std::string_view line = content.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? content.size() : end + 1;
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::string_view why;
    if (line.find('\r') != std::string_view::npos) {
      why = "a CR byte stands inside the line";
    } else if (number == 1) {
      if (line.empty() || line.front() != reader.Comment() || !line.substr(1).starts_with(kMark) || !PlainText(line))
        why = "its first line is not Veltrane's mark (\"Created with Veltrane: \" in a comment)";
    } else {
      why = reader.Line(line);
    }
    if (!why.empty()) return {number, why};
  }
  const std::string_view why = reader.End();
  if (!why.empty()) return {number + 1, why};
  return {};
}

}  // namespace platform
