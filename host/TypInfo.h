#pragma once
// Published properties, published methods and fields, and the class registry.
//
// Each class that a form file names, or whose properties a form file stores, describes
// itself once in a static TClassInfo built with TClassInfoBuilder:
//
//   class TOstrel : public TCustomControl {
//   public:
//     const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
//     static const TClassInfo& StaticClassInfo();
//     ...
//   };
//   const TClassInfo& TOstrel::StaticClassInfo() {
//     static const TClassInfo Info =
//         TClassInfoBuilder<TOstrel>("TOstrel", &TCustomControl::StaticClassInfo())
//             .Creates()
//             .Object("Items", &TOstrel::GetItems, &TOstrel::SetTableItems)
//             .Integer("ColumnWidth", &TOstrel::GetColumnWidth, &TOstrel::SetColumnWidth, 100)
//             .Color("CaptionColor", &TOstrel::GetCaptionColor, &TOstrel::SetCaptionColor, 0xC0C0C0)
//             .Bool("ShowDividers", &TOstrel::GetShowDividers, &TOstrel::SetShowDividers, true)
//             .Enum("BorderStyle", &TOstrel::GetBorderStyle, &TOstrel::SetBorderStyle,
//                   {"bsNone", "bsSingle"}, bsSingle)
//             .String("NoItemsText", &TOstrel::GetNoItemsText, &TOstrel::SetNoItemsText, NoDefault)
//             .Event("OnChange", &TOstrel::GetOnChange, &TOstrel::SetOnChange)
//             .Build();
//     return Info;
//   }
//
// and, when form files create it by name, registers it: RegisterClass(TOstrel::StaticClassInfo()).
//
// Properties are streamed in the order they are listed, the ancestors' first. A form class
// also lists its component fields (.Field) and its handlers (.Method), so that the form
// reader can fill the fields and bind "OnClick = NewItemButtonClick".

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "Classes.h"
#include "SysUtils.h"
#include "System.h"
#include "Types.h"

namespace vcl {

enum class TTypeKind {
  tkInteger,      // int, long, TColor and other integers, written as a number or a registered ident
  tkEnumeration,  // enumerations and bool, written as the value's name
  tkSet,          // sets, written as [a, b]
  tkFloat,
  tkString,
  tkClass,      // an owned TPersistent that writes its own properties ("Font.Name = ...")
  tkComponent,  // a reference to another component, written as its name
  tkMethod,     // an event, written as the name of its form's handler
};

// Marks a property without a default clause: it is always stored.
struct TNoDefault {};
inline constexpr TNoDefault NoDefault{};

// A type-erased event value: the TMethodRef<Args...> it holds, the object it is bound to
// and the name of the published method it was bound from.
struct TMethod {
  std::any Value;  // TMethodRef<Args...>; empty when unassigned
  const void* Data = nullptr;
  AnsiString MethodName;
  explicit operator bool() const { return Value.has_value(); }
};

// One published (or protected, waiting to be republished) property.
struct TPropInfo {
  AnsiString Name;
  AnsiString TypeName;  // "Integer", "Boolean", "TColor", "String", an enum or class name, ...
  TTypeKind Kind = TTypeKind::tkInteger;
  bool Published = true;

  // Names of the enumeration's values or of the set's elements (value or bit i is Names[i]).
  std::shared_ptr<const std::vector<AnsiString>> Names;
  // The declared class of an object (tkClass) or component (tkComponent) property; asked
  // only when needed, so that a class may have properties of its own type.
  const TClassInfo& (*ClassOf)() = nullptr;
  // The range of the C++ type behind an integer property.
  long long MinValue = std::numeric_limits<long long>::min();
  long long MaxValue = std::numeric_limits<long long>::max();

  // The default clause; none of them for a property without one.
  std::optional<long long> OrdDefault;  // integers, enumerations, sets (as bits)
  std::optional<double> FloatDefault;
  std::optional<AnsiString> StrDefault;
  // Whether the current value is stored at all; null means always.
  std::function<bool(TObject*)> Stored;

  // Accessors; only those of the property's kind are set. The setters raise
  // EPropertyError for a value the property cannot take.
  std::function<long long(TObject*)> GetOrd;  // tkInteger, tkEnumeration, tkSet (bits)
  std::function<void(TObject*, long long)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<AnsiString(TObject*)> GetStr;
  std::function<void(TObject*, const AnsiString&)> SetStr;
  std::function<TPersistent*(TObject*)> GetObject;        // tkClass
  std::function<void(TObject*, TPersistent*)> SetObject;  // tkClass; may be null
  std::function<TComponent*(TObject*)> GetComponent;      // tkComponent
  std::function<void(TObject*, TComponent*)> SetComponent;
  std::function<TMethod(TObject*)> GetMethod;  // tkMethod
  // Takes a TMethod's Value: empty clears the event; a TMethodRef of another signature
  // raises EPropertyError.
  std::function<void(TObject*, const std::any&)> SetMethod;
  const std::type_info* MethodType = nullptr;  // typeid of the event's TMethodRef

  bool IsStored(TObject* Instance) const { return !Stored || Stored(Instance); }
  bool HasDefault() const { return OrdDefault || FloatDefault || StrDefault; }
};

// A published method: binds it to an instance of its class as a type-erased TMethodRef.
struct TMethodEntry {
  AnsiString Name;
  const std::type_info* Type = nullptr;  // typeid of the TMethodRef it makes
  std::function<std::any(TObject* Instance)> Bind;
};

// A component field of a form, filled by name when the form reads its children.
struct TFieldEntry {
  AnsiString Name;
  // The class info of the field's type when that type registered one, else null.
  const TClassInfo* FieldClass = nullptr;
  // Stores Value into Owner's field; false when Value is not of the field's class.
  std::function<bool(TObject* Owner, TComponent* Value)> Set;
  std::function<TComponent*(TObject* Owner)> Get;
};

class TClassInfo {
public:
  TClassInfo(TClassInfo&&) = default;
  TClassInfo& operator=(TClassInfo&&) = delete;
  TClassInfo(const TClassInfo&) = delete;

  const AnsiString& ClassName() const { return FClassName; }
  const TClassInfo* Parent() const { return FParent; }
  const std::type_info& TypeId() const { return *FTypeId; }
  bool InheritsFrom(const TClassInfo* Ancestor) const;

  // The published properties in streaming order: the ancestors' first; a property that a
  // class redeclares or republishes keeps its ancestor's place.
  const std::vector<const TPropInfo*>& Properties() const { return FProperties; }
  const TPropInfo* FindProperty(const AnsiString& Name) const;  // published only; null
  // Also properties registered as protected, for republishing.
  const TPropInfo* FindAnyProperty(const AnsiString& Name) const;
  const TMethodEntry* FindMethod(const AnsiString& Name) const;  // this class, then ancestors
  const TFieldEntry* FindField(const AnsiString& Name) const;    // a to z without case
  const std::vector<TFieldEntry>& Fields() const { return FFields; }  // this class's own
  // The class info of a field type of this form class with that name, or null.
  const TClassInfo* FindFieldClass(const AnsiString& ClassName) const;

  bool CanCreate() const { return static_cast<bool>(FCreate); }
  // A new instance owned by Owner; EComponentError when the class cannot be created by name.
  TComponent* CreateComponent(TComponent* Owner) const;

private:
  template <class T>
  friend class TClassInfoBuilder;
  friend class TClassInfoBuilderBase;
  TClassInfo() = default;

  AnsiString FClassName;
  const TClassInfo* FParent = nullptr;
  const std::type_info* FTypeId = &typeid(TObject);
  std::function<TComponent*(TComponent*)> FCreate;
  std::vector<std::unique_ptr<TPropInfo>> FOwnProperties;
  std::vector<const TPropInfo*> FProperties;
  std::vector<TMethodEntry> FMethods;
  std::vector<TFieldEntry> FFields;
};

// ---------------------------------------------------------------- registry

void RegisterClass(const TClassInfo& Info);
void RegisterClasses(std::initializer_list<const TClassInfo*> Infos);
void UnRegisterClass(const TClassInfo& Info);
const TClassInfo* GetClass(const AnsiString& ClassName);  // null when not registered
const TClassInfo& FindClass(const AnsiString& ClassName);  // EClassNotFound "Class %s not found"

// Identifiers for values of an integer type ("clBtnFace" for a TColor): the writer writes the
// identifier when IntToIdent knows the value, the reader accepts identifiers IdentToInt knows.
using TIdentToInt = std::function<bool(const AnsiString& Ident, long long& Value)>;
using TIntToIdent = std::function<bool(long long Value, AnsiString& Ident)>;
void RegisterIntegerConsts(const AnsiString& TypeName, TIdentToInt IdentToInt, TIntToIdent IntToIdent);
bool IdentToIntegerValue(const AnsiString& TypeName, const AnsiString& Ident, long long& Value);
bool IntegerValueToIdent(const AnsiString& TypeName, long long Value, AnsiString& Ident);

// ---------------------------------------------------------------- property helpers

const TPropInfo* GetPropInfo(const TObject* Instance, const AnsiString& PropName);  // null
// The value's name; empty outside the enumeration.
AnsiString GetEnumName(const TPropInfo& Prop, long long Value);
long long GetEnumValue(const TPropInfo& Prop, const AnsiString& Name);  // -1 when unknown
AnsiString SetToString(const TPropInfo& Prop, long long Bits);       // "[a, b]"
// Binds the published method Name of Root's class to Root and stores it in Instance's event;
// an empty name clears it. EPropertyError when Root has no such method or it does not fit.
void SetMethodProp(TObject* Instance, const TPropInfo& Prop, TObject* Root, const AnsiString& MethodName);

// How a set type maps to bits (element i is bit i): integers as they are, std::set of an
// enumeration by its elements. Specialize for other set types.
template <class V, class = void>
struct TSetTraits;
template <class V>
struct TSetTraits<V, std::enable_if_t<std::is_integral_v<V>>> {
  static long long ToBits(V Value) { return static_cast<long long>(Value); }
  static V FromBits(long long Bits) { return static_cast<V>(Bits); }
};
template <class E>
struct TSetTraits<std::set<E>, std::enable_if_t<std::is_enum_v<E>>> {
  static long long ToBits(const std::set<E>& Value) {
    long long Bits = 0;
    for (E Element : Value) Bits |= 1LL << static_cast<int>(Element);
    return Bits;
  }
  static std::set<E> FromBits(long long Bits) {
    std::set<E> Result;
    for (int I = 0; I < 63; ++I)
      if (Bits & (1LL << I)) Result.insert(static_cast<E>(I));
    return Result;
  }
};
template <class E>
struct TSetTraits<TSet<E>, void> {
  static long long ToBits(TSet<E> Value) { return static_cast<long long>(Value.ToInt()); }
  static TSet<E> FromBits(long long Bits) { return TSet<E>::FromBits(static_cast<std::uint32_t>(Bits)); }
};

// ---------------------------------------------------------------- builder

namespace detail {

template <class S>
struct TSetterArg {};
template <class C, class R, class A>
struct TSetterArg<R (C::*)(A)> {
  using Type = std::remove_cvref_t<A>;
};
template <class C, class R, class A>
struct TSetterArg<R (C::*)(A) noexcept> {
  using Type = std::remove_cvref_t<A>;
};
template <class C, class M>
  requires(!std::is_function_v<M>)
struct TSetterArg<M C::*> {
  using Type = M;
};

template <class T, class G>
using TGetterResult = std::remove_cvref_t<std::invoke_result_t<G, T*>>;

template <class T, class S, class V>
void CallSetter(T* Instance, S Setter, V&& Value) {
  if constexpr (std::is_member_object_pointer_v<S>)
    Instance->*Setter = std::forward<V>(Value);
  else
    (Instance->*Setter)(std::forward<V>(Value));
}

template <class V>
struct TIsMethodRef : std::false_type {};
template <class... Args>
struct TIsMethodRef<TMethodRef<Args...>> : std::true_type {};

template <class V>
using TIntegerOf = typename std::conditional_t<std::is_enum_v<V>, std::underlying_type<V>, std::type_identity<V>>::type;

[[noreturn]] void RaiseInvalidValue(const AnsiString& PropName);
[[noreturn]] void RaiseMethodMismatch(const AnsiString& PropName);

}  // namespace detail

// The parts of the builder that do not depend on the class.
class TClassInfoBuilderBase {
public:
  // The last property listed is not published: a descendant can republish it with Publish.
  TClassInfoBuilderBase& Protected();
  // Republishes properties that an ancestor registered as protected, in this order.
  TClassInfoBuilderBase& Publish(std::initializer_list<const char*> Names);
  // The same for a list kept by name, which several classes publish alike.
  TClassInfoBuilderBase& Publish(std::span<const char* const> Names);
  TClassInfo Build();

protected:
  TClassInfoBuilderBase(const char* ClassName, const TClassInfo* Parent, const std::type_info& TypeId);
  TPropInfo& NewProperty(const char* Name, TTypeKind Kind, const char* TypeName);
  TPropInfo& Last();
  TClassInfo FInfo;
};

template <class T>
class TClassInfoBuilder : public TClassInfoBuilderBase {
public:
  TClassInfoBuilder(const char* ClassName, const TClassInfo* Parent)
      : TClassInfoBuilderBase(ClassName, Parent, typeid(T)) {}

  // Form files may create the class by name: new T(Owner).
  TClassInfoBuilder& Creates() {
    static_assert(std::is_base_of_v<TComponent, T>, "only components are created by name");
    FInfo.FCreate = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
    return *this;
  }

  // An integer property (int, long, TColor, ...), written as a number.
  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& Integer(const char* Name, G Get, S Set, D Default = NoDefault) {
    using V = typename detail::TSetterArg<S>::Type;
    using I = detail::TIntegerOf<V>;
    static_assert(std::is_integral_v<I>, "Integer needs an integer or enum setter");
    TPropInfo& P = NewProperty(Name, TTypeKind::tkInteger, "Integer");
    P.MinValue = static_cast<long long>(std::numeric_limits<I>::min());
    P.MaxValue = std::is_same_v<I, unsigned long long> || std::is_same_v<I, unsigned long>
                     ? std::numeric_limits<long long>::max()
                     : static_cast<long long>(std::numeric_limits<I>::max());
    // A 32-bit value may also be written as its unsigned pattern ($8000000F for a system colour).
    constexpr bool Wraps32 = sizeof(I) == 4 && std::is_signed_v<I>;
    if (Wraps32) P.MaxValue = 0xFFFFFFFFLL;
    P.GetOrd = [Get](TObject* O) {
      return static_cast<long long>(static_cast<I>(std::invoke(Get, Self(O))));
    };
    P.SetOrd = [Set, Name = P.Name, Min = P.MinValue, Max = P.MaxValue](TObject* O, long long Value) {
      if (Value < Min || Value > Max) detail::RaiseInvalidValue(Name);
      if constexpr (Wraps32)
        if (Value > std::numeric_limits<std::int32_t>::max())
          Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(Value));
      detail::CallSetter(Self(O), Set, static_cast<V>(static_cast<I>(Value)));
    };
    if constexpr (!std::is_same_v<D, TNoDefault>) P.OrdDefault = static_cast<long long>(static_cast<I>(Default));
    return *this;
  }

  // A TColor property: an integer that the writer names when the colour has an identifier.
  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& Color(const char* Name, G Get, S Set, D Default = NoDefault) {
    Integer(Name, Get, Set, Default);
    Last().TypeName = "TColor";
    return *this;
  }

  // Gives the last integer property a type name, for RegisterIntegerConsts.
  TClassInfoBuilder& TypeName(const char* Name) {
    Last().TypeName = Name;
    return *this;
  }

  // A bool, written as True or False.
  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& Bool(const char* Name, G Get, S Set, D Default = NoDefault) {
    TPropInfo& P = NewProperty(Name, TTypeKind::tkEnumeration, "Boolean");
    P.Names = std::make_shared<const std::vector<AnsiString>>(std::vector<AnsiString>{"False", "True"});
    P.GetOrd = [Get](TObject* O) -> long long { return std::invoke(Get, Self(O)) ? 1 : 0; };
    P.SetOrd = [Set, Name = P.Name](TObject* O, long long Value) {
      if (Value != 0 && Value != 1) detail::RaiseInvalidValue(Name);
      detail::CallSetter(Self(O), Set, Value != 0);
    };
    if constexpr (!std::is_same_v<D, TNoDefault>) P.OrdDefault = Default ? 1 : 0;
    return *this;
  }

  // An enumeration whose value i is called Names[i].
  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& Enum(const char* Name, G Get, S Set, std::initializer_list<const char*> Names,
                          D Default = NoDefault) {
    using V = typename detail::TSetterArg<S>::Type;
    TPropInfo& P = NewProperty(Name, TTypeKind::tkEnumeration, "Enumeration");
    P.Names = MakeNames(Names);
    P.GetOrd = [Get](TObject* O) { return static_cast<long long>(std::invoke(Get, Self(O))); };
    P.SetOrd = [Set, Name = P.Name, Count = static_cast<long long>(Names.size())](TObject* O, long long Value) {
      if (Value < 0 || Value >= Count) detail::RaiseInvalidValue(Name);
      detail::CallSetter(Self(O), Set, static_cast<V>(Value));
    };
    if constexpr (!std::is_same_v<D, TNoDefault>) P.OrdDefault = static_cast<long long>(Default);
    return *this;
  }

  // A set whose element i is called Names[i] (see TSetTraits for the C++ set types).
  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& Set(const char* Name, G Get, S Set, std::initializer_list<const char*> Names,
                         D Default = NoDefault) {
    using V = typename detail::TSetterArg<S>::Type;
    TPropInfo& P = NewProperty(Name, TTypeKind::tkSet, "Set");
    P.Names = MakeNames(Names);
    const long long Mask = Names.size() >= 63 ? -1LL : (1LL << Names.size()) - 1;
    P.GetOrd = [Get](TObject* O) { return TSetTraits<V>::ToBits(std::invoke(Get, Self(O))); };
    P.SetOrd = [Set, Name = P.Name, Mask](TObject* O, long long Bits) {
      if ((Bits & ~Mask) != 0) detail::RaiseInvalidValue(Name);
      detail::CallSetter(Self(O), Set, TSetTraits<V>::FromBits(Bits));
    };
    // The default: a value of the set type, or its bits.
    if constexpr (std::is_integral_v<D>)
      P.OrdDefault = static_cast<long long>(Default);
    else if constexpr (!std::is_same_v<D, TNoDefault>)
      P.OrdDefault = TSetTraits<V>::ToBits(static_cast<V>(Default));
    return *this;
  }

  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& Float(const char* Name, G Get, S Set, D Default = NoDefault) {
    using V = typename detail::TSetterArg<S>::Type;
    TPropInfo& P = NewProperty(Name, TTypeKind::tkFloat, "Double");
    P.GetFloat = [Get](TObject* O) { return static_cast<double>(std::invoke(Get, Self(O))); };
    P.SetFloat = [Set](TObject* O, double Value) { detail::CallSetter(Self(O), Set, static_cast<V>(Value)); };
    if constexpr (!std::is_same_v<D, TNoDefault>) P.FloatDefault = static_cast<double>(Default);
    return *this;
  }

  template <class G, class S, class D = TNoDefault>
  TClassInfoBuilder& String(const char* Name, G Get, S Set, D Default = NoDefault) {
    TPropInfo& P = NewProperty(Name, TTypeKind::tkString, "String");
    P.GetStr = [Get](TObject* O) { return AnsiString(std::invoke(Get, Self(O))); };
    P.SetStr = [Set](TObject* O, const AnsiString& Value) { detail::CallSetter(Self(O), Set, Value); };
    if constexpr (!std::is_same_v<D, TNoDefault>) P.StrDefault = AnsiString(Default);
    return *this;
  }

  // An owned persistent object ("Items", "Font"): the form file stores its properties under
  // "Name.", and its DefineProperties. The optional setter copies a given object (Assign).
  template <class G>
  TClassInfoBuilder& Object(const char* Name, G Get) {
    using V = std::remove_pointer_t<detail::TGetterResult<T, G>>;
    static_assert(std::is_base_of_v<TPersistent, V>, "Object needs a getter returning a TPersistent*");
    TPropInfo& P = NewProperty(Name, TTypeKind::tkClass, "TPersistent");
    P.ClassOf = &V::StaticClassInfo;
    P.GetObject = [Get](TObject* O) -> TPersistent* { return std::invoke(Get, Self(O)); };
    return *this;
  }
  template <class G, class S>
  TClassInfoBuilder& Object(const char* Name, G Get, S Set) {
    using V = std::remove_pointer_t<detail::TGetterResult<T, G>>;
    Object(Name, Get);
    Last().SetObject = [Set, Name = Last().Name](TObject* O, TPersistent* Value) {
      auto* Typed = dynamic_cast<V*>(Value);
      if (Value != nullptr && Typed == nullptr) detail::RaiseInvalidValue(Name);
      detail::CallSetter(Self(O), Set, Typed);
    };
    return *this;
  }

  // A reference to another component, written as its name; null is the default.
  template <class G, class S>
  TClassInfoBuilder& Component(const char* Name, G Get, S Set) {
    using V = std::remove_pointer_t<detail::TGetterResult<T, G>>;
    static_assert(std::is_base_of_v<TComponent, V>, "Component needs a getter returning a TComponent*");
    TPropInfo& P = NewProperty(Name, TTypeKind::tkComponent, "TComponent");
    P.ClassOf = &V::StaticClassInfo;
    P.GetComponent = [Get](TObject* O) -> TComponent* { return std::invoke(Get, Self(O)); };
    P.SetComponent = [Set, Name = P.Name](TObject* O, TComponent* Value) {
      auto* Typed = dynamic_cast<V*>(Value);
      if (Value != nullptr && Typed == nullptr) detail::RaiseInvalidValue(Name);
      detail::CallSetter(Self(O), Set, Typed);
    };
    return *this;
  }

  // An event; its TMethodRef type comes from the getter. Event<TObject*, X*>(...) also
  // checks that it is that signature.
  template <class... Args, class G, class S>
  TClassInfoBuilder& Event(const char* Name, G Get, S Set) {
    using V = detail::TGetterResult<T, G>;
    static_assert(detail::TIsMethodRef<V>::value, "Event needs a getter returning a TMethodRef");
    if constexpr (sizeof...(Args) > 0)
      static_assert(std::is_same_v<V, TMethodRef<Args...>>, "the event's signature differs from its getter's");
    TPropInfo& P = NewProperty(Name, TTypeKind::tkMethod, "TMethod");
    P.MethodType = &typeid(V);
    P.GetMethod = [Get](TObject* O) {
      const V& Value = std::invoke(Get, Self(O));
      TMethod Result;
      if (Value) {
        Result.Value = Value;
        Result.Data = Value.Data();
        Result.MethodName = Value.MethodName();
      }
      return Result;
    };
    P.SetMethod = [Set, Name = P.Name](TObject* O, const std::any& Value) {
      if (!Value.has_value()) return detail::CallSetter(Self(O), Set, V());
      const V* Typed = std::any_cast<V>(&Value);
      if (Typed == nullptr) detail::RaiseMethodMismatch(Name);
      detail::CallSetter(Self(O), Set, *Typed);
    };
    return *this;
  }

  // Whether the last property is stored: a predicate of the instance, or a constant.
  TClassInfoBuilder& Stored(bool (T::*Predicate)() const) {
    Last().Stored = [Predicate](TObject* O) { return (Self(O)->*Predicate)(); };
    return *this;
  }
  TClassInfoBuilder& Stored(bool Value) {
    Last().Stored = [Value](TObject*) { return Value; };
    return *this;
  }

  TClassInfoBuilder& Protected() {
    TClassInfoBuilderBase::Protected();
    return *this;
  }
  TClassInfoBuilder& Publish(std::initializer_list<const char*> Names) {
    TClassInfoBuilderBase::Publish(Names);
    return *this;
  }
  TClassInfoBuilder& Publish(std::span<const char* const> Names) {
    TClassInfoBuilderBase::Publish(Names);
    return *this;
  }

  // A published method that form files bind events to by name.
  template <class C, class... Args>
  TClassInfoBuilder& Method(const char* Name, void (C::*M)(Args...)) {
    static_assert(std::is_base_of_v<C, T>, "the method belongs to another class");
    TMethodEntry Entry;
    Entry.Name = Name;
    Entry.Type = &typeid(TMethodRef<Args...>);
    Entry.Bind = [M, Name = Entry.Name](TObject* Instance) -> std::any {
      return TMethodRef<Args...>(static_cast<C*>(Self(Instance)), M, Name);
    };
    FInfo.FMethods.push_back(std::move(Entry));
    return *this;
  }

  // A component field that the form reader fills with the child component of that name.
  template <class C, class V>
  TClassInfoBuilder& Field(const char* Name, V* C::*F) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TComponent, V>, "Field needs a component pointer member");
    TFieldEntry Entry;
    Entry.Name = Name;
    if constexpr (requires { V::StaticClassInfo(); })
      if (V::StaticClassInfo().TypeId() == typeid(V)) Entry.FieldClass = &V::StaticClassInfo();
    Entry.Set = [F](TObject* Owner, TComponent* Value) {
      V* Typed = dynamic_cast<V*>(Value);
      if (Value != nullptr && Typed == nullptr) return false;
      static_cast<C*>(Self(Owner))->*F = Typed;
      return true;
    };
    Entry.Get = [F](TObject* Owner) -> TComponent* { return static_cast<C*>(Self(Owner))->*F; };
    FInfo.FFields.push_back(std::move(Entry));
    return *this;
  }

private:
  // The accessors of a class take only its instances (EInvalidCast otherwise).
  static T* Self(TObject* Instance) {
    T* Result = dynamic_cast<T*>(Instance);
    if (Result == nullptr) throw EInvalidCast(Consts::SInvalidCast);
    return Result;
  }
  static std::shared_ptr<const std::vector<AnsiString>> MakeNames(std::initializer_list<const char*> Names) {
    return std::make_shared<const std::vector<AnsiString>>(Names.begin(), Names.end());
  }
};

}  // namespace vcl
