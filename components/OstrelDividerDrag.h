#pragma once
// Sizing the columns by dragging a divider: which divider the pointer is over, and the one
// being dragged. The card view feeds it pointer moves, presses and releases.

namespace ostrel {

struct TCardGeometry;

class TDividerDrag {
public:
  // The divider (1 to ColumnCount) whose 7-pixel zone holds client x, or 0; where zones
  // overlap the highest-numbered wins.
  static int DividerAt(const TCardGeometry& Geometry, int ColumnCount, int X);

  // The pointer rests over Divider (0 for none); a press there will drag it.
  void Hover(int Divider) { FOver = Divider; }
  // Whether the pointer was last over a divider.
  bool OverDivider() const { return FOver != 0; }
  // Starts dragging the divider under the pointer; false (nothing starts) when there is none.
  bool Press();
  // Whether a drag is running.
  bool Dragging() const { return FDragged != 0; }
  // The column width that puts the dragged divider under client x (not clamped); needs Dragging.
  int WidthAt(const TCardGeometry& Geometry, int X) const;
  // Ends the drag; true when one was running, so that its end is reported once.
  bool Release();

private:
  int FOver = 0;
  int FDragged = 0;
};

}  // namespace ostrel
