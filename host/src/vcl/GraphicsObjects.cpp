// Fonts and pens: values with a change notification.

#include "Graphics.h"

namespace vcl {

void TGraphicsObject::Changed() {
  if (FOnChange) FOnChange(this);
}

// ---------------------------------------------------------------- TFont

namespace {
constexpr int PointsPerInch = 72;
// Rounds half away from zero, as the classic MulDiv does.
int MulDiv(int Number, int Numerator, int Denominator) {
  const long long Product = static_cast<long long>(Number) * Numerator;
  const long long Half = Denominator / 2;
  return static_cast<int>(Product >= 0 ? (Product + Half) / Denominator : (Product - Half) / Denominator);
}
}  // namespace

TFont::TFont() = default;

void TFont::SetName(const AnsiString& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::GetSize() const { return -MulDiv(FHeight, PointsPerInch, GetPixelsPerInch()); }
void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, GetPixelsPerInch(), PointsPerInch)); }

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

bool TFont::Equals(const TFont& Other) const {
  return FName == Other.FName && FHeight == Other.FHeight && FStyle == Other.FStyle && FColor == Other.FColor &&
         FCharset == Other.FCharset && FPitch == Other.FPitch;
}

void TFont::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TFont*>(Source)) {
    if (Equals(*Other)) return;
    FName = Other->FName;
    FHeight = Other->FHeight;
    FStyle = Other->FStyle;
    FColor = Other->FColor;
    FCharset = Other->FCharset;
    FPitch = Other->FPitch;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------- TPen

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TPen*>(Source)) {
    FColor = Other->FColor;
    FWidth = Other->FWidth;
    FStyle = Other->FStyle;
    FMode = Other->FMode;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace vcl
