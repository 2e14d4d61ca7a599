// Names of colours, character sets and cursors, as form files write them.

#include "IdentMaps.h"

#include <span>

#include "Controls.h"
#include "TypInfo.h"

namespace vcl {

namespace {

struct TIdentMapEntry {
  long long Value;
  const char* Name;
};

// Where two names share a value the first one is written.
constexpr TIdentMapEntry Colors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

constexpr TIdentMapEntry Charsets[] = {
    {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},          {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},       {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},       {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},     {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

constexpr TIdentMapEntry Cursors[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crNo, "crNo"},               {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
};

bool ValueToIdent(std::span<const TIdentMapEntry> Map, long long Value, AnsiString& Ident) {
  for (const TIdentMapEntry& Entry : Map)
    if (Entry.Value == Value) {
      Ident = Entry.Name;
      return true;
    }
  return false;
}

// Names are compared without case, as every identifier in form text is.
bool IdentToValue(std::span<const TIdentMapEntry> Map, const AnsiString& Ident, long long& Value) {
  for (const TIdentMapEntry& Entry : Map)
    if (SameText(Entry.Name, Ident)) {
      Value = Entry.Value;
      return true;
    }
  return false;
}

}  // namespace

bool ColorToIdent(long long Color, AnsiString& Ident) { return ValueToIdent(Colors, Color, Ident); }
bool IdentToColor(const AnsiString& Ident, long long& Color) { return IdentToValue(Colors, Ident, Color); }
void GetColorValues(const std::function<void(const AnsiString&)>& Proc) {
  for (const TIdentMapEntry& Entry : Colors) Proc(Entry.Name);
}
bool CharsetToIdent(long long Charset, AnsiString& Ident) { return ValueToIdent(Charsets, Charset, Ident); }
bool IdentToCharset(const AnsiString& Ident, long long& Charset) { return IdentToValue(Charsets, Ident, Charset); }
bool CursorToIdent(long long Cursor, AnsiString& Ident) { return ValueToIdent(Cursors, Cursor, Ident); }
bool IdentToCursor(const AnsiString& Ident, long long& Cursor) { return IdentToValue(Cursors, Ident, Cursor); }

void RegisterIdentMaps() {
  static const bool Registered = [] {
    RegisterIntegerConsts("TColor", IdentToColor, ColorToIdent);
    RegisterIntegerConsts("TFontCharset", IdentToCharset, CharsetToIdent);
    RegisterIntegerConsts("TCursor", IdentToCursor, CursorToIdent);
    return true;
  }();
  (void)Registered;
}

}  // namespace vcl
