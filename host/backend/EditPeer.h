#pragma once
// The peer of edits: Qt's line edit, which types, selects and draws the text itself once
// the framework's key handlers let a key through.

#include <QLineEdit>
#include <string>

#include "Peer.h"

namespace vcl {

class TEditPeer : public QLineEdit, public TPeer {
public:
  TEditPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);
  QWidget* Widget() override { return this; }
  void DefaultMessage(TMessage& Message) override;
  void NativeKey(backend::TKeyTranslation& Translation) override;

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool focusNextPrevChild(bool) override { return false; }

private:
  void DefaultMouse(const TMessage& Message);
  // Characters sent by code rather than typed: whole UTF-8 sequences are inserted.
  void DefaultChar(unsigned char Byte);
  void InsertTyped(const std::string& Bytes);
  std::string FPendingBytes;
};

}  // namespace vcl
