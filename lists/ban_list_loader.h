// BanListLoader: asks for a ban list file, checks it, and merges its new records into the
// category files; the lines for the source list go out last to first.
//
// Input 0 doLoad. Events: 0 onLine (one display line), 1 onCancel (nothing loaded: the
// dialog was cancelled or the file is not a ban list), 2 onCountLine (after every onLine).
#pragma once

#include <string>

#include "lists/list_store.h"
#include "runtime/scheme.h"
#include "widgets/message.h"
#include "widgets/open_dialog.h"

class BanListLoader : public TScheme {
 public:
  enum Input : uint16_t { kDoLoad = 0, kInputCount };
  enum Event : uint16_t { kOnLine = 0, kOnCancel = 1, kOnCountLine = 2 };

  explicit BanListLoader(TKXWin* parent);

  void doLoad(TData& value, uint16_t index);

 private:
  void Merge(TData& path, uint16_t index);  // the chosen file

  TListStore store_;
  TKXODialog& open_dialog_;
  TKXMessage& not_ban_list_;
  TKXMessage& doubles_found_;
};
