// Opening documents and web addresses through the shell.
#include "widgets/win_exec.h"

#include "runtime/platform/files.h"
#include "widgets/backend.h"

void TKXWinExec::doShellExec(TData& value, uint16_t) {
  const std::string name = InputText(value, dataFileName, FileName);
  if (name.empty()) return;
  // A web address goes as it is; a file path may use "\" like every other path of the program.
  const bool address = name.find("://") != std::string::npos;
  widgets::CurrentBackend().OpenDocument(address ? name : platform::NativePath(name));
}
