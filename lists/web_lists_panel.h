// WebListsPanel: the subscriptions of the settings page. The user enters a web address,
// chooses the list its new records go into (any of the seven: allow lists are published
// too) and adds it; "Update Now" downloads every subscribed list and files its new records,
// while the window keeps painting and the status bar shows the progress; a summary follows.
//
// Inputs: 0 doToBack, 1 doToFront, 2 doRefresh (the subscriptions from "Veltra.ini").
// Event 0: a text for the status bar (a download's progress), the empty text at the end.
#pragma once

#include <string>

#include "lists/list_store.h"
#include "lists/web_subscriptions.h"
#include "widgets/combo_box.h"
#include "widgets/edit.h"
#include "widgets/list_box.h"
#include "widgets/message.h"
#include "widgets/panel_scheme.h"

class WebListsPanel : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoRefresh + 1 };
  enum Event : uint16_t { kOnStatusText = 0 };

  explicit WebListsPanel(TKXWin* parent);

  void doRefresh(TData& value, uint16_t index);
  void doAdd(TData& value, uint16_t index);
  void doRemove(TData& value, uint16_t index);
  void doUpdateNow(TData& value, uint16_t index);

 private:
  void Tell(const std::string& text, MessageIconCode icon);
  // False, once the user was told, when the settings file's section of subscriptions cannot be
  // read as it was written: it is then not written over.
  bool SectionReadable(const std::string& file);
  static bool AcceptLoss(const WebSubscription& subscription, size_t lost, size_t had);

  TKXEdit& address_;
  TKXComboBox& list_chooser_;
  TKXListBox& subscriptions_;
  TKXMessage& message_;
  TKXMessage& save_error_;
  TListStore store_;
  bool updating_ = false;  // "Update Now" is running: the user's clicks wait, but one may slip through
};
