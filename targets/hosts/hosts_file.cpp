#include "targets/hosts/hosts_file.h"

#include <iterator>
#include <utility>

namespace {

constexpr std::string_view kRule = "#===============================================================";
constexpr std::string_view kCountLine = "#                    Number of URL Records: ";
constexpr std::string_view kDateLine = "#                           ";

// The banner as PutHostsBanner writes it, line by line; "" for the count and the date lines,
// which carry a number and a date.
constexpr std::string_view kBanner[] = {kRule,
                                        "#",
                                        "#                -=Created with Veltrane=-",
                                        "#",
                                        "#",
                                        "#                  Powered by www.veltrane.org",
                                        "#",
                                        "#                               URL:",
                                        "#",
                                        "#     https://www.veltrane.org/support",
                                        "#",
                                        "#",
                                        "#",
                                        "",
                                        "#",
                                        "",
                                        "#",
                                        kRule};
constexpr size_t kBannerLines = std::size(kBanner);

bool AllOf(std::string_view text, std::string_view bytes) {
  return !text.empty() && text.find_first_not_of(bytes) == std::string_view::npos;
}

constexpr size_t kCountAt = 13, kDateAt = 15;

// Whether `line` is line `n` of the banner.
bool BannerLine(size_t n, std::string_view line) {
  if (n == kCountAt) return line.starts_with(kCountLine) && AllOf(line.substr(kCountLine.size()), "0123456789");
  if (n == kDateAt) return line.starts_with(kDateLine) && AllOf(line.substr(kDateLine.size()), "0123456789.");
  return line == kBanner[n];
}

}  // namespace

void THostsScan::Restart() {
  TConfigScan::Restart();
  own_at.reset();
  banner_ = 0;
  banner_done_ = false;
  held_.clear();
}

void THostsScan::Line(std::string_view line) {
  if (line_count++ == 0 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  if (!banner_done_) {
    if (banner_ < kBannerLines && BannerLine(banner_, line)) {
      ++banner_;
      if (banner_ < kBannerLines) held_.emplace_back(line);
      else held_.clear();  // the whole banner: dropped
      return;
    }
    banner_done_ = true;
    // The empty line below the banner is its own; anything else ends a banner cut short.
    if (banner_ == kBannerLines && line.empty()) return;
    for (const std::string& held : std::exchange(held_, {})) Kept(held);
  }
  Kept(line);
}

void THostsScan::Finish() {
  banner_done_ = true;
  for (const std::string& held : std::exchange(held_, {})) Kept(held);
}

void THostsScan::Kept(std::string_view line) {
  if (own && own->Claim(line)) {
    if (!own_at) own_at = lines.size();
    return;
  }
  if (keep_lines) lines.emplace_back(line);
  ForEachHostsName(line, [this](std::string_view name) { addresses.emplace_back(name); });
}

void PutHostsBanner(TLineSink& sink, size_t names, std::string_view date) {
  const std::string count = std::to_string(names);
  for (size_t n = 0; n < kBannerLines; ++n) {
    if (n == kCountAt) {
      sink.Line({kCountLine, count});
    } else if (n == kDateAt) {
      sink.Line({kDateLine, date});
    } else {
      sink.Line({kBanner[n]});
    }
  }
  sink.Line({""});
}
