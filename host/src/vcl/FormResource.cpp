// Forms made from their stored description: form text built into the library.

#include "Forms.h"

namespace vcl {

void TCustomForm::ReadFormResource(const AnsiString& Name) {
  std::size_t Size = 0;
  const Byte* Data = FindResourceBytes(UpperCase(Name), Size);
  if (!Data) throw EResNotFound(Format(Consts::SResNotFound, {Name}));
  ReadFormText(AnsiString(reinterpret_cast<const char*>(Data), Size));
}

void TCustomForm::ReadFormText(const AnsiString& Text) {
  TReader Reader(Text);
  // The class declares what the description must hold: a field left empty is an error.
  Reader.SetRequireFields(true);
  Reader.ReadRootComponent(this);
  if (FOnCreate) FOnCreate(this);
}

}  // namespace vcl
