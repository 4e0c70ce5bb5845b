// The items of the Qt backend's list controls, as NativeItems (widgets/native_items.h).
// Internal to the Qt backend.
#pragma once

#include <memory>

#include "widgets/native_items.h"

class QComboBox;
class QTabBar;

namespace widgets::qtimpl {

struct Control;

// A list box: its rows and selection are the record's; the view shows them.
std::unique_ptr<NativeItems> ListBoxItems(Control& list);
// A combo box and a tab strip keep their items, each with the bytes it was given.
std::unique_ptr<NativeItems> ComboBoxItems(QComboBox& combo);
std::unique_ptr<NativeItems> TabStripItems(QTabBar& tabs);

}  // namespace widgets::qtimpl
