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
  request.filter_index = last_filter_;
  const auto chosen = widgets::CurrentBackend().RunFileDialog(request);
  if (!chosen || chosen->path.empty()) {
    FireEvent(onCancel);
    return;
  }
  last_chosen_ = chosen->path;
  last_filter_ = chosen->filter_index;
  FireEvent(onExecute, chosen->path);
}
