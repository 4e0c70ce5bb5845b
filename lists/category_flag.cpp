#include "lists/category_flag.h"

#include "elements/strings/if_else.h"
#include "runtime/ini_path.h"
#include "runtime/save_failure.h"
#include "widgets/message.h"
#include "widgets/placed.h"

CategoryFlag::CategoryFlag(TKXWin* panel, ListId category, int32_t top)
    : TScheme(panel), box_(New<TKXCheckBox>(panel)), key_(New<TKXGlobalVar>()), ini_(New<TKXini>()) {
  const TListInfo& info = Info(category);
  // The tooltip gives the whole name where the box shows a shorter one.
  box_.Caption = PageLabel(category);
  box_.Hint = info.name;
  Placed(box_, 510, top, 100, 20).Init();
  key_.SetName(info.gen_key);
  ini_.FileName = kSettingsFile;
  ini_.Section = "BanList";
  ini_.Key = info.gen_key;
  ini_.DataType = 0;

  auto& save_error = New<TKXMessage>();
  AsFailureBox(save_error);
  ini_.onWriteError = MakeLink<&TKXMessage::doMessage>(save_error);

  box_.onCheck = MakeLink<&CategoryFlag::doStore>(*this);
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoInit] = MakeLink<&CategoryFlag::doInit>(*this);
  Port.onInput[kDoStore] = MakeLink<&CategoryFlag::doStore>(*this);
}

void CategoryFlag::doInit(TData&, uint16_t) {
  TData checked = MakeInteger(IsOne(key_.Value()) ? 1 : 0);
  box_.doCheck(checked, 0);
}

void CategoryFlag::doStore(TData& value, uint16_t) { ini_.doWrite(value, 0); }
