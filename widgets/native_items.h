// The items of one list box, combo box or tab strip as a toolkit holds and shows them. The
// native backend checks every index and keeps its own changes quiet before it calls; an
// implementation only translates, keeping the selection rule of widgets/item_list.h.
#pragma once

#include <string>
#include <vector>

namespace widgets {

class NativeItems {
 public:
  virtual ~NativeItems() = default;
  virtual int Count() const = 0;
  virtual std::string At(int index) const = 0;  // 0 <= index < Count()
  virtual std::vector<std::string> All() const;
  virtual void Insert(int index, const std::string& text) = 0;  // 0 <= index <= Count()
  virtual void Remove(int index) = 0;
  virtual void Set(int index, const std::string& text) = 0;
  virtual void Assign(std::vector<std::string> texts) = 0;  // replaces all; selects none (a tab strip its first)
  virtual int Selection() const = 0;                        // -1 when none
  virtual void Select(int index) = 0;                       // -1: none, where the control can show none
};

}  // namespace widgets
