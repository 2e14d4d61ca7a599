#pragma once
// The peer of edits: Qt's line edit, which types, selects and draws the text itself once
// the framework's key handlers let a key through.

#include <QLineEdit>
#include <string>

#include "NativePeer.h"

namespace vcl {

class TEditPeer : public TNativePeer<QLineEdit> {
public:
  TEditPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);
  void NativeKey(backend::TKeyTranslation& Translation) override;

protected:
  // Characters sent by code rather than typed: whole UTF-8 sequences are inserted.
  void DefaultChar(unsigned char Byte) override;

private:
  void InsertTyped(const std::string& Bytes);
  std::string FPendingBytes;
};

}  // namespace vcl
