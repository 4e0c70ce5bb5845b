// TKXClipboard, the element that reads the clipboard as text, and the seam through
// which the window system hands the clipboard to it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

// The window system installs its clipboard reader here; an empty function puts the
// default source back. The default source returns the text last given to SetClipboardText.
void SetClipboardSource(std::function<std::string()> source);
void SetClipboardText(std::string text);

class TKXClipboard : public TKXObject {
 public:
  // The clipboard text up to its first NUL byte, as plain text clipboards end there;
  // empty when there is none.
  void varText(TData& result, uint16_t index);
};
