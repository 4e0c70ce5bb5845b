// The headless backend's dialogs, message boxes and shell: each one is recorded as shown and
// answered from the scripted user's queues.
#include "widgets/backend_codes.h"
#include "widgets/headless/headless_backend.h"

namespace widgets {

std::optional<FileDialogAnswer> HeadlessBackend::RunFileDialog(const FileDialogRequest& request) {
  ShownDialog shown;
  shown.kind = request.save ? DialogKind::Save : DialogKind::Open;
  shown.title = request.title;
  shown.filter = request.filter;
  shown.start_dir = request.start_dir;
  shown.initial_name = request.initial_name;
  shown.owner = MainWindowControl();
  shown.filter_index = request.filter_index;
  shown.chosen_filter = request.filter_index;
  auto& answers = request.save ? save_answers_ : open_answers_;
  if (answers.empty()) {
    shown.defaulted = true;  // nobody there to choose: the dialog counts as cancelled
  } else {
    shown.path = std::move(answers.front().path);
    if (answers.front().filter_index >= 0) shown.chosen_filter = answers.front().filter_index;
    answers.pop_front();
  }
  shown_.push_back(shown);
  if (!shown.path) return std::nullopt;
  return FileDialogAnswer{*shown.path, shown.chosen_filter};
}

MessageAnswer HeadlessBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                              MessageButtons buttons, MessageIcon icon) {
  ShownDialog shown;
  shown.kind = DialogKind::Message;
  shown.title = caption;
  shown.text = text;
  shown.buttons = buttons;
  shown.icon = icon;
  shown.owner = owner;
  if (message_answers_.empty()) {
    shown.defaulted = true;  // nobody there: Enter presses the first button
    shown.answer = ButtonsOf(buttons).front();
  } else {
    shown.answer = message_answers_.front();
    message_answers_.pop_front();
  }
  shown_.push_back(shown);
  return shown.answer;
}

void HeadlessBackend::OpenDocument(const std::string& target) {
  opened_.push_back(target);
  ShownDialog shown;
  shown.kind = DialogKind::Shell;
  shown.text = target;
  shown_.push_back(shown);
}

std::string HeadlessBackend::ClipboardText() { return clipboard_; }

}  // namespace widgets
