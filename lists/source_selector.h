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

inline constexpr std::array<const char*, 7> kSources{
    "URL Ban List (AUTO Load)",        "Text File (Load)",      "Agnitum Outpost Firewall (Load)",
    "Kerio Personal Firewall (Load)",  "Kerio Winroute Firewall (Load)", "Unsorted (Edit Lists)",
    "ClipBoard (Load)"};
// The source added after them: a published block list (hosts file, filter list, domains).
inline constexpr const char* kWebListSource = "Web List (Load)";
inline constexpr uint16_t kWebListOutput = 8;

class SourceSelector : public TScheme {
 public:
  explicit SourceSelector(TKXWin* parent);

  void doSelect(TData& value, uint16_t index);
};
