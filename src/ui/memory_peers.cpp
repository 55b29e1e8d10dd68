#include "ui/memory_peers.h"

#include "base/utf.h"
#include "ui/control.h"
#include "ui/form.h"

namespace ui {
namespace {

class MemoryControl : public ControlPeer {
 public:
  void SetBounds(Rect) override {}
  void SetVisible(bool) override {}
  void SetEnabled(bool) override {}
  void AppearanceChanged() override {}
};

class MemoryText : public MemoryControl, public TextPeer {
 public:
  std::string GetText() const override { return text_; }
  void SetText(std::string_view text) override { text_ = text; }

 private:
  std::string text_;
};

// The keyboard focus without windows: the control the form last gave it to.
class MemoryFocus : public FocusPeer {
 public:
  explicit MemoryFocus(const TControl& control) : control_(control) {}
  void SetFocus() override {}
  bool HasFocus() const override {
    return control_.Form() && control_.Form()->LastActiveControl() == &control_;
  }

 private:
  const TControl& control_;
};

class MemoryButton : public MemoryText, public MemoryFocus {
 public:
  using MemoryFocus::MemoryFocus;
};

// An edit box keeps its text in UTF-16, as its window does, and in a wiping buffer: it may be a
// password.
class MemoryEdit : public MemoryControl, public TextPeer, public MemoryFocus, public SecretPeer {
 public:
  using MemoryFocus::MemoryFocus;
  std::string GetText() const override { return base::Utf16ToUtf8(wide_.view()); }
  void SetText(std::string_view text) override {
    wide_.Reserve(base::Utf16Length(text));
    base::Utf8ToUtf16(text, wide_.data());
  }
  void ReadSecret(secret::Wide& out) const override { out = wide_; }
  void SetSecret(const secret::Wide& text) override { wide_ = text; }
  void WipeSecret() override { wide_ = secret::Wide(); }

 private:
  secret::Wide wide_;
};

class MemoryList : public MemoryControl, public MemoryFocus, public ListPeer {
 public:
  using MemoryFocus::MemoryFocus;
  void ShowItems(const std::vector<std::string>&) override {}
  int GetItemIndex() const override { return index_; }
  void SetItemIndex(int index) override { index_ = index; }

 private:
  int index_ = -1;
};

class MemoryForm : public FormPeer {
 public:
  explicit MemoryForm(TForm& form) : form_(form) {}
  void SetCaption(const std::string&) override {}
  Rect GetBounds() const override {
    return {left_, top_, width_ ? width_ : form_.ClientWidth() + 2 * kHeadlessFrameLeft,
            height_ ? height_ : form_.ClientHeight() + kHeadlessFrameTop + kHeadlessFrameLeft};
  }
  void SetPosition(int left, int top) override {
    left_ = left;
    top_ = top;
  }
  void SetSize(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  WindowState GetWindowState() const override { return state_; }
  void SetWindowState(WindowState state) override { state_ = state; }
  Point ClientToScreen(Point client) const override {
    return {left_ + kHeadlessFrameLeft + client.x, top_ + kHeadlessFrameTop + client.y};
  }
  void NextDlgCtl() override { form_.SelectNext(true); }
  // Without a window the form holds the focus while one of its controls without a window has it.
  void TakeFocus() override {}
  bool HoldsFocus() const override {
    const TControl* active = form_.LastActiveControl();
    return active && active->Windowless();
  }
  platform::WindowHandle Handle() const override { return 0; }

 private:
  TForm& form_;
  int left_ = 0, top_ = 0;
  int width_ = 0, height_ = 0;  // outer size once set; until then the client size plus the frame
  WindowState state_ = WindowState::kNormal;
};

// Each kind gets the in-memory peer of its roles; PeerFor checks them when this compiles.
class MemoryPeerFactory final : public PeerFactory {
 public:
  PeerFor<TLabel> Make(TLabel&) override { return std::make_unique<MemoryText>(); }
  PeerFor<TEdit> Make(TEdit& edit) override { return std::make_unique<MemoryEdit>(edit); }
  PeerFor<TButton> Make(TButton& button) override { return std::make_unique<MemoryButton>(button); }
  PeerFor<TBitBtn> Make(TBitBtn& button) override { return std::make_unique<MemoryButton>(button); }
  PeerFor<TWindowlessControl> Make(TWindowlessControl&) override { return std::make_unique<MemoryText>(); }
  PeerFor<TListBox> Make(TListBox& list) override { return std::make_unique<MemoryList>(list); }
  PeerFor<TStatusBar> Make(TStatusBar&) override { return std::make_unique<MemoryControl>(); }
};

}  // namespace

PeerFactory& MemoryPeers() {
  static MemoryPeerFactory factory;
  return factory;
}

std::unique_ptr<FormPeer> MemoryPeerFor(TForm& form) {
  return std::make_unique<MemoryForm>(form);
}

}  // namespace ui
