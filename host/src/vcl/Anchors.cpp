// Anchors: unaligned children keep their distances to the sides of their parent that they
// are anchored to. Each child measures from the bounds it was last given and the parent's
// size at that time, so that a shrink and a grow back restore it exactly.

#include "Controls.h"

namespace vcl {

void TControl::SetAnchors(TAnchors Value) {
  FAnchors = Value;
  RememberAnchorBase();
}

void TControl::RememberAnchorBase() {
  FAnchorBounds = GetBoundsRect();
  FAnchorParentSize = FParent ? TPoint{FParent->FWidth, FParent->FHeight} : TPoint{0, 0};
}

namespace {
// One axis: the start and extent for a parent that grew by Delta since the base.
void Anchor(bool Near, bool Far, int Delta, int& Start, int& Extent) {
  if (Near && Far) Extent += Delta;
  else if (Far) Start += Delta;
  else if (!Near) Start += Delta / 2;  // neither side: the control keeps its relative place
}
}  // namespace

void TWinControl::AnchorChildren() {
  if (FAnchoring) return;
  FAnchoring = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } Done{FAnchoring};
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children) {
    if (C->FAlign != alNone || C->FParent != this) continue;
    const TAnchors A = C->FAnchors;
    if (A.Contains(akLeft) && A.Contains(akTop) && !A.Contains(akRight) && !A.Contains(akBottom)) continue;
    int Left = C->FAnchorBounds.Left, Width = C->FAnchorBounds.Width();
    int Top = C->FAnchorBounds.Top, Height = C->FAnchorBounds.Height();
    Anchor(A.Contains(akLeft), A.Contains(akRight), FWidth - C->FAnchorParentSize.X, Left, Width);
    Anchor(A.Contains(akTop), A.Contains(akBottom), FHeight - C->FAnchorParentSize.Y, Top, Height);
    C->SetBounds(Left, Top, Width, Height);
  }
}

}  // namespace vcl
