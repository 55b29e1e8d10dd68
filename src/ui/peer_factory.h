#pragma once
// How a backend makes the peers of the controls: one function for each kind of control, called by the
// control itself (TControl::MakePeer), so that no code tells the kinds apart. Each kind names the roles
// its peer takes (Roles); a function whose peer lacks one of them does not compile.
#include <concepts>
#include <memory>
#include <utility>

#include "ui/peers.h"

namespace ui {

class TLabel;
class TEdit;
class TButton;
class TBitBtn;
class TWindowlessControl;
class TListBox;
class TStatusBar;

// The roles a kind of control takes beside the base (ControlPeer).
template <class... Roles>
struct RoleList {
  template <class Peer>
  static constexpr bool kTakenBy = std::derived_from<Peer, ControlPeer> &&
                                   (std::derived_from<Peer, Roles> && ...);
};

// A peer for a control of the kind, on its way from the factory to the control, which owns it from
// the start: only a peer that takes all of the kind's roles converts to one.
template <class Control>
class [[nodiscard]] PeerFor {
 public:
  template <class Peer>
  requires(Control::Roles::template kTakenBy<Peer>) PeerFor(std::unique_ptr<Peer> peer)
      : peer_(std::move(peer)) {}  // NOLINT: the conversion is the point
  std::unique_ptr<ControlPeer> Take() && { return std::move(peer_); }

 private:
  std::unique_ptr<ControlPeer> peer_;
};

class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  virtual PeerFor<TLabel> Make(TLabel& label) = 0;
  virtual PeerFor<TEdit> Make(TEdit& edit) = 0;
  virtual PeerFor<TButton> Make(TButton& button) = 0;
  virtual PeerFor<TBitBtn> Make(TBitBtn& button) = 0;
  virtual PeerFor<TWindowlessControl> Make(TWindowlessControl& control) = 0;
  virtual PeerFor<TListBox> Make(TListBox& list) = 0;
  virtual PeerFor<TStatusBar> Make(TStatusBar& bar) = 0;
};

// The in-memory peers: what every control starts with (ui/memory_peers.cpp).
PeerFactory& MemoryPeers();

}  // namespace ui
