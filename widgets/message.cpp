// The message box.
#include "widgets/message.h"

#include "widgets/backend.h"

namespace {
// The window system knows only the codes 0 to 5; anything else falls back to a plain box.
int32_t Known(int32_t code) { return code >= 0 && code <= 5 ? code : 0; }
}  // namespace

void TKXMessage::doMessage(TData& value, uint16_t) {
  const std::string text = InputText(value, dataMessage, Message);
  const std::string caption = InputText(value, dataCaption, Caption);
  const int code = widgets::CurrentBackend().ShowMessageBox(widgets::MainWindowControl(), text, caption,
                                                        Known(Type), Known(Icon));
  FireEvent(onMessage, code);
}
