// The numbers the program's schemes and its settings use for the window system's choices
// (the original platform's), as the enumerations the backend interface takes, and back.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "widgets/backend.h"

namespace widgets {

Alignment AlignmentFromCode(int32_t code);      // 1 centre, 2 right; anything else left
Bevel BevelFromCode(int32_t code);              // 1 lowered, 2 raised; anything else none
WindowState WindowStateFromCode(int32_t code);  // 1 maximised, 2 minimised; anything else normal
// The classic negative cursor numbers (-1 none to -22 size all) and the system's cursor
// resource numbers (32512 arrow to 32651 help); 0 and unknown numbers are the default.
Cursor CursorFromCode(int32_t code);

// Message box buttons 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel, 4 Retry/Cancel,
// 5 Abort/Retry/Ignore; icons 0 none, 1 error, 2 question, 3 and 5 warning, 4 information.
// Any other number: a plain OK box, no icon.
MessageButtons ButtonsFromCode(int32_t code);
MessageIcon IconFromCode(int32_t code);

// The code of a pressed button, as the message element reports it: 1 OK, 2 Cancel, 3 Abort,
// 4 Retry, 5 Ignore, 6 Yes, 7 No; 0 none. AnswerFromCode is its inverse (nothing for 0 and
// any other number).
int32_t AnswerCode(MessageAnswer answer);
std::optional<MessageAnswer> AnswerFromCode(int32_t code);
const char* AnswerName(MessageAnswer answer);  // "OK", "Cancel" ... "No"; "none"

// A box's buttons from left to right; the first is the default one, which Enter presses.
std::vector<MessageAnswer> ButtonsOf(MessageButtons buttons);

}  // namespace widgets
