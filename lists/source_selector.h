// SourceSelector: dispatches the chosen source of the edit-lists page.
//
// Input 0: the source text. Events 0 to 6: "URL Ban List (AUTO Load)", "Text File (Load)",
// "Agnitum Outpost Firewall (Load)", "Kerio Personal Firewall (Load)", "Kerio Winroute
// Firewall (Load)", "Unsorted (Edit Lists)", "ClipBoard (Load)"; then event 7 with the
// caption of the move-left button for that source; event 8 for "Web List (Load)" (then event
// 7 as for the others). A text that is none of them fires nothing.
#pragma once

#include <array>

#include "runtime/scheme.h"

inline constexpr std::array<const char*, 7> kSources{"URL Ban List (AUTO Load)",
                                                     "Text File (Load)",
                                                     "Agnitum Outpost Firewall (Load)",
                                                     "Kerio Personal Firewall (Load)",
                                                     "Kerio Winroute Firewall (Load)",
                                                     "Unsorted (Edit Lists)",
                                                     "ClipBoard (Load)"};
// The source added after them: a published block list (hosts file, filter list, domains).
inline constexpr const char* kWebListSource = "Web List (Load)";

class SourceSelector : public TScheme {
 public:
  enum Input : uint16_t { kDoSelect = 0, kInputCount };
  // One event a source, in the order of kSources; the web list's after the caption's.
  enum Event : uint16_t {
    kOnBanList = 0,
    kOnTextFile = 1,
    kOnAofImport = 2,
    kOnKpfImport = 3,
    kOnKwfImport = 4,
    kOnUnsorted = 5,
    kOnClipboard = 6,
    kOnMoveLeftCaption = 7,
    kOnWebList = 8,
    kEventCount
  };

  explicit SourceSelector(TKXWin* parent);

  void doSelect(TData& value, uint16_t index);
};
