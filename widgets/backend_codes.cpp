#include "widgets/backend_codes.h"

#include <map>

namespace widgets {

// The element's numbers are the enumerations' places.
static_assert(static_cast<int32_t>(MessageButtons::AbortRetryIgnore) == 5);
static_assert(static_cast<int32_t>(MessageAnswer::Cancel) == 2 && static_cast<int32_t>(MessageAnswer::No) == 7);

Alignment AlignmentFromCode(int32_t code) {
  return code == 1 ? Alignment::Center : code == 2 ? Alignment::Right : Alignment::Left;
}

Bevel BevelFromCode(int32_t code) { return code == 1 ? Bevel::Lowered : code == 2 ? Bevel::Raised : Bevel::None; }

WindowState WindowStateFromCode(int32_t code) {
  return code == 1 ? WindowState::Maximized : code == 2 ? WindowState::Minimized : WindowState::Normal;
}

Cursor CursorFromCode(int32_t code) {
  static const std::map<int32_t, Cursor> cursors = {
      {-1, Cursor::None},       {-2, Cursor::Arrow},        {32512, Cursor::Arrow},   {-3, Cursor::Cross},
      {32515, Cursor::Cross},   {-4, Cursor::IBeam},        {32513, Cursor::IBeam},   {32640, Cursor::Size},
      {32641, Cursor::Icon},    {-5, Cursor::SizeAll},      {-22, Cursor::SizeAll},   {32646, Cursor::SizeAll},
      {-6, Cursor::SizeNESW},   {32643, Cursor::SizeNESW},  {-7, Cursor::SizeNS},     {32645, Cursor::SizeNS},
      {-8, Cursor::SizeNWSE},   {32642, Cursor::SizeNWSE},  {-9, Cursor::SizeWE},     {32644, Cursor::SizeWE},
      {-10, Cursor::UpArrow},   {32516, Cursor::UpArrow},   {-11, Cursor::HourGlass}, {32514, Cursor::HourGlass},
      {-12, Cursor::Drag},      {-13, Cursor::NoDrop},      {-14, Cursor::HSplit},    {-15, Cursor::VSplit},
      {-16, Cursor::MultiDrag}, {-17, Cursor::SqlWait},     {-18, Cursor::No},        {32648, Cursor::No},
      {-19, Cursor::AppStart},  {32650, Cursor::AppStart},  {-20, Cursor::Help},      {32651, Cursor::Help},
      {-21, Cursor::HandPoint}, {32649, Cursor::HandPoint},
  };
  const auto found = cursors.find(code);
  return found == cursors.end() ? Cursor::Default : found->second;
}

MessageButtons ButtonsFromCode(int32_t code) {
  return code >= 0 && code <= 5 ? static_cast<MessageButtons>(code) : MessageButtons::Ok;
}

MessageIcon IconFromCode(int32_t code) {
  switch (code) {
    case 1: return MessageIcon::Error;
    case 2: return MessageIcon::Question;
    case 3:
    case 5: return MessageIcon::Warning;
    case 4: return MessageIcon::Information;
    default: return MessageIcon::None;
  }
}

int32_t AnswerCode(MessageAnswer answer) { return static_cast<int32_t>(answer); }

std::optional<MessageAnswer> AnswerFromCode(int32_t code) {
  if (code < 1 || code > 7) return std::nullopt;
  return static_cast<MessageAnswer>(code);
}

const char* AnswerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return "OK";
    case MessageAnswer::Cancel: return "Cancel";
    case MessageAnswer::Abort: return "Abort";
    case MessageAnswer::Retry: return "Retry";
    case MessageAnswer::Ignore: return "Ignore";
    case MessageAnswer::Yes: return "Yes";
    case MessageAnswer::No: return "No";
    case MessageAnswer::None: break;
  }
  return "none";
}

std::vector<MessageAnswer> ButtonsOf(MessageButtons buttons) {
  using A = MessageAnswer;
  switch (buttons) {
    case MessageButtons::Ok: return {A::Ok};
    case MessageButtons::OkCancel: return {A::Ok, A::Cancel};
    case MessageButtons::YesNo: return {A::Yes, A::No};
    case MessageButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case MessageButtons::RetryCancel: return {A::Retry, A::Cancel};
    case MessageButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
  }
  return {A::Ok};
}

}  // namespace widgets
