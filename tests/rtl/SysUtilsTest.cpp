// Format, case changes, integer conversions and ordinal comparison.
#include <gtest/gtest.h>

#include "SysUtils.h"

using namespace vcl;

TEST(SysUtilsTest, FormatFillsTheClassicMessages) {
  EXPECT_EQ(Format(Consts::SListIndexError, {-3}), "List index out of bounds (-3)");
  EXPECT_EQ(Format(Consts::SAssignError, {"TFont", "TStringList"}), "Cannot assign a TFont to a TStringList");
  EXPECT_EQ(Format("%5d|%-4s|%x|%.3d|%%|%.2s", {42, "ab", 255, 7, "xyz"}), "   42|ab  |FF|007|%|xy");
  EXPECT_EQ(Format("%d", {-9223372036854775807LL - 1}), "-9223372036854775808");
  EXPECT_EQ(Format("%u|%x|%.2u", {-1, -1, 5}), "18446744073709551615|FFFFFFFFFFFFFFFF|05");  // only %d has a sign
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);  // wrong kind of argument
  EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);  // too few arguments
  EXPECT_THROW(Format("50%", {}), EConvertError);
  EXPECT_THROW(Format("%q", {1}), EConvertError);
}

TEST(SysUtilsTest, CaseChangesOnlyTouchAToZ) {
  EXPECT_EQ(UpperCase("abc xyz-\xC3\xA9"), "ABC XYZ-\xC3\xA9");
  EXPECT_EQ(LowerCase("ABC XYZ-\xC3\x89"), "abc xyz-\xC3\x89");
  EXPECT_TRUE(SameText("Button1", "BUTTON1"));
  EXPECT_FALSE(SameText("Button1", "Button10"));
}

TEST(SysUtilsTest, IntegerConversions) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  EXPECT_EQ(StrToInt("  -17"), -17);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  for (const char* Bad : {"", "-", "12a", "2147483648", "$", "1 ", "$100000000"}) {
    try {
      StrToInt(Bad);
      ADD_FAILURE() << Bad;
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), "'" + AnsiString(Bad) + "' is not a valid integer value");
    }
  }
}

TEST(SysUtilsTest, OrdinalComparisonAndIdentifiers) {
  EXPECT_LT(CompareStr("Zoe", "adam"), 0);  // capitals first
  EXPECT_LT(CompareStr("Ann", "Anna"), 0);  // a prefix first
  EXPECT_GT(CompareStr("\xC3\xA9", "z"), 0);  // bytes compare unsigned
  EXPECT_EQ(CompareStr("same", "same"), 0);
  EXPECT_TRUE(IsValidIdent("_Form1"));
  EXPECT_FALSE(IsValidIdent("1Form"));
  EXPECT_FALSE(IsValidIdent(""));
  EXPECT_FALSE(IsValidIdent("a.b"));
}

// A 5 MB name quoted whole took a message box 20 seconds to show.
TEST(SysUtilsTest, CutForMessageKeepsEightyCharactersAndNeverSplitsOne) {
  const AnsiString Ellipsis = "\xE2\x80\xA6";
  const AnsiString E = "\xC3\xA9";              // é, two bytes
  const AnsiString Clef = "\xF0\x9D\x84\x9E";  // four bytes
  auto Times = [](const AnsiString& S, int N) {
    AnsiString R;
    for (int I = 0; I < N; ++I) R += S;
    return R;
  };
  struct TRow {
    const char* Name;
    AnsiString Input, Expected;
  };
  const TRow Rows[] = {
      {"empty", "", ""},
      {"short", "TButton", "TButton"},
      {"exactly eighty", AnsiString(80, 'x'), AnsiString(80, 'x')},
      {"eighty-one", AnsiString(81, 'x'), AnsiString(80, 'x') + Ellipsis},
      {"five megabytes", AnsiString(5 << 20, 'T'), AnsiString(80, 'T') + Ellipsis},
      {"two-byte characters", Times(E, 100), Times(E, 80) + Ellipsis},
      {"eighty two-byte characters", Times(E, 80), Times(E, 80)},
      {"four-byte characters after ASCII", "ab" + Times(Clef, 90), "ab" + Times(Clef, 78) + Ellipsis},
      {"a stray continuation byte counts with its character", "\x80" + AnsiString(90, 'y'), "\x80" + AnsiString(80, 'y') + Ellipsis},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(CutForMessage(Row.Input), Row.Expected);
  }
  EXPECT_EQ(CutForMessage("abcdef", 3), "abc" + Ellipsis);
  try {
    StrToInt(AnsiString(1 << 20, '9') + "x");
    ADD_FAILURE();
  } catch (const EConvertError& Error) {
    EXPECT_EQ(Error.Message(), "'" + AnsiString(80, '9') + Ellipsis + "' is not a valid integer value");
  }
}
