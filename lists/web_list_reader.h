// WebListReader: a web list read as its bytes come (a download, a file read in parts), by
// the line rules of web_list.h. Its records are kept once each as they come, so that what
// it holds follows what it keeps, not what it reads: a list of one name repeated a million
// times holds one record.
//
// A list is read whole or refused with the reason, and then gives nothing: bytes that are
// no text (a NUL byte, UTF-16), a line too long for any list, more records than any list
// holds, and, for a download, a web page instead of a list (a captive portal's login page,
// an error page served as 200).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/distinct_records.h"
#include "lists/list_files.h"
#include "lists/text_line_stream.h"
#include "lists/web_list.h"
#include "runtime/platform/http.h"

// The largest public lists, aggregates of many others, hold 3 to 4 million names; 5 million
// leaves them room, and bounds what a list can make the program hold (about 100 bytes a
// record: half a gigabyte).
inline constexpr size_t kWebListRecordLimit = 5'000'000;
// No list has a line near this long (the longest, cosmetic rules naming many sites, hold a
// few kilobytes); a longer one is no list, and would be held whole.
inline constexpr size_t kWebListLineLimit = 1 << 20;
// A file is read up to the size a download may have.
inline constexpr uint64_t kWebListFileLimit = platform::kDownloadLimit;

// What a list may hold before it is refused.
struct WebListLimits {
  size_t records = kWebListRecordLimit;  // different records
  size_t line = kWebListLineLimit;       // bytes
};

class WebListReader {
 public:
  enum class Source { File, Download };  // a download that begins like a web page is refused
  struct Refusal {
    enum class Kind { NotText, WebPage, TooLarge };
    Kind kind = Kind::NotText;
    std::string reason;  // NotText: NotTextReason's words; otherwise as Text() ends
    // Why, to follow the list's name or address: "is no text list: it holds a NUL byte at
    // byte 12", "is a web page, not a list: it begins with \"<html\"", "gives more than 5000000
    // different names, more than any block list holds".
    std::string Text() const;
  };

  explicit WebListReader(Source source = Source::File, WebListLimits limits = {});
  WebListReader(const WebListReader&) = delete;
  WebListReader& operator=(const WebListReader&) = delete;

  // The next bytes; false once the list is refused.
  bool Feed(std::string_view bytes);
  // The end of the list; false when it is refused.
  bool End();
  const std::optional<Refusal>& Refused() const { return refusal_; }
  // What the list gave: every record once, in the order they first came, with the repeats
  // and the skipped lines counted (known stays 0 until KeepNewRecords). The reader is left empty;
  // the table its records were kept by goes to `lookup` when one is given.
  WebListReading Take(RecordLookup* lookup = nullptr);

 private:
  bool TakeLine(std::string_view line);
  bool Keep();
  bool Refuse(Refusal::Kind kind, std::string reason);
  bool Stopped();

  Source source_;
  WebListLimits limits_;
  TextLineStream lines_;
  DistinctRecords records_;
  RecordList given_;  // records of the last lines, kept a few hundred at a time
  size_t repeated_ = 0, skipped_ = 0;
  bool text_seen_ = false;  // a line that is not blank has come
  std::optional<Refusal> refusal_;
};

// Reads the file at `path` through `reader` in pieces, and tells what it found as
// ReadRecords does (the lines stay with the reader): Missing, Read, NotText (`why`:
// NotTextReason's words) or Unreadable (`why`: the system's words, or what makes the file
// too large for a list: over kWebListFileLimit bytes, or a reason of the reader's).
RecordFile ReadWebListFile(const std::string& path, WebListReader& reader);

// The sink that sends a download's body to `reader` as it comes (HttpRequest::sink): the
// download fails with the reader's words when it refuses the list. Its end is the caller's
// to tell the reader (End), once the download has ended well.
platform::HttpBodySink SinkInto(WebListReader& reader);
