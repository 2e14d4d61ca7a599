#pragma once
// Geometry values and the small set type that the framework's flag sets use.

#include <cstdint>
#include <initializer_list>

namespace vcl {

// A rectangle in pixels; Right and Bottom lie just outside it.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  // The sides' distance, saturated to int: a rectangle from far left to far right of the
  // coordinate range has the largest width rather than a negative one.
  int Width() const { return Span(Left, Right); }
  int Height() const { return Span(Top, Bottom); }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;

private:
  static int Span(int From, int To) {
    const std::int64_t Distance = static_cast<std::int64_t>(To) - From;
    return Distance > INT32_MAX ? INT32_MAX : Distance < INT32_MIN ? INT32_MIN : static_cast<int>(Distance);
  }
};

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0, cy = 0;
  bool operator==(const TSize&) const = default;
};

inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }

// A set of up to 32 enumeration values, written as the classic sets are:
// Shift.Contains(ssShift), Styles << fsBold, Styles >> fsItalic.
template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Values) {
    for (E V : Values) FBits |= Bit(V);
  }
  constexpr bool Contains(E Value) const { return (FBits & Bit(Value)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& operator<<(E Value) { FBits |= Bit(Value); return *this; }
  constexpr TSet& operator>>(E Value) { FBits &= ~Bit(Value); return *this; }
  constexpr TSet operator+(TSet Other) const { return FromBits(FBits | Other.FBits); }
  constexpr TSet operator-(TSet Other) const { return FromBits(FBits & ~Other.FBits); }
  constexpr TSet operator*(TSet Other) const { return FromBits(FBits & Other.FBits); }
  constexpr bool operator==(const TSet&) const = default;
  constexpr std::uint32_t ToInt() const { return FBits; }
  static constexpr TSet FromBits(std::uint32_t Bits) { TSet S; S.FBits = Bits; return S; }

private:
  static constexpr std::uint32_t Bit(E Value) { return std::uint32_t{1} << static_cast<unsigned>(Value); }
  std::uint32_t FBits = 0;
};

}  // namespace vcl
