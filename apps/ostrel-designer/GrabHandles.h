#pragma once
// The eight grab handles around the selected control: where they sit, and the bounds that
// dragging one of them gives.

#include <array>
#include <memory>

#include "Controls.h"

namespace designer {

// Clockwise from the top-left corner.
enum class THandle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
constexpr int HandleCount = 8;
constexpr int HandleSize = 6;

// The handle's rectangle around the control's bounds Rect, in the same coordinates.
vcl::TRect HandleRect(const vcl::TRect& Rect, THandle Handle);
// Rect with the sides that Handle holds moved by DX, DY; a side dragged past the opposite
// one stops one pixel short of it.
vcl::TRect DragHandle(const vcl::TRect& Rect, THandle Handle, int DX, int DY);

// A handle on the screen: a small windowed square laid over the designed form, beside the
// selected control. It is marked as designed, so its input goes to the form designer.
class TGrabHandle : public vcl::TCustomControl {
public:
  TGrabHandle(THandle Which);
  THandle Which() const { return FWhich; }

private:
  THandle FWhich;
};

// The handles of one selection, shown around a control or hidden.
class TGrabHandles {
public:
  TGrabHandles();
  // Around Control, on its parent, above its siblings; hidden for null.
  void Attach(vcl::TControl* Control);
  // Takes the handles off the form before the form or the control goes away.
  void Detach() { Attach(nullptr); }
  // The handle that Sender is, or null.
  const TGrabHandle* Find(const vcl::TControl* Sender) const;
  TGrabHandle* Get(THandle Which) const { return FHandles[static_cast<int>(Which)].get(); }

private:
  std::array<std::unique_ptr<TGrabHandle>, HandleCount> FHandles;
};

}  // namespace designer
