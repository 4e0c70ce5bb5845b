// Veltrane on Linux: the modes without a window run in this program, which loads no window
// toolkit, so that a mode starts in milliseconds and holds a few megabytes besides its work.
// The window is the program veltrane-window, started in this process's place with the same
// arguments and the program folder this process chose, so that both use one folder wherever
// the window program is installed.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/main/run_veltrane.h"
#include "runtime/platform/files.h"

namespace {

// Where the window program is: beside this one (a build folder, a program folder made by
// hand), else in the libexec folder of the prefix this one is installed under (/usr/bin/veltrane:
// /usr/libexec/veltrane/veltrane-window).
std::string WindowProgram() {
  char self[4096];
  const ssize_t size = readlink("/proc/self/exe", self, sizeof self - 1);
  if (size <= 0) return "/usr/libexec/veltrane/veltrane-window";
  std::string folder(self, size_t(size));
  folder.erase(folder.find_last_of('/') + 1);
  const std::string beside = folder + "veltrane-window";
  if (access(beside.c_str(), X_OK) == 0) return beside;
  return folder + "../libexec/veltrane/veltrane-window";
}

// Runs the window program in this process's place; returns only when it could not be started.
void StartWindow(char** argv) {
  const std::string program = WindowProgram();
  std::vector<std::string> args{program};
  bool dir_given = false;
  for (char** arg = argv + 1; *arg; ++arg) dir_given = dir_given || std::strcmp(*arg, "--dir") == 0;
  if (!dir_given) {
    args.emplace_back("--dir");
    args.push_back(platform::ProgramDir());
  }
  for (char** arg = argv + 1; *arg; ++arg) args.emplace_back(*arg);
  std::vector<char*> values;
  for (std::string& arg : args) values.push_back(arg.data());
  values.push_back(nullptr);
  std::cout.flush();
  execv(program.c_str(), values.data());
  const int error = errno;
  std::cerr << "veltrane: cannot start the window program " << program << ": " << std::strerror(error) << "\n"
            << "veltrane: the modes without a window still work (veltrane --help lists them)\n";
}

}  // namespace

int main(int argc, char** argv) {
  return RunVeltrane(argc, argv, [](int&, char** values, const NoDisplay&) -> std::unique_ptr<widgets::Backend> {
    StartWindow(values);
    return nullptr;
  });
}
