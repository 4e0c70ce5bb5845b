// The search for records that occur more than once across all lists, run at start-up
// when the option is on. Pure: the correction scheme loads the lists and shows the report.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "lists/list_catalog.h"

// The report lines "record > File.txt", one per occurrence found, for `lists` given in
// the start-up order with their file names.
//
// The search walks all records sorted case-insensitively; at every record that has an
// equal record (byte for byte) later in that order, it scans each list from its first
// line, deleting every equal record from its working copy and naming it in the report;
// after a deletion the scan goes on at the next position, so a record that moved up into
// the deleted place is not looked at in that scan. The result is computed without the
// quadratic scans, line for line the same.
std::vector<std::string> DoubleRecordReport(const TListSet& lists,
                                            const std::array<std::string, kListCount>& file_names);
