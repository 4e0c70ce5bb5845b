#include "runtime/platform/program_dir.h"

#include <array>
#include <string_view>

namespace platform {

namespace {
std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}
}  // namespace

std::string ChooseProgramDir(const std::string& exe_dir, bool exe_dir_writable, const char* xdg_data_home,
                             const char* home) {
  // A package's window program lies in libexec, and is started from bin.
  static constexpr std::array<std::string_view, 7> kSystemFolders = {"/usr/bin/",
                                                                     "/usr/local/bin/",
                                                                     "/bin/",
                                                                     "/usr/games/",
                                                                     "/usr/local/games/",
                                                                     "/usr/libexec/veltrane/",
                                                                     "/usr/local/libexec/veltrane/"};
  const std::string dir = WithSlash(exe_dir);
  bool installed = false;
  for (std::string_view folder : kSystemFolders) installed = installed || dir == folder;
  if (exe_dir_writable && !installed) return dir;
  // The XDG base directory rules ignore a relative XDG_DATA_HOME.
  if (xdg_data_home && xdg_data_home[0] == '/') return WithSlash(xdg_data_home) + "Veltrane/";
  if (home && home[0] == '/') return WithSlash(home) + ".local/share/Veltrane/";
  return dir;
}

}  // namespace platform
