#pragma once
// Controls: the visible parts of a form, each registered with its form under its name. A control keeps
// what the program sets; its peer (ui/peers.h) keeps what the user can change and shows the rest.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/secret.h"
#include "ui/component.h"
#include "ui/peer_factory.h"
#include "ui/peers.h"
#include "ui/types.h"

namespace ui {

class TForm;
class TPopupMenu;
class TWindowlessControl;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent = std::function<void(TObject* sender, MouseButton button, int x, int y)>;

// Binds a form's handler method to an event: Bind(this, &TForm1::ButtonEXEClick).
template <class Form>
TNotifyEvent Bind(Form* form, void (Form::*handler)(TObject*)) {
  return [form, handler](TObject* sender) { (form->*handler)(sender); };
}

class TControl : public TComponent {
 public:
  // The control starts with its in-memory peer, which each kind makes for itself in its own
  // constructor, once every base of it exists (StartWithMemoryPeer).
  TControl(TForm* form, std::string_view name, Rect bounds);
  ~TControl() override;

  TForm* Form() const { return form_; }
  // Speed buttons and bevels have no window of their own (TWindowlessControl): their form paints them
  // and its host hands them the mouse and the keyboard. Everything that takes text input or that the
  // system draws, and the labels, are windows.
  bool Windowless() const { return AsWindowless() != nullptr; }
  virtual TWindowlessControl* AsWindowless() { return nullptr; }
  virtual const TWindowlessControl* AsWindowless() const { return nullptr; }
  // The backend's peer for this kind of control, from the factory's function for the kind.
  virtual std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) = 0;

  Rect Bounds() const { return bounds_; }
  void SetBounds(Rect bounds);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }

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

  // Whether the control takes the focus by Tab now, and whether it has it. A control without the
  // focus role (a label, a bevel) never has it.
  virtual bool CanFocus() const;
  virtual void SetFocus();
  virtual bool Focused() const;

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
  // The context key or Shift+F10 on the control's window: its context menu, with its top-left corner
  // at the screen point. False when it has none.
  virtual bool ContextKey(Point screen);

  ControlPeer& Peer() const { return *peer_; }
  // A backend's peer takes the place of the one the control has; what the user could change moves over.
  void AttachPeer(std::unique_ptr<ControlPeer> peer);

 protected:
  void Appearance();
  // Told before new bounds are applied, and after the enabled state changed, before it is shown.
  virtual void BoundsChanging(const Rect&) {}
  virtual void EnabledChanged() {}
  // A new peer is in place of the old one, which still exists.
  virtual void PeerReplaced(ControlPeer& old);
  template <class Kind>
  void StartWithMemoryPeer(Kind& self) {
    peer_ = MemoryPeers().Make(self).Take();
  }
  // The peer in one of its roles; a kind asks only for the roles it has.
  template <class Role>
  Role& As() const {
    return dynamic_cast<Role&>(*peer_);
  }

 private:
  // Tells the host of the controls without a window, for one of them; state: shown or enabled changed.
  void HostChanged(bool state);

  TForm* form_;
  Rect bounds_;
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

// A control with a text: the caption of a label or button, the content of an edit box.
class TTextControl : public TControl {
 public:
  TTextControl(TForm* form, std::string_view name, Rect bounds);
  std::string Text() const { return As<TextPeer>().GetText(); }
  void SetText(std::string_view text) { As<TextPeer>().SetText(text); }
};

class TLabel : public TTextControl {
 public:
  using Roles = RoleList<TextPeer>;
  TLabel(TForm* form, std::string_view name, Rect bounds, std::string_view caption);
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) override { return factory.Make(*this).Take(); }
  // A label sized by its text keeps the edge it is aligned to (the right edge when right-aligned).
  bool AutoSize = true;
  // The control this label names: it stands right before that control among the form's windows, where
  // screen readers look for the name of an edit box.
  TControl* FocusControl = nullptr;
};

class TEdit : public TTextControl {
 public:
  using Roles = RoleList<TextPeer, SecretPeer, FocusPeer>;
  TEdit(TForm* form, std::string_view name, Rect bounds);
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) override { return factory.Make(*this).Take(); }

  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c) { passwordChar_ = c; }

  // The password travels only through these: into a wiping buffer and back, never a std::string.
  secret::Wide ReadSecret() const;
  void SetSecret(const secret::Wide& text) { As<SecretPeer>().SetSecret(text); }
  void WipeSecret() { As<SecretPeer>().WipeSecret(); }

 protected:
  void PeerReplaced(ControlPeer& old) override;

 private:
  char passwordChar_ = 0;
};

class TButton : public TTextControl {
 public:
  using Roles = RoleList<TextPeer, FocusPeer>;
  TButton(TForm* form, std::string_view name, Rect bounds, std::string_view caption);
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) override { return factory.Make(*this).Take(); }

  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // A button with a modal result hands it to its form first, then runs its handler.
  void Click() override;
  // A drop-down button opens its menu, as it does for Alt+Down and F4.
  bool ContextKey(Point screen) override;

  // A button that opens a menu below itself (a drop-down button) from the keyboard too: Alt+Down, F4
  // or the context key.
  TNotifyEvent OnDropDown;
  void DropDown();

 protected:
  // For a kind of button that makes its own peer.
  struct PeerOfItsOwn {};
  TButton(TForm* form, std::string_view name, Rect bounds, PeerOfItsOwn) : TTextControl(form, name, bounds) {}

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

// A push button with a picture. One with a picture only is named by its hint for screen readers.
class TBitBtn : public TButton {
 public:
  using Roles = RoleList<TextPeer, FocusPeer>;
  TBitBtn(TForm* form, std::string_view name, Rect bounds, std::string_view caption = {});
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) override { return factory.Make(*this).Take(); }
  GlyphSettings Pictures;
};

// A control without a window of its own. What it is for screen readers, and whether it takes the
// keyboard focus, it says itself; its form's host (WindowlessHost) keeps its face state (hot, pressed,
// focused), finds it under the mouse, moves the focus among such controls and orders their painting.
class TWindowlessControl : public TControl {
 public:
  // One kind of peer for every control without a window: a surface of its form's, with a text (a
  // caption, for those that have one). A new kind is one class and one painter.
  using Roles = RoleList<TextPeer>;
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) final { return factory.Make(*this).Take(); }
  TWindowlessControl(TForm* form, std::string_view name, Rect bounds);
  ~TWindowlessControl() override;
  TWindowlessControl* AsWindowless() final { return this; }
  const TWindowlessControl* AsWindowless() const final { return this; }

  // Takes the keyboard focus: the controls of one form with the same tab order are one stop of it.
  virtual bool TakesFocus() const { return false; }
  // Takes the mouse: is found under it, turns hot and pressed, and holds it while pressed.
  virtual bool HitTestable() const { return true; }
  // What screen readers learn: the system's role number (msaa::kRole...), a name, a description, and
  // the name of the default action (nothing where it has none).
  virtual long AccessibleRole() const = 0;
  virtual std::optional<std::string> AccessibleName() const { return std::nullopt; }
  virtual std::optional<std::string> AccessibleDescription() const { return std::nullopt; }
  virtual std::optional<std::string> DefaultActionName() const { return std::nullopt; }
  // Paints every pixel of its rectangle: the form need not erase under it.
  virtual bool Opaque() const { return false; }
  // The one rule for the mouse, the keyboard and screen readers: a control acts only while it is shown
  // and enabled and its form takes input (no modal dialog is in front of it).
  bool CanAct() const;
  // The focus, as the form's host keeps it: a stop of the tab order is the one of its group that last
  // had the focus, or else the first that can take it.
  bool CanFocus() const override;
  void SetFocus() override;
  bool Focused() const override;

  // Its face on the screen: drawn again, at once (the feedback of the mouse or a key) or with the next paint.
  void Redraw(bool now) const;
};

// A button without keyboard focus of its own window, as on a toolbar; the focus of its form's host,
// as one stop of the tab order with the other speed buttons of its tab order, when it has one.
class TSpeedButton : public TWindowlessControl {
 public:
  TSpeedButton(TForm* form, std::string_view name, Rect bounds, std::string_view caption = {});
  std::string Text() const { return As<TextPeer>().GetText(); }
  void SetText(std::string_view text);

  bool TakesFocus() const override { return TabOrder() >= 0; }
  bool Opaque() const override { return !Transparent; }
  long AccessibleRole() const override;
  // The caption; a button with only a picture is known by its tooltip, as a sighted user knows it.
  std::optional<std::string> AccessibleName() const override;
  std::optional<std::string> AccessibleDescription() const override;
  std::optional<std::string> DefaultActionName() const override;

  GlyphSettings Pictures;
  bool Flat = false;
  bool Transparent = false;
};

// A line along the top edge of its rectangle.
class TBevel : public TWindowlessControl {
 public:
  TBevel(TForm* form, std::string_view name, Rect bounds);
  long AccessibleRole() const override;
  // A line between groups: a press on it is a press on the form.
  bool HitTestable() const override { return false; }
};

// A list box whose entries are kept in alphabetical order, as the system compares texts for the user.
class TListBox : public TControl {
 public:
  using Roles = RoleList<FocusPeer, ListPeer>;
  TListBox(TForm* form, std::string_view name, Rect bounds);
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) override { return factory.Make(*this).Take(); }

  int ItemHeight = 13;
  const std::vector<std::string>& Items() const { return items_; }
  void ReplaceItems(std::vector<std::string> items);  // sorted, nothing selected afterwards
  int ItemIndex() const { return As<ListPeer>().GetItemIndex(); }
  void SetItemIndex(int index);

 protected:
  void PeerReplaced(ControlPeer& old) override;

 private:
  std::vector<std::string> items_;
};

// A text panel of a status bar.
struct StatusPanel {
  std::string text;
  int size = 50;  // width in pixels
  int left = 3;   // gap before the panel
};

class TStatusBar : public TControl {
 public:
  using Roles = RoleList<>;
  TStatusBar(TForm* form, std::string_view name, Rect bounds);
  std::unique_ptr<ControlPeer> MakePeer(PeerFactory& factory) override { return factory.Make(*this).Take(); }

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
