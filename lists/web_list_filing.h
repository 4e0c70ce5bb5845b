// Filing the records of a web list: the text of a list as lines, and its new records into
// one of the seven lists, as the command line, the subscriptions and their tests do it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_catalog.h"
#include "lists/web_list.h"

// The lines of a list's bytes (any line breaks, a UTF-8 byte-order mark passed over), or
// nothing, with `why` set, for bytes that are no text ("holds a NUL byte at byte 12").
std::optional<std::vector<std::string>> WebListLines(std::string_view bytes, std::string* why);

// Moves the records of `reading` that no list of `lists` holds (each at its first
// occurrence, the others counted as known) to the end of the list `into`, and returns their
// number; `reading` keeps its counts and no records. The list is left unsorted: the caller
// sorts it once, however many readings went into it.
size_t FileNewRecords(TListSet& lists, ListId into, WebListReading& reading);
