// The message box.
#include "widgets/message.h"

#include "widgets/backend_codes.h"

void TKXMessage::doMessage(TData& value, uint16_t) {
  const std::string text = InputText(value, dataMessage, Message);
  const std::string caption = InputText(value, dataCaption, Caption);
  const widgets::MessageAnswer answer = widgets::CurrentBackend().ShowMessageBox(
      widgets::MainWindowControl(), text, caption, widgets::ButtonsFromCode(Type), widgets::IconFromCode(Icon));
  FireEvent(onMessage, widgets::AnswerCode(answer));
}
