// The open and save dialogs.
#include "widgets/file_dialog.h"

#include "runtime/platform/files.h"
#include "widgets/backend.h"

void TKXFileDialog::doExecute(TData&, uint16_t) {
  widgets::FileDialogRequest request;
  request.save = save_;
  request.title = Title;
  request.filter = Filter;
  request.start_dir = StartDir.empty() ? std::string() : platform::NativePath(StartDir);
  request.initial_name = last_chosen_;
  const auto chosen = widgets::CurrentBackend().RunFileDialog(request);
  if (!chosen || chosen->empty()) {
    FireEvent(onCancel);
    return;
  }
  last_chosen_ = *chosen;
  FireEvent(onExecute, *chosen);
}
