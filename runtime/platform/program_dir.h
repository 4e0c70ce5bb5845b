// Where an installed program keeps its folder on Linux: an executable in a folder the
// user may not write (/usr/bin) keeps "Veltra.ini", Lists, Backup and Logs in the user's
// data folder instead, by the XDG base directory rules.
#pragma once

#include <string>

namespace platform {

// The folder to use, with a trailing "/": `exe_dir` itself when it is writable and not
// one of the system's program folders (/usr/bin, /usr/local/bin, /bin, /usr/games, which
// the superuser may write but which never hold a program's data); otherwise "$XDG_DATA_HOME/Veltrane/" when
// XDG_DATA_HOME is an absolute path, else
// "$HOME/.local/share/Veltrane/"; `exe_dir` again when neither can be formed (no HOME).
// `xdg_data_home` and `home` are the environment's values (nullptr when unset).
std::string ChooseProgramDir(const std::string& exe_dir, bool exe_dir_writable, const char* xdg_data_home,
                             const char* home);

}  // namespace platform
