// TKXWin, the base of every element that owns a native control: geometry, colour,
// font, visibility, enabled state, tab order and hint, applied when the control is
// created, and the points every window offers.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/font_rec.h"
#include "runtime/link.h"
#include "widgets/backend.h"

// System colours: a top byte of 0xFF names a system colour by its low byte.
constexpr uint32_t kColorButtonFace = 0xFF00000F;
constexpr uint32_t kColorWindow = 0xFF000005;

class TKXWin : public TKXObject, public widgets::ControlEvents {
 public:
  // `parent` is the window this one is created on; nullptr for the main window.
  explicit TKXWin(TKXWin* parent) : parent_(parent) {}
  ~TKXWin() override = default;

  // Properties, set by the scheme before Init.
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  int32_t TabOrder = 0;
  uint32_t Color = kColorButtonFace;
  std::string Hint;
  TFontRec Font;
  bool ParentFont = false;
  bool Visible = true;
  bool Enabled = true;
  int32_t Cursor = 0;
  bool MouseCapture = false;

  // Creates the native control and applies the properties. Subclasses create their
  // control with CreateNative first, then call TKXWin::Init, then add their own steps.
  virtual void Init();

  void doEnabled(TData& value, uint16_t index);
  void doSendToBack(TData& value, uint16_t index);
  void doBringToFront(TData& value, uint16_t index);
  void varHandle(TData& value, uint16_t index);

  widgets::ControlId Control() const { return control_; }
  TKXWin* Parent() const { return parent_; }
  const TFontRec& EffectiveFont() const;

 protected:
  void CreateNative(widgets::ControlKind kind);
  static widgets::Backend& Native() { return widgets::CurrentBackend(); }

 private:
  TKXWin* parent_ = nullptr;
  widgets::ControlId control_ = widgets::kNoControl;
};
