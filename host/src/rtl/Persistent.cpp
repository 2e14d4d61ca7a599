// TPersistent: assignment between persistent objects.
#include "Classes.h"
#include "TypInfo.h"

namespace vcl {

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TPersistent>("TPersistent", &TObject::StaticClassInfo()).Build();
  return Info;
}

// The source gets the last word: it may know how to copy itself into this class.
void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr)
    Source->AssignTo(this);
  else
    throw EConvertError(Format(Consts::SAssignError, {"nil", ClassName()}));
}

void TPersistent::AssignTo(TPersistent* Dest) {
  throw EConvertError(Format(Consts::SAssignError, {ClassName(), Dest != nullptr ? Dest->ClassName() : "nil"}));
}

void TPersistent::DefineProperties(TFiler*) {}

}  // namespace vcl
