// Reading the block lists people publish: hosts files, filter lists in the Adblock syntax and
// plain domain lists, or any mix of them, line by line. Pure functions; the loaders, the
// command line and the subscriptions read every web list through them.
//
// A line gives records, or nothing:
// - Blank lines, comments ("#", "!") and "[Adblock Plus 2.0]"-style headers give nothing.
// - A line with a blank or a tab is a hosts line: up to a "#", an IPv4 or IPv6 address, then
//   names; each name that is a host name is a record. Without the address it gives nothing.
// - "||host^" is a filter rule that blocks the host, also with "$" and options that are all
//   "all", "doc", "document" or "important"; every other rule (exceptions, paths, wildcards,
//   cosmetic rules, any other option) gives nothing: it is no hosts-level block.
// - Any other line is a host name alone, or a web address "scheme://host[:port][/...]" whose
//   host is what stands between "://" and the first "/", as the clipboard loader takes it.
// Names are lower-cased (LowerCaseText) and trimmed before they are judged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/record_index.h"

// A host name: at least one ".", non-empty labels of ASCII letters, digits, "-" and "_" or of
// UTF-8 letters of other scripts (internationalised names), no label starting or ending with
// "-"; not "localhost.localdomain". A name whose last label is all digits is no host name but
// an address: it counts when it is a dotted IPv4 address (the firewalls block addresses),
// other than 0.0.0.0, the address hosts files send blocked names to, which names no host.
bool IsWebListName(std::string_view name);

// Four decimal numbers from 0 to 255 with dots between them.
bool IsDottedIpv4(std::string_view text);
// An IPv6 address in any of its written forms ("::1", "fe80::1%lo0", "::ffff:1.2.3.4").
bool IsIpv6(std::string_view text);

// Appends the records one line gives, in line order, and returns how many it gave.
size_t AppendLineRecords(std::string_view line, std::vector<std::string>& records);

struct WebListReading {
  std::vector<std::string> records;  // new records: in no list, each at its first occurrence, in file order
  size_t known = 0;                  // records of the file (each counted once) that a list holds
  size_t skipped = 0;                // lines that gave nothing
};

// Reads the lines of a web list against the records of the seven lists. The lines are used
// up (a published list holds a million of them, and they need not be held twice).
WebListReading ReadWebList(std::vector<std::string> lines, const RecordIndex& known);

// ReadWebList in steps, for a list read long before the lists are (a download), and so that
// the index of the lists' records and the one of the list's own are never held at once:
// every record the lines give, in order and with its repeats, and the skipped lines ...
WebListReading ExtractWebRecords(std::vector<std::string> lines);
// ... then, with `held[i]` telling whether the lists hold record i (RecordIndex::ContainsEach),
// only the first occurrence of each record they do not hold; the others counted as known once.
void KeepNewRecords(WebListReading& reading, const std::vector<bool>& held);

// "12 new, 3 known, 4 skipped": what a reading found, as the program reports it.
std::string WebListSummary(size_t fresh, size_t known, size_t skipped);
inline std::string WebListSummary(const WebListReading& reading) {
  return WebListSummary(reading.records.size(), reading.known, reading.skipped);
}
