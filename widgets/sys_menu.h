// TKXSysMenu, the window-style adjuster: removes the maximize box from a window.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXSysMenu : public TKXObject {
 public:
  TEventLink dataHandle;  // the window to adjust, usually the main window's varHandle

  void doInit(TData& value, uint16_t index);

  int32_t Handle() const { return handle_; }  // the window last worked on
  uint32_t Style() const { return style_; }   // its style as read, before the change

 private:
  int32_t handle_ = 0;
  uint32_t style_ = 0;
};
