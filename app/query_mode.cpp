#include "app/query_mode.h"

#include <iostream>

#include "app/mode_folder.h"
#include "lists/name_query.h"
#include "runtime/platform/files.h"

int RunQueryMode(const std::string& name) {
  UseProgramFolder();
  const NameAnswer answer = QueryName(name, platform::ProgramDir());
  if (answer.name.empty()) {
    std::cerr << "veltrane: --query needs a name\n";
    return 2;
  }
  for (const std::string& line : answer.Lines()) std::cout << line << "\n";
  return answer.Named() ? 0 : 1;
}
