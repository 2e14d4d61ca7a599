#pragma once
// The peers of buttons and check boxes: Qt's push button and check box. A click, by mouse
// or by Space, becomes BN_CLICKED; what it does is the framework's business.

#include <QCheckBox>
#include <QPushButton>

#include "NativePeer.h"

namespace vcl {

class TButtonPeer : public TNativePeer<QPushButton> {
public:
  TButtonPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);

protected:
  // Adds the dotted focus rectangle inside the face while the keyboard cues are on: the
  // style's own outline is the default button's too, so it does not tell the focus apart.
  void paintEvent(QPaintEvent* Event) override;
};

class TCheckBoxPeer : public TNativePeer<QCheckBox> {
public:
  TCheckBoxPeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);

protected:
  // The framework decides the next state (BN_CLICKED) and sets it.
  void nextCheckState() override {}
};

}  // namespace vcl
