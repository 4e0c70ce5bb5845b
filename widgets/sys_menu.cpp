// The window-style adjuster.
#include "widgets/sys_menu.h"

#include "widgets/backend.h"

void TKXSysMenu::doInit(TData& value, uint16_t) {
  handle_ = InputInteger(value, dataHandle, 0);
  if (handle_ == 0) return;
  auto& native = widgets::CurrentBackend();
  style_ = native.GetStyle(handle_);
  native.SetStyle(handle_, style_ & ~widgets::kStyleMaximizeBox);
}
