// Filing the records of a web list into one of the seven lists, as the command line, the
// subscriptions and their tests do it.
#pragma once

#include <cstddef>

#include "lists/list_catalog.h"
#include "lists/web_list.h"

// Moves the records of `reading` that no list of `lists` holds (the others counted as
// known) to the end of the list `into`, in their order, and returns their number;
// `reading` keeps its counts and no records. The list is left unsorted: the caller sorts it
// once, however many readings went into it.
size_t FileNewRecords(TListSet& lists, ListId into, WebListReading& reading);
