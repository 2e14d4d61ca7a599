#pragma once
// Base types of the framework: byte strings, the root object and method references.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

namespace vcl {

// Strings are bytes; text shown on screen is taken as UTF-8.
using AnsiString = std::string;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;

class TObject;
class TClassInfo;  // declared in TypInfo.h

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class name as a form file names it ("TOstrel"): the registered name when the
  // object's own class registered a class info, else the C++ class name without namespaces.
  virtual AnsiString ClassName() const;
  // The class info of the most derived class that registered one (see TypInfo.h). A class
  // with published properties overrides it to return &StaticClassInfo().
  virtual const TClassInfo* ClassInfo() const;
  static const TClassInfo& StaticClassInfo();
  bool InheritsFrom(const TClassInfo* Info) const;
};

// What a method reference bound from an object and a method remembers of them; shared by
// its copies, absent from plain closures.
struct TMethodBinding {
  const void* Data;
  AnsiString MethodName;
};

// A method reference: a closure that may be empty, compares with empty, and remembers
// the object and method name it was bound from, so that a form file can name a handler
// of its form ("OnClick = NewItemButtonClick").
template <class... Args>
class TMethodRef {
public:
  TMethodRef() = default;
  TMethodRef(std::nullptr_t) {}
  template <class F, class = std::enable_if_t<std::is_invocable_v<F&, Args...> &&
                                              !std::is_same_v<std::decay_t<F>, TMethodRef>>>
  TMethodRef(F f) : FCode(std::make_shared<const std::function<void(Args...)>>(std::move(f))) {}
  // Data() is the address of the whole object (not of the T part), so that it compares equal
  // to any pointer to the same object, whatever base it is seen through.
  template <class T>
  TMethodRef(T* Object, void (T::*Method)(Args...), AnsiString MethodName = {})
      : FCode(std::make_shared<const std::function<void(Args...)>>(
            [Object, Method](Args... a) { (Object->*Method)(std::forward<Args>(a)...); })),
        FBinding(std::make_shared<const TMethodBinding>(TMethodBinding{MostDerived(Object), std::move(MethodName)})) {}

  explicit operator bool() const { return FCode && *FCode; }
  bool operator==(std::nullptr_t) const { return !static_cast<bool>(*this); }
  // The code stays alive for the length of the call: a handler may free the object that
  // holds it (a control deleting itself from its own event), as a classic method pointer may.
  void operator()(Args... a) const {
    const auto Running = FCode;
    (*Running)(std::forward<Args>(a)...);
  }

  const void* Data() const { return FBinding ? FBinding->Data : nullptr; }
  const AnsiString& MethodName() const { return FBinding ? FBinding->MethodName : NoMethodName(); }

private:
  template <class T>
  static const void* MostDerived(T* Object) {
    if constexpr (std::is_polymorphic_v<T>)
      return dynamic_cast<const void*>(Object);
    else
      return Object;
  }
  static const AnsiString& NoMethodName() {
    static const AnsiString Empty;
    return Empty;
  }

  std::shared_ptr<const std::function<void(Args...)>> FCode;
  // Null for plain closures, which most handlers are.
  std::shared_ptr<const TMethodBinding> FBinding;
};

using TNotifyEvent = TMethodRef<TObject* /*Sender*/>;

}  // namespace vcl
