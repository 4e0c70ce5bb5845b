// TKXFilePart: folder, name and extension of a path.
#include "elements/files/file_part.h"

#include <string>

void TKXFilePart::doPart(TData& value, uint16_t) {
  const std::string path = InputText(value, dataFileName, "");
  if (path.empty()) return;

  const size_t sep = path.find_last_of("\\/:");
  const size_t name_start = sep == std::string::npos ? 0 : sep + 1;
  std::string name = path.substr(name_start);
  std::string ext;
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) {
    ext = name.substr(NoDot ? dot + 1 : dot);
    if (!WithExt) name.resize(dot);
  }
  // Everything is worked out before the first event, since a receiver may change what the input yields.
  FireEvent(onPath, path.substr(0, name_start));
  FireEvent(onName, std::move(name));
  FireEvent(onExt, std::move(ext));
}
