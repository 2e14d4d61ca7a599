// Which peer a window gets, the default window procedure, and the classic window frame.

#include <QPainter>
#include <vector>

#include "ButtonPeer.h"
#include "ComCtrls.h"
#include "EditPeer.h"
#include "HostWidget.h"
#include "ListViewPeer.h"
#include "StdCtrls.h"
#include "TypInfo.h"
#include "WindowBackend.h"

namespace vcl::backend {

namespace {

struct TPeerEntry {
  const TClassInfo* Class;
  TPeerFactory Factory;
};

// One fixed table, written out here rather than filled by each peer's file at start-up: the
// backend is a static library, whose linker leaves out an object file nothing refers to, so
// a peer that registered itself from its own file could silently be missing.
const std::vector<TPeerEntry>& Entries() {
  static const auto* List = new std::vector<TPeerEntry>{
      {&TWinControl::StaticClassInfo(),
       [](TWindowRecord* R, QWidget* Parent, Qt::WindowFlags Flags) -> TPeer* { return new THostWidget(R, Parent, Flags); }},
      {&TCustomEdit::StaticClassInfo(),
       [](TWindowRecord* R, QWidget* Parent, Qt::WindowFlags Flags) -> TPeer* { return new TEditPeer(R, Parent, Flags); }},
      {&TButton::StaticClassInfo(),
       [](TWindowRecord* R, QWidget* Parent, Qt::WindowFlags Flags) -> TPeer* { return new TButtonPeer(R, Parent, Flags); }},
      {&TCheckBox::StaticClassInfo(),
       [](TWindowRecord* R, QWidget* Parent, Qt::WindowFlags Flags) -> TPeer* { return new TCheckBoxPeer(R, Parent, Flags); }},
      {&TCustomListView::StaticClassInfo(),
       [](TWindowRecord* R, QWidget* Parent, Qt::WindowFlags Flags) -> TPeer* { return new TListViewPeer(R, Parent, Flags); }},
  };
  return *List;
}

}  // namespace

// The nearest class up the control's ancestry that has an entry decides.
TPeer* CreatePeer(TWindowRecord* Record, QWidget* Parent, Qt::WindowFlags Flags) {
  for (const TClassInfo* Class = Record->Control->ClassInfo(); Class; Class = Class->Parent()) {
    for (const TPeerEntry& Entry : Entries())
      if (Entry.Class == Class) return Entry.Factory(Record, Parent, Flags);
  }
  return new THostWidget(Record, Parent, Flags);
}

TPeer* PeerOf(QWidget* Widget) { return dynamic_cast<TPeer*>(Widget); }

TPeer* PeerOf(const TWindowRecord* Record) { return Record ? PeerOf(Record->Widget.data()) : nullptr; }

void DefaultWindowProc(HWND Wnd, TMessage& Message) {
  if (TPeer* Peer = PeerOf(FindRecord(Wnd))) Peer->DefaultMessage(Message);
}

void DrawWindowFrame(QPainter& Painter, const TWindowRecord& Record, const QRect& R) {
  // Edges as rectangles of whole logical pixels: a line's pen would straddle pixel edges
  // at a device pixel ratio above 1, leaving a device row unpainted beside the surface.
  auto Fill = [&](const QRect& Side, TColor Color) { Painter.fillRect(Side, ToQColor(Color)); };
  if (Record.ExStyle & WS_EX_CLIENTEDGE) {
    // Sunken edge: shadow and dark shadow above and left, highlight and light below and right.
    auto Edge = [&](int Inset, TColor TopLeft, TColor BottomRight) {
      const QRect E = R.adjusted(Inset, Inset, -Inset, -Inset);
      Fill(QRect(E.left(), E.top(), E.width() - 1, 1), TopLeft);
      Fill(QRect(E.left(), E.top(), 1, E.height() - 1), TopLeft);
      Fill(QRect(E.left(), E.bottom(), E.width(), 1), BottomRight);
      Fill(QRect(E.right(), E.top(), 1, E.height()), BottomRight);
    };
    Edge(0, clBtnShadow, clBtnHighlight);
    Edge(1, cl3DDkShadow, cl3DLight);
  } else if (Record.Style & WS_BORDER) {
    for (const QRect& Side : {QRect(R.left(), R.top(), R.width(), 1), QRect(R.left(), R.bottom(), R.width(), 1),
                              QRect(R.left(), R.top(), 1, R.height()), QRect(R.right(), R.top(), 1, R.height())})
      Fill(Side, clWindowFrame);
  }
}


}  // namespace vcl::backend
