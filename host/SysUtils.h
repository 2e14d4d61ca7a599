#pragma once
// Exceptions, the framework's own error classes with their classic messages, and string helpers.

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "System.h"

namespace vcl {

class Exception : public std::exception {
public:
  explicit Exception(AnsiString Msg) : FMessage(std::move(Msg)) {}
  const AnsiString& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  AnsiString FMessage;
};

// Classic error classes; each constructor without arguments gives the classic message.
class EListError : public Exception { public: using Exception::Exception; };
class EStringListError : public Exception { public: using Exception::Exception; };
class EStreamError : public Exception { public: using Exception::Exception; };
class EReadError : public EStreamError { public: using EStreamError::EStreamError; };
class EWriteError : public EStreamError { public: using EStreamError::EStreamError; };
class EFilerError : public EStreamError { public: using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { public: using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { public: using EStreamError::EStreamError; };
class EInvalidCast : public Exception { public: using Exception::Exception; };
class EConvertError : public Exception { public: using Exception::Exception; };
class EOutOfMemory : public Exception { public: using Exception::Exception; };
class EResNotFound : public Exception { public: using Exception::Exception; };
class EClassNotFound : public EFilerError { public: using EFilerError::EFilerError; };
class EParserError : public Exception { public: using Exception::Exception; };
class EComponentError : public Exception { public: using Exception::Exception; };
class EPropertyError : public Exception { public: using Exception::Exception; };

// Classic message texts.
namespace Consts {
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SFCreateError = "Cannot create file %s";
inline constexpr const char* SFOpenError = "Cannot open file %s";
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SOutOfMemory = "Out of memory";
inline constexpr const char* SResNotFound = "Resource %s not found";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "'%s' is not a valid component name";
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SRegisterError = "Invalid component registration";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
}  // namespace Consts

// A Format argument: an integer or a string (%d, %s, %x, %%).
using TVarRec = std::variant<long long, AnsiString>;
AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args);

AnsiString UpperCase(const AnsiString& S);  // changes a to z only
AnsiString LowerCase(const AnsiString& S);  // changes A to Z only
AnsiString IntToStr(long long Value);
int StrToInt(const AnsiString& S);  // raises EConvertError
// Ordinal comparison: bytes as unsigned values, a prefix first; <0, 0 or >0.
int CompareStr(const AnsiString& S1, const AnsiString& S2);
// CompareStr with a to z equal to A to Z.
int CompareText(const AnsiString& S1, const AnsiString& S2);
// Comparison of UTF-8 text by the user's locale, as people sort names: "Müller" before
// "Mutter" in German, "Åberg" after "Zetterlund" in Swedish; <0, 0 or >0. Texts that the
// locale finds equal are ordered by their bytes, so that only equal texts give 0. A program
// without the window system (the run-time library alone) compares as CompareStr.
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);
// AnsiCompareStr without regard to case ("İstanbul" and "istanbul" are equal in Turkish);
// as CompareText without the window system.
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
// Sort keys for AnsiCompareText, for sorting many texts: a text's key is made once, and
// comparing two keys byte by byte, as CompareStr does, gives the sign AnsiCompareText gives
// their texts. No key is the beginning of another, so bytes appended after a key order
// only texts whose keys are equal. A maker reads the user's locale when it is made and
// keeps to it; it serves one thread at a time. Without the window system the keys are
// CompareText's.
namespace rtl {
class TLocaleKeyMaker;
}
class TAnsiTextKeys {
public:
  TAnsiTextKeys();
  ~TAnsiTextKeys();
  TAnsiTextKeys(const TAnsiTextKeys&) = delete;
  TAnsiTextKeys& operator=(const TAnsiTextKeys&) = delete;
  // Appends the key of the UTF-8 text Text to Key.
  void AppendKey(std::string_view Text, AnsiString& Key);

private:
  std::unique_ptr<rtl::TLocaleKeyMaker> FMaker;  // null: by CompareText
};
// Appends the key of Bytes for CompareStr: keys compare as the texts do, and no key is the
// beginning of another (a zero byte is written as 0 255, the end as 0 0).
void AppendOrdinalKey(std::string_view Bytes, AnsiString& Key);
// Equal apart from the case of a to z.
bool SameText(const AnsiString& S1, const AnsiString& S2);
// A Pascal identifier: a letter or "_", then letters, digits or "_".
bool IsValidIdent(const AnsiString& Ident);
// Input quoted in a message, cut to a readable length: the first MaxChars characters of the
// UTF-8 text S, then "…" when there were more. Never splits a character.
AnsiString CutForMessage(const AnsiString& S, size_t MaxChars = 80);

// Checked downcast that raises EInvalidCast instead of returning null.
template <class T, class U>
T* CheckedCast(U* Obj) {
  if (Obj == nullptr) return nullptr;
  if (auto* Result = dynamic_cast<T*>(Obj)) return Result;
  throw EInvalidCast(Consts::SInvalidCast);
}

}  // namespace vcl
