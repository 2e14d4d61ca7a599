#pragma once
// The peer of custom-drawn windows and forms: a plain widget that shows the window's
// retained surface inside its frame.

#include <QWidget>

#include "Peer.h"

namespace vcl {

class THostWidget : public QWidget, public TPeer {
public:
  THostWidget(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags);
  QWidget* Widget() override { return this; }
  bool Retained() const override { return true; }

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool focusNextPrevChild(bool) override { return false; }
};

}  // namespace vcl
