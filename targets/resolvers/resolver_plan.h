// What a resolver file holds for the names to block and the names never to block, decided
// over all names at once before a line is written. Pure functions over the names, each step
// a walk up the labels of one name through hash tables: O(n) for n names of a few labels.
//
// An entry of every format but the domain list blocks its name with every name below it, so
// a name never to block below a blocked name needs the format's exception, or the entry
// above blocks it too. The exception of dnsmasq (`server=/NAME/#`), Unbound (`transparent`)
// and the Adblock-style list (`@@||NAME^`) spares the names below NAME as well, except those
// blocked themselves, where the name nearest to the one asked for decides (dnsmasq, Unbound);
// an Adblock exception wins over every plain rule, so a name blocked below one is written
// with `$important`. A policy zone's exception (`NAME CNAME rpz-passthru.`) spares NAME
// alone, its wildcard blocking the names below it again (`*.NAME CNAME .`: Unbound would
// spare them otherwise), or sparing them too, as a "*." line asks. A domain list cannot
// hold an exception: the blocked names above one are left out.
//
// With compress, names below a written name are left out, as the entry above blocks them;
// a name with an exception between it and that entry stays, so every server answers alike
// with and without compress.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "targets/target_catalog.h"

// A name never to block, as the format writes names.
struct TSparedName {
  std::string name;
  bool whole_domain = false;  // from a "*." line: the name and every name below it
};

struct TResolverPlan {
  struct Entry {
    uint32_t name = 0;  // the position in the names given
    // An exception stands above it: told for an Adblock-style list, which writes the name
    // with $important, and with compress, where the exception keeps the name in the file.
    bool below_exception = false;
  };
  std::vector<Entry> blocked;             // the names written, in their order
  std::vector<TSparedName> exceptions;    // the exceptions written, each name once, in the rules' order
  std::vector<uint32_t> above_exception;  // names left out for an exception the format cannot hold
  size_t covered = 0;                     // names left out with compress: a written name above blocks them
};

// Whether the format's entry blocks the names below its name, so that compress applies.
bool BlocksBelow(TargetId format);

// The plan for `names` (distinct, as the format writes them, in the order they are to be
// written) and the names of the never-block rules (`spared`, in the rules' order; any that
// is among `names` is no exception: the lists block it, as a line equal to no record spares
// nothing). An exception is written only below a blocked name: elsewhere nothing blocks it.
TResolverPlan PlanResolverFile(TargetId format, const std::vector<std::string_view>& names,
                               const std::vector<TSparedName>& spared, bool compress);
