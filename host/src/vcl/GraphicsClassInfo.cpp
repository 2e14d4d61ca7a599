// The published properties of the graphics objects that form files store.

#include "Graphics.h"
#include "IdentMaps.h"
#include "TypInfo.h"

namespace vcl {

// Charset, Color, Height and Name have no default clause: a stored font writes them all,
// and Style too, even when empty. Size only restates Height.
const TClassInfo& TFont::StaticClassInfo() {
  RegisterIdentMaps();
  static const TClassInfo Info =
      TClassInfoBuilder<TFont>("TFont", &TPersistent::StaticClassInfo())
          .Integer("Charset", &TFont::GetCharset, &TFont::SetCharset)
          .TypeName("TFontCharset")
          .Color("Color", &TFont::GetColor, &TFont::SetColor)
          .Integer("Height", &TFont::GetHeight, &TFont::SetHeight)
          .String("Name", &TFont::GetName, &TFont::SetName)
          .Enum("Pitch", &TFont::GetPitch, &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"}, fpDefault)
          .Integer("Size", &TFont::GetSize, &TFont::SetSize)
          .Stored(false)
          .Set("Style", &TFont::GetStyle, &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
          .Build();
  return Info;
}

}  // namespace vcl
