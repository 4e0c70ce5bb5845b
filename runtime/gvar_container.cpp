// The section loader stores every value as text, numbers included; readers convert.
#include "runtime/gvar_container.h"

#include "runtime/global_registry.h"
#include "runtime/ini_path.h"
#include "runtime/lines.h"
#include "runtime/platform/profile.h"

void TKXGVarContainer::SetNames(const std::string& text) { Names = SplitLines(text); }

void TKXGVarContainer::doRead(TData& value, uint16_t) {
  // The section is read before the file, unlike the INI element.
  const std::string section = InputText(value, dataSection, Section);
  const std::string file = ResolveIniPath(InputText(value, dataFileName, FileName));
  for (const std::string& line : Names) {
    const size_t eq = line.find('=');
    const std::string name = line.substr(0, eq);
    if (name.empty()) continue;  // no element can name an empty variable
    const std::string fallback = eq == std::string::npos ? std::string() : line.substr(eq + 1);
    // Names are used exactly as written; the lists hold lower-case names that meet
    // the lower-cased names of the global variable elements.
    TData& cell = RegisterGlobal(name);
    auto read = platform::FindProfileString(file, section, name);
    cell = MakeText(read ? std::move(*read) : fallback.substr(0, platform::kProfileValueMax));
  }
  FireEvent(onEnd);
}
