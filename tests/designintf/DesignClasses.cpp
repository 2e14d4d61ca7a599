#include "DesignClasses.h"

namespace designtest {

const TClassInfo& TGadget::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TGadget>("TGadget", &TPersistent::StaticClassInfo())
                                     .Integer("Size", &TGadget::GetSize, &TGadget::SetSize, 3)
                                     .Build();
  return Info;
}

const TClassInfo& TSpecialGadget::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TSpecialGadget>("TSpecialGadget", &TGadget::StaticClassInfo()).Build();
  return Info;
}

const TClassInfo& THolder::StaticClassInfo() {
  using T = THolder;
  static const TClassInfo Info =
      TClassInfoBuilder<T>("THolder", &TComponent::StaticClassInfo())
          .Integer("Count", &T::GetCount, &T::SetCount, 0)
          .Color("Tint", &T::GetTint, &T::SetTint, clBlack)
          .Bool("Active", &T::GetActive, &T::SetActive, false)
          .Enum("Shape", &T::GetShape, &T::SetShape, {"shRound", "shSquare", "shStar"}, shRound)
          .Set("Sides", &T::GetSides, &T::SetSides, {"sdLeft", "sdTop", "sdRight", "sdBottom"}, 0)
          .String("Caption", &T::GetCaption, &T::SetCaption)
          .Object("Gadget", &T::GetGadget)
          .Object("Special", &T::GetSpecial)
          .Component("Buddy", &T::GetBuddy, &T::SetBuddy)
          .Event("OnPing", &T::GetOnPing, &T::SetOnPing)
          .Build();
  return Info;
}

const TClassInfo& TDerivedHolder::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TDerivedHolder>("TDerivedHolder", &THolder::StaticClassInfo())
          .Integer("Extra", &TDerivedHolder::GetExtra, &TDerivedHolder::SetExtra, 0)
          .Build();
  return Info;
}

const TClassInfo& TRoot::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TRoot>("TRoot", &TComponent::StaticClassInfo())
                                     .Method("PingHandler", &TRoot::PingHandler)
                                     .Method("WrongHandler", &TRoot::WrongHandler)
                                     .Build();
  return Info;
}

}  // namespace designtest
