// TKXButton, the push button: a caption and one click event carrying a fixed value.
#pragma once

#include <string>

#include "widgets/win.h"

class TKXButton : public TKXWin {
 public:
  explicit TKXButton(TKXWin* parent) : TKXWin(parent) {}

  std::string Caption;
  TData Data;  // handed to onClick on every click; empty in every scheme

  TEventLink onClick;

  void Init() override;
  void doCaption(TData& value, uint16_t index);

  void OnClicked() override;
};
