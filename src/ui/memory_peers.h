#pragma once
// The in-memory peers: what a control or a form is without a window. Every control starts with one
// (MemoryPeers() in ui/peer_factory.h);
// it is all the headless backend ever gives, and on the Win32 backend it holds a dialog's state until
// the dialog is first shown and gets its windows.
#include <memory>

#include "ui/peers.h"

namespace ui {

class TControl;
class TForm;

std::unique_ptr<FormPeer> MemoryPeerFor(TForm& form);

// Where a form without a window has its client area relative to its outer corner: the size of a
// single border and caption bar, so that tests can compute screen points.
inline constexpr int kHeadlessFrameLeft = 3;
inline constexpr int kHeadlessFrameTop = 22;

}  // namespace ui
