#include "runtime/platform/program_dir.h"

namespace platform {

namespace {
std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}
}  // namespace

std::string ChooseProgramDir(const std::string& exe_dir, bool exe_dir_writable, const char* xdg_data_home,
                             const char* home) {
  if (exe_dir_writable) return WithSlash(exe_dir);
  // The specification of the base directories says a relative XDG_DATA_HOME is to be ignored.
  if (xdg_data_home && xdg_data_home[0] == '/') return WithSlash(xdg_data_home) + "Veltrane/";
  if (home && home[0] == '/') return WithSlash(home) + ".local/share/Veltrane/";
  return WithSlash(exe_dir);
}

}  // namespace platform
