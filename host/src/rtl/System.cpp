// The root object: class names and class info.
#include "System.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "TypInfo.h"

namespace vcl {

namespace {

// "vcl::TList" -> "TList": form files and messages use the bare class name.
AnsiString BareTypeName(const std::type_info& Type) {
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Demangled(abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status),
                                                   std::free);
  AnsiString Name = Status == 0 && Demangled ? AnsiString(Demangled.get()) : AnsiString(Type.name());
  const auto Template = Name.find('<');
  const auto Colons = Name.rfind("::", Template);
  return Colons == AnsiString::npos ? Name : Name.substr(Colons + 2);
}

}  // namespace

AnsiString TObject::ClassName() const {
  const TClassInfo* Info = ClassInfo();
  if (Info != nullptr && Info->TypeId() == typeid(*this)) return Info->ClassName();
  return BareTypeName(typeid(*this));
}

const TClassInfo* TObject::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TObject>("TObject", nullptr).Build();
  return Info;
}

bool TObject::InheritsFrom(const TClassInfo* Info) const {
  const TClassInfo* Own = ClassInfo();
  return Own != nullptr && Own->InheritsFrom(Info);
}

}  // namespace vcl
