// Reading the block lists people publish: hosts files, filter lists in the Adblock syntax and
// plain domain lists, or any mix of them, line by line. Pure functions; WebListReader reads
// every web list through them, for the loaders, the command line and the subscriptions.
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

#include "runtime/record_list.h"

// A host name: at least one ".", non-empty labels of ASCII letters, digits, "-" and "_" or of
// UTF-8 letters of other scripts (internationalised names), no label starting or ending with
// "-", no label over 63 bytes and no name over 253 in its ASCII form (A-labels for an
// internationalised name), as the DNS holds names; not "localhost.localdomain". A name whose last label is all digits
// is no host name but an address: it counts when it is a dotted IPv4 address (the firewalls block addresses), other
// than 0.0.0.0, the address hosts files send blocked names to, which names no host.
bool IsWebListName(std::string_view name);

// Four decimal numbers from 0 to 255 with dots between them.
bool IsDottedIpv4(std::string_view text);
// An IPv6 address in any of its written forms ("::1", "fe80::1%lo0", "::ffff:1.2.3.4").
bool IsIpv6(std::string_view text);

// Appends the records one line gives, in line order, and returns how many it gave.
size_t AppendLineRecords(std::string_view line, RecordList& records);

// Whether a line is no attempt to name a host, so that giving nothing is no loss: a blank
// line, a comment, a header, or a hosts file's line for the machine itself or its local
// network ("127.0.0.1 localhost", "::1 ip6-localhost ip6-loopback", "255.255.255.255
// broadcasthost"), whose names are all names without a dot, "localhost.localdomain" or
// "0.0.0.0". Every other line that gives nothing is skipped: it could have named a host.
bool NamesNoHost(std::string_view line);

struct WebListReading {
  RecordList records;   // the records the list gave, each once, in the order they first came;
                        // after KeepNewRecords only those in no list
  size_t known = 0;     // records (each counted once) that a list holds
  size_t repeated = 0;  // occurrences of a record the list gave before
  size_t skipped = 0;   // lines that could have named a host and gave nothing
};

// Keeps the records that the lists do not hold, `held[i]` telling whether they hold record
// i (RecordIndex::ContainsEach), and counts the others as known.
void KeepNewRecords(WebListReading& reading, const std::vector<bool>& held);

// "12 new, 3 known, 2 repeated, 4 skipped": what a reading found, as the program reports
// it. New, known and repeated add up to the records the list gave, repeats and all.
std::string WebListSummary(size_t fresh, size_t known, size_t repeated, size_t skipped);
inline std::string WebListSummary(const WebListReading& reading) {
  return WebListSummary(reading.records.size(), reading.known, reading.repeated, reading.skipped);
}
