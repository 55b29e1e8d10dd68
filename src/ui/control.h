#pragma once
// Controls: the visible parts of a form, each registered with its form under its name. A control keeps
// its state itself until the backend gives it a window; from then on the window is the state.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/secret.h"
#include "ui/backend.h"
#include "ui/component.h"
#include "ui/types.h"

namespace ui {

class TForm;
class TPopupMenu;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent = std::function<void(TObject* sender, MouseButton button, int x, int y)>;

// Binds a form's handler method to an event: Bind(this, &TForm1::ButtonEXEClick).
template <class Form>
TNotifyEvent Bind(Form* form, void (Form::*handler)(TObject*)) {
  return [form, handler](TObject* sender) { (form->*handler)(sender); };
}

enum class ControlKind { kLabel, kEdit, kButton, kBitBtn, kSpeedButton, kBevel, kListBox, kStatusBar };

class TControl : public TComponent {
 public:
  TControl(TForm* form, std::string name, ControlKind kind, Rect bounds, std::string text);
  ~TControl() override;

  ControlKind Kind() const { return kind_; }
  TForm* Form() const { return form_; }
  // Speed buttons and bevels have no window of their own: their form paints them and hands them the
  // mouse. Everything that takes input or that the system draws, and the labels, are windows.
  bool Windowless() const { return kind_ == ControlKind::kSpeedButton || kind_ == ControlKind::kBevel; }

  Rect Bounds() const { return bounds_; }
  void SetBounds(Rect bounds);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }

  // The text of an edit box, the caption of every other control.
  std::string Text() const;
  void SetText(std::string_view text);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Position in the tab order, or -1 for a control that never takes the focus by Tab.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }

  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font);
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment alignment);
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor cursor) { cursor_ = cursor; }

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  bool CanFocus() const;
  void SetFocus();
  bool Focused() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TKeyPressEvent OnKeyPress;
  TMouseEvent OnMouseDown;

  // Input, as a backend or a test delivers it. Each runs its handler under the application's guard,
  // so an error in a handler becomes an error box and goes no further.
  virtual void Click();
  void DblClick();
  void KeyPress(char& key);
  void MouseDown(MouseButton button, int x, int y);

  ControlPeer* Peer() const { return peer_.get(); }
  void AttachPeer(std::unique_ptr<ControlPeer> peer);

 protected:
  void Appearance();
  // Tells the host of the controls without a window, for one of them.
  void HostChanged();
  // Told before new bounds are applied, and after the enabled state changed, before it is shown.
  virtual void BoundsChanging(const Rect&) {}
  virtual void EnabledChanged() {}
  // The text kept while there is no window; read in place, so that no copy of a password is made.
  const std::string& StoredText() const { return text_; }
  void WipeStoredText();

 private:
  TForm* form_;
  ControlKind kind_;
  Rect bounds_;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  int tabOrder_ = -1;
  Font font_;
  Alignment alignment_ = Alignment::kLeft;
  Cursor cursor_ = Cursor::kDefault;
  std::string hint_;
  bool showHint_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  std::unique_ptr<ControlPeer> peer_;
};

class TLabel : public TControl {
 public:
  TLabel(TForm* form, std::string name, Rect bounds, std::string caption)
      : TControl(form, std::move(name), ControlKind::kLabel, bounds, std::move(caption)) {}
  // A label sized by its text keeps the edge it is aligned to (the right edge when right-aligned).
  bool AutoSize = true;
};

class TEdit : public TControl {
 public:
  TEdit(TForm* form, std::string name, Rect bounds)
      : TControl(form, std::move(name), ControlKind::kEdit, bounds, {}) {}
  ~TEdit() override;

  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c) { passwordChar_ = c; }

  // The password travels only through these: into a wiping buffer and back, never a std::string.
  secret::Text ReadSecret() const;
  void SetSecret(const secret::Text& text);

 private:
  char passwordChar_ = 0;
};

class TButton : public TControl {
 public:
  TButton(TForm* form, std::string name, Rect bounds, std::string caption)
      : TButton(form, std::move(name), ControlKind::kButton, bounds, std::move(caption)) {}

  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // A button with a modal result hands it to its form first, then runs its handler.
  void Click() override;

 protected:
  TButton(TForm* form, std::string name, ControlKind kind, Rect bounds, std::string caption)
      : TControl(form, std::move(name), kind, bounds, std::move(caption)) {}

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = mrNone;
};

// How glyph and caption sit on a picture button.
enum class ButtonLayout { kGlyphLeft, kGlyphRight, kGlyphTop, kGlyphBottom };

// The picture shown on a button: a bitmap resource of the executable, with its size in pixels.
struct Glyph {
  std::string resource;
  int width = 0;
  int height = 0;
  bool Empty() const { return width == 0 || height == 0; }
};

// Glyph and layout settings shared by both picture button kinds.
struct GlyphSettings {
  Glyph glyph;
  int numGlyphs = 1;
  ButtonLayout layout = ButtonLayout::kGlyphLeft;
  int margin = -1;
  int spacing = 4;
};

class TBitBtn : public TButton {
 public:
  TBitBtn(TForm* form, std::string name, Rect bounds, std::string caption = {})
      : TButton(form, std::move(name), ControlKind::kBitBtn, bounds, std::move(caption)) {}
  GlyphSettings Pictures;
};

// A button without keyboard focus, as on a toolbar.
class TSpeedButton : public TControl {
 public:
  TSpeedButton(TForm* form, std::string name, Rect bounds, std::string caption = {})
      : TControl(form, std::move(name), ControlKind::kSpeedButton, bounds, std::move(caption)) {}
  GlyphSettings Pictures;
  bool Flat = false;
  bool Transparent = false;
};

// A line along the top edge of its rectangle.
class TBevel : public TControl {
 public:
  TBevel(TForm* form, std::string name, Rect bounds)
      : TControl(form, std::move(name), ControlKind::kBevel, bounds, {}) {}
};

// A list box whose entries are kept in alphabetical order.
class TListBox : public TControl {
 public:
  TListBox(TForm* form, std::string name, Rect bounds)
      : TControl(form, std::move(name), ControlKind::kListBox, bounds, {}) {}

  int ItemHeight = 13;
  const std::vector<std::string>& Items() const { return items_; }
  void ReplaceItems(std::vector<std::string> items);  // sorted, nothing selected afterwards
  int ItemIndex() const;
  void SetItemIndex(int index);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

// A text panel of a status bar.
struct StatusPanel {
  std::string text;
  int size = 50;  // width in pixels
  int left = 3;   // gap before the panel
};

class TStatusBar : public TControl {
 public:
  TStatusBar(TForm* form, std::string name, Rect bounds)
      : TControl(form, std::move(name), ControlKind::kStatusBar, bounds, {}) {}

  std::size_t PanelCount() const { return panels_.size(); }
  const std::vector<StatusPanel>& Panels() const { return panels_; }
  const StatusPanel& Panel(std::size_t index) const;
  void AddPanel(StatusPanel panel);
  // Stores the text and redraws, unless the panel already shows exactly this text.
  void SetPanelText(std::size_t index, std::string_view text);
  // Which panel changed last; the drawing decides from it how much to repaint.
  std::size_t LastChangedPanel() const { return lastChanged_; }

 private:
  std::vector<StatusPanel> panels_;
  std::size_t lastChanged_ = 0;
};

}  // namespace ui
