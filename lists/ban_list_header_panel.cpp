#include "lists/ban_list_header_panel.h"

#include "runtime/hub.h"
#include "runtime/save_failure.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/message.h"
#include "widgets/placed.h"

BanListHeaderPanel::BanListHeaderPanel(TKXWin* parent)
    : TPanelScheme(parent, kSettingsPanelPlace, PanelShown::kHidden, kInputCount) {
  struct Field {
    const char* label;
    int32_t label_top, edit_top;
    const char* key;
  };
  constexpr Field kFields[] = {{"Name:", 35, 32, "name"}, {"URL:", 74, 70, "url"}, {"Create File:", 111, 108, "file"}};

  auto& refresh = New<TKXHub>();
  auto& store = New<TKXHub>();
  auto& save = New<TKXButton>(&Panel);
  auto& save_error = New<TKXMessage>();
  refresh.SetCount(3);
  store.SetCount(3);
  for (size_t i = 0; i < 3; ++i) {
    auto& label = New<TKXLabel>(&Panel);
    label.Caption = kFields[i].label;
    Placed(label, 10, kFields[i].label_top, 55, 15).Init();
    auto& field = New<SettingEdit>(&Panel, "BanList", kFields[i].key, kFields[i].key);
    Placed(field.Edit, 65, kFields[i].edit_top, 395, 20).Init();
    field.onSaveError = MakeLink<&TKXMessage::doMessage>(save_error);
    refresh.onEvent[i] = MakeLink<&SettingEdit::doRefresh>(field);
    store.onEvent[i] = MakeLink<&SettingEdit::doStore>(field);
  }
  save.Caption = "Save";
  Placed(save, 360, 345, 90, 20).Init();
  AsFailureBox(save_error);

  // "Save" stores name, URL and file in this order; doRefresh shows the variables.
  save.onClick = MakeLink<&TKXHub::doEvent>(store);
  Port.onInput[kDoRefresh] = MakeLink<&TKXHub::doEvent>(refresh);
}
