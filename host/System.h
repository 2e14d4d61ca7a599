#pragma once
// Base types of the framework: byte strings, the root object and method references.

#include <cstdint>
#include <functional>
#include <string>
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

  // The class name as a form file names it ("TOstrel"); derived classes registered
  // with published properties answer through their class info.
  virtual AnsiString ClassName() const;
  virtual const TClassInfo* ClassInfo() const;
  bool InheritsFrom(const TClassInfo* Info) const;
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
  TMethodRef(F f) : FCode(std::move(f)) {}
  template <class T>
  TMethodRef(T* Object, void (T::*Method)(Args...), AnsiString MethodName = {})
      : FCode([Object, Method](Args... a) { (Object->*Method)(std::forward<Args>(a)...); }),
        FData(Object),
        FMethodName(std::move(MethodName)) {}

  explicit operator bool() const { return static_cast<bool>(FCode); }
  bool operator==(std::nullptr_t) const { return !FCode; }
  void operator()(Args... a) const { FCode(std::forward<Args>(a)...); }

  const void* Data() const { return FData; }
  const AnsiString& MethodName() const { return FMethodName; }

private:
  std::function<void(Args...)> FCode;
  const void* FData = nullptr;
  AnsiString FMethodName;
};

using TNotifyEvent = TMethodRef<TObject* /*Sender*/>;

}  // namespace vcl
