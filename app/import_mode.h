// `veltrane --import FILE --into LIST`: reads a block list (a file, or an http:// or https://
// address) as a web list and files the records that no list holds into LIST, sorted and
// saved. Prints "N new, M known, R repeated, K skipped" and returns 0; a file that cannot
// be read or is refused, a failed or refused download, an unknown list or a list that
// cannot be read whole or saved is told on standard error and returns 1, every list as it was.
#pragma once

#include <string>

int RunImportMode(const std::string& from, const std::string& into);
