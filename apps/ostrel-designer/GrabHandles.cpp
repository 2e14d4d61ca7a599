#include "GrabHandles.h"

#include <algorithm>

namespace designer {

using namespace vcl;

TRect HandleRect(const TRect& Rect, THandle Handle) {
  const int Left = Rect.Left, Right = Rect.Right - 1, Top = Rect.Top, Bottom = Rect.Bottom - 1;
  const int MidX = (Left + Right) / 2, MidY = (Top + Bottom) / 2;
  int X = Left, Y = Top;
  switch (Handle) {
    case THandle::TopLeft: X = Left; Y = Top; break;
    case THandle::Top: X = MidX; Y = Top; break;
    case THandle::TopRight: X = Right; Y = Top; break;
    case THandle::Right: X = Right; Y = MidY; break;
    case THandle::BottomRight: X = Right; Y = Bottom; break;
    case THandle::Bottom: X = MidX; Y = Bottom; break;
    case THandle::BottomLeft: X = Left; Y = Bottom; break;
    case THandle::Left: X = Left; Y = MidY; break;
  }
  const int Half = HandleSize / 2;
  return TRect{X - Half, Y - Half, X - Half + HandleSize, Y - Half + HandleSize};
}

TRect DragHandle(const TRect& Rect, THandle Handle, int DX, int DY) {
  TRect R = Rect;
  const bool MovesLeft = Handle == THandle::TopLeft || Handle == THandle::Left || Handle == THandle::BottomLeft;
  const bool MovesRight = Handle == THandle::TopRight || Handle == THandle::Right || Handle == THandle::BottomRight;
  const bool MovesTop = Handle == THandle::TopLeft || Handle == THandle::Top || Handle == THandle::TopRight;
  const bool MovesBottom = Handle == THandle::BottomLeft || Handle == THandle::Bottom || Handle == THandle::BottomRight;
  if (MovesLeft) R.Left = std::min(R.Left + DX, R.Right - 1);
  if (MovesRight) R.Right = std::max(R.Right + DX, R.Left + 1);
  if (MovesTop) R.Top = std::min(R.Top + DY, R.Bottom - 1);
  if (MovesBottom) R.Bottom = std::max(R.Bottom + DY, R.Top + 1);
  return R;
}

TGrabHandle::TGrabHandle(THandle Which) : TCustomControl(nullptr), FWhich(Which) {
  SetDesigning(true);
  SetColor(clHighlight);
  SetBounds(0, 0, HandleSize, HandleSize);
  SetVisible(false);
}

TGrabHandles::TGrabHandles() {
  for (int I = 0; I < HandleCount; ++I) FHandles[I] = std::make_unique<TGrabHandle>(static_cast<THandle>(I));
}

void TGrabHandles::Attach(TControl* Control) {
  for (auto& Handle : FHandles) {
    if (!Control || !Control->GetParent()) {
      Handle->SetVisible(false);
      Handle->SetParent(nullptr);
      continue;
    }
    const TRect R = HandleRect(Control->GetBoundsRect(), Handle->Which());
    Handle->SetParent(Control->GetParent());
    Handle->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    Handle->SetVisible(true);
    Handle->BringToFront();
  }
}

const TGrabHandle* TGrabHandles::Find(const TControl* Sender) const {
  for (const auto& Handle : FHandles)
    if (Handle.get() == Sender) return Handle.get();
  return nullptr;
}

}  // namespace designer
