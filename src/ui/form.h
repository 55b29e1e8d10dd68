#pragma once
// A form is a top-level window with its controls as members. Its handlers are its methods.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/component.h"
#include "ui/control.h"
#include "ui/memory_peers.h"
#include "ui/types.h"
#include "ui/windowless_host.h"

namespace ui {

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TDropFilesEvent = std::function<void(TObject* sender, const std::vector<std::string>& files)>;

class TForm : public TComponent {
 public:
  TForm(TComponent* owner, std::string_view name, std::string_view caption, int clientWidth,
        int clientHeight);
  ~TForm() override;

  const std::vector<TControl*>& Controls() const { return controls_; }

  std::string Caption() const { return caption_; }
  void SetCaption(std::string_view caption);

  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle style) { borderStyle_ = style; }
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position) { position_ = position; }
  const Font& GetFont() const { return font_; }
  Color GetColor() const { return color_; }

  // Outer position in screen pixels.
  int Left() const;
  int Top() const;
  void SetLeft(int left);
  void SetTop(int top);
  // Outer size in pixels.
  int Width() const;
  int Height() const;
  void SetWidth(int width);
  void SetHeight(int height);
  WindowState GetWindowState() const;
  void SetWindowState(WindowState state);
  Point ClientToScreen(Point client) const;
  platform::WindowHandle Handle() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  // The control that has, or last had, the keyboard focus in this form.
  TControl* ActiveControl() const;
  void SetActiveControl(TControl* control) { active_ = control; }
  // The control the program last gave the focus to, or that last had it when the form was left.
  TControl* LastActiveControl() const { return active_; }
  // Moves the focus to the next (or previous) control in tab order, as Tab does.
  void SelectNext(bool forward);
  // Sends WM_NEXTDLGCTL with both parameters 0 to the window: the focus goes to the next control.
  void NextDlgCtl();
  // Enter and Escape: the focused button, or else the default button, takes Enter; the cancel
  // button takes Escape. A focused control without a window takes Enter itself. Returns whether a
  // control took the key.
  bool DialogKey(Key key);
  // Whether the user can reach the form now: no modal dialog or message box stands in front of it.
  bool TakesInput() const;

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  int ShowModal();
  // The close box: asks OnCloseQuery, then a modal form ends with Cancel.
  bool Close();

  TNotifyEvent OnCreate;
  TNotifyEvent OnActivate;
  TCloseQueryEvent OnCloseQuery;
  // Files dropped onto the form from Explorer, with their full paths; a form with this handler takes
  // them, others refuse them.
  TDropFilesEvent OnDropFiles;

  // Called by the backends.
  void DoCreate();
  void DoActivate();
  bool CloseQuery();
  void DropFiles(const std::vector<std::string>& files);
  void Register(TControl* control);
  void Unregister(TControl* control);
  FormPeer& Peer() const { return *peer_; }
  void AttachPeer(std::unique_ptr<FormPeer> peer);
  // Controls in tab order that can take the focus now.
  std::vector<TControl*> TabStops() const;
  // The host of the controls without a window: the mouse over the form goes to it.
  WindowlessHost& Windowless() { return windowless_; }
  const WindowlessHost& Windowless() const { return windowless_; }

 private:
  std::vector<TControl*> controls_;
  WindowlessHost windowless_;
  std::string caption_;
  int clientWidth_;
  int clientHeight_;
  BorderStyle borderStyle_ = BorderStyle::kDialog;
  FormPosition position_ = FormPosition::kDesigned;
  Font font_;
  Color color_ = clBtnFace;
  bool visible_ = false;
  TControl* active_ = nullptr;
  int modalResult_ = mrNone;
  std::unique_ptr<FormPeer> peer_;
};

// The order in which a form's controls get their windows, which is the order screen readers go through
// them (their child ids): the tab order, with a label that names a control right before it (where
// screen readers look for an edit box's name); then the other labels, then the rest.
std::vector<TControl*> CreationOrder(const TForm& form);

}  // namespace ui
