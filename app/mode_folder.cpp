#include "app/mode_folder.h"

#include "elements/files/dir.h"
#include "runtime/global_var.h"
#include "runtime/platform/files.h"

void UseProgramFolder() {
  TKXGlobalVar program_dir;
  program_dir.SetName("VELTR_dir");
  program_dir.SetValue(MakeText(platform::ProgramDir()));
  CreateFolderChain(platform::ProgramDir() + "Lists");
}
