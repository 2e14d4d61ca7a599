#pragma once
// Logical pixels to the device pixels of a surface kept at a device pixel ratio.

#include <QRect>
#include <QRegion>
#include <QSize>
#include <cmath>

namespace vcl::backend {

// Areas keep their edges on the nearest device pixel boundary, so that areas side by side
// tile without gaps. A line one logical pixel wide is instead a whole number of device pixels
// (the ratio rounded) centred on its logical pixel, the same width wherever it lies.
class TDeviceScale {
public:
  explicit TDeviceScale(qreal Ratio) : FRatio(Ratio), FLineWidth(std::max(1, static_cast<int>(std::lround(Ratio)))) {}
  qreal Ratio() const { return FRatio; }
  bool Identity() const { return FRatio == 1; }
  int LineWidth() const { return FLineWidth; }

  int Edge(int Logical) const { return Identity() ? Logical : static_cast<int>(std::floor(Logical * FRatio + 0.5)); }
  QRect Area(const QRect& Logical) const {
    if (Identity()) return Logical;
    const int L = Edge(Logical.left()), T = Edge(Logical.top());
    return QRect(L, T, Edge(Logical.left() + Logical.width()) - L, Edge(Logical.top() + Logical.height()) - T);
  }
  QRegion Area(const QRegion& Logical) const {
    if (Identity()) return Logical;
    QRegion Device;
    for (const QRect& R : Logical) Device += Area(R);
    return Device;
  }
  QSize Size(const QSize& Logical) const { return Area(QRect(QPoint(0, 0), Logical)).size(); }
  // Where the device pixels of a one-pixel line at Logical start.
  int LineStart(int Logical) const {
    return Identity() ? Logical : static_cast<int>(std::floor((Logical + 0.5) * FRatio - FLineWidth / 2.0 + 0.5));
  }
  // A one-pixel line over the logical pixels [From, To) of row Y.
  QRect Row(int From, int To, int Y) const { return QRect(Edge(From), LineStart(Y), Edge(To) - Edge(From), FLineWidth); }
  QRect Column(int X, int From, int To) const { return QRect(LineStart(X), Edge(From), FLineWidth, Edge(To) - Edge(From)); }
  // One logical pixel as a point of a line: the line width square, widened to cover the
  // pixel's own area so that a line of such points has no holes.
  QRect Dot(const QPoint& Logical) const {
    if (Identity()) return QRect(Logical, QSize(1, 1));
    return QRect(QPoint(Start(Logical.x()), Start(Logical.y())), QPoint(End(Logical.x()), End(Logical.y())));
  }
  // The logical pixel whose area holds a device pixel: the one with Edge(L) <= Device < Edge(L + 1).
  int Logical(int Device) const { return Identity() ? Device : static_cast<int>(std::ceil((Device + 0.5) / FRatio)) - 1; }

private:
  int Start(int L) const { return std::min(LineStart(L), Edge(L)); }
  int End(int L) const { return std::max(LineStart(L) + FLineWidth, Edge(L + 1)) - 1; }  // inclusive

  qreal FRatio;
  int FLineWidth;
};

}  // namespace vcl::backend
