#include "widgets/status_bar_layout.h"

#include <algorithm>

namespace widgets {

StatusLine LayOutStatusText(std::string_view text, Alignment bar) {
  size_t tabs = 0;
  while (tabs < 2 && tabs < text.size() && text[tabs] == '\t') ++tabs;
  const Alignment alignment = tabs == 1 ? Alignment::Center : tabs == 2 ? Alignment::Right : bar;
  return {alignment, text.substr(tabs)};
}

int StatusBarRoom(int client_height, int controls_bottom, int bar_height) {
  return std::max(0, controls_bottom + bar_height - client_height);
}

}  // namespace widgets
