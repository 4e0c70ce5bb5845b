// The wildcard test of file searches: whole name against whole mask, in time
// proportional to at most the product of their lengths, whatever the mask.
#pragma once

#include <string_view>

// "*" matches any run of characters (the empty run too), "?" exactly one character,
// "#" exactly one decimal digit; every other character matches itself, ASCII
// letters without regard to case.
bool MaskMatches(std::string_view name, std::string_view mask);
