// The INI element reads its inputs in a fixed order: the first unlinked input with an
// empty default takes the arriving value, so the order decides what an event feeds.
#include "runtime/ini.h"

#include "runtime/ini_path.h"
#include "runtime/platform/profile.h"
#include "runtime/save_failure.h"

TKXini::Target TKXini::Open(TData& arriving) const {
  Target target;
  target.file = ResolveIniPath(InputText(arriving, dataFileName, FileName));
  target.section = InputText(arriving, dataSection, Section);
  return target;
}

void TKXini::Written(bool done, const std::string& file, const std::string& why) {
  if (!done) FireEvent(onWriteError, SaveFailureMessage(file, why));
}

void TKXini::doRead(TData& value, uint16_t) {
  const Target target = Open(value);
  const std::string key = InputText(value, dataKey, Key);
  if (DataType == 0) {
    FireEvent(onResult, platform::ReadProfileInt(target.file, target.section, key));
  } else {
    FireEvent(onResult, platform::ReadProfileString(target.file, target.section, key));
  }
}

void TKXini::doWrite(TData& value, uint16_t) {
  const Target target = Open(value);
  // The value is read before the key: an event's value feeds an unlinked dataValue.
  const std::string text =
      DataType == 0 ? std::to_string(InputInteger(value, dataValue, 0)) : InputText(value, dataValue, std::string());
  const std::string key = InputText(value, dataKey, Key);
  std::string why;
  Written(platform::WriteProfileString(target.file, target.section, key, text, &why), target.file, why);
}

void TKXini::doDeleteKey(TData& value, uint16_t) {
  const Target target = Open(value);
  const std::string key = InputText(value, dataKey, Key);
  std::string why;
  Written(platform::DeleteProfileKey(target.file, target.section, key, &why), target.file, why);
}

void TKXini::doEraseSection(TData& value, uint16_t) {
  const Target target = Open(value);
  std::string why;
  Written(platform::EraseProfileSection(target.file, target.section, &why), target.file, why);
}
