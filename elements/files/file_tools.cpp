// TKXFileTools: copy and delete through the file layer.
#include "elements/files/file_tools.h"

#include <string>

#include "runtime/platform/files.h"

void TKXFileTools::doCopy(TData& value, uint16_t) {
  const std::string from = InputText(value, dataFileName, "");
  const std::string to = InputText(value, dataDest, "");
  if (platform::CopyFileOver(from, to) && platform::IsFile(to)) FireEvent(onDone);
}

void TKXFileTools::doDelete(TData& value, uint16_t) {
  const std::string name = InputText(value, dataFileName, "");
  platform::RemoveFile(name);
  if (!platform::IsFile(name)) FireEvent(onDone);
}
