#pragma once
// The one public header that speaks of Qt: it lets a Qt program hold the framework's
// windowed controls inside its own widgets, and lets tests reach a control's widget
// and surface. Everything else in host/ stays free of Qt types.

#include <QImage>
#include <QWidget>

#include "Controls.h"

namespace vcl {

// Makes Host the holder of Control's window (Control must have no parent control) and
// creates the window inside Host at the control's bounds. Host must outlive the window.
QWidget* EmbedInWidget(TWinControl* Control, QWidget* Host);
// The Qt widget of the control's window (created when needed).
QWidget* ControlWidget(TWinControl* Control);
// A copy of the retained surface of the control's client area, after pending repaints ran.
// It holds device pixels: at a device pixel ratio above 1 it is that many times larger than
// the client area, with devicePixelRatio() telling the ratio; at 1 its pixels are the client's.
QImage ControlSurface(TWinControl* Control);
QColor ToQColor(TColor Color);

}  // namespace vcl
