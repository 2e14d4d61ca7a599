#pragma once
// A peer is the Qt widget that stands for one framework window. It only turns Qt into
// messages (through the one glue in InputGlue) and messages into Qt (DefaultMessage, the
// classic default window procedure); policy lives in the framework classes.

#include <QWidget>
#include <functional>

#include "Window.h"

namespace vcl {

namespace backend { struct TKeyTranslation; }

class TPeer {
public:
  explicit TPeer(TWindowRecord* Record) : FRecord(Record) {}
  virtual ~TPeer() = default;
  TPeer(const TPeer&) = delete;
  TPeer& operator=(const TPeer&) = delete;

  virtual QWidget* Widget() = 0;
  // The window is being destroyed: the peer ignores every event from now on.
  void Detach() { FRecord = nullptr; }
  TWindowRecord* Record() const { return FRecord; }
  // What the window itself does with a message that no framework handler took.
  virtual void DefaultMessage(TMessage& Message) {}
  // A typed key's messages were delivered: a native widget does what reached its default.
  virtual void NativeKey(backend::TKeyTranslation& Translation) {}
  // Whether the window keeps a retained surface that Paint draws on.
  virtual bool Retained() const { return false; }

protected:
  TWindowRecord* FRecord;
};

namespace backend {

TPeer* PeerOf(QWidget* Widget);
TPeer* PeerOf(const TWindowRecord* Record);

using TPeerFactory = std::function<TPeer*(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags)>;
// The peer of a new window: made by the factory of the nearest class up the control's
// ancestry that PeerRegistry.cpp lists.
TPeer* CreatePeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);

}  // namespace backend
}  // namespace vcl
