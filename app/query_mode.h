// `veltrane --query NAME`: where a name comes from (lists/name_query.h), on standard output.
// Exit code 0 when a list holds it or a never-block rule names it, 1 when none does (a line
// says so).
#pragma once

#include <string>

int RunQueryMode(const std::string& name);
