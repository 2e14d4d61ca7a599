// AnsiCompareStr and AnsiCompareText sort as the people of a language expect, whatever the
// bytes say; each test sets the locale and puts the program's back.

#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>

#include "SysUtils.h"

using namespace vcl;

namespace {

class LocaleCompare : public testing::Test {
protected:
  void TearDown() override { QLocale::setDefault(Saved); }
  static void Use(const char* Name) { QLocale::setDefault(QLocale(QString::fromLatin1(Name))); }
  static std::vector<std::string> Sorted(std::vector<std::string> Names) {
    std::reverse(Names.begin(), Names.end());
    std::sort(Names.begin(), Names.end(), [](const auto& A, const auto& B) { return AnsiCompareStr(A, B) < 0; });
    return Names;
  }

private:
  const QLocale Saved;
};

struct TOrder {
  const char* Locale;
  std::vector<std::string> Expected;
};

TEST_F(LocaleCompare, NamesInTheOrderOfEachLanguage) {
  const TOrder Orders[] = {
      // German: umlauts beside their vowels, after the plain letter.
      {"de_DE", {"Apfel", "Äpfel", "Müller", "Mutter", "Zebra"}},
      {"de_DE", {"Åberg", "Andersson", "Ärlig", "Öberg", "Zetterlund"}},
      // Swedish: Å, Ä and Ö are letters of their own after Z.
      {"sv_SE", {"Andersson", "Zetterlund", "Åberg", "Ärlig", "Öberg"}},
      // Turkish: ç after c, dotless ı before i, ş after s.
      {"tr_TR", {"cep", "çay", "dere", "ılık", "ilik", "su", "şu"}},
      // Elsewhere ç is a c with a mark, and ı a letter after i.
      {"en_US", {"çay", "cep", "dere", "ilik", "ılık", "su", "şu"}},
  };
  for (const TOrder& Order : Orders) {
    Use(Order.Locale);
    EXPECT_EQ(Sorted(Order.Expected), Order.Expected) << Order.Locale;
  }
}

TEST_F(LocaleCompare, BytesWouldGetThemWrong) {
  Use("de_DE");
  EXPECT_LT(AnsiCompareStr("Müller", "Mutter"), 0);
  EXPECT_GT(CompareStr("Müller", "Mutter"), 0);
  EXPECT_LT(AnsiCompareStr("Çelik", "O'Brien"), 0);
  EXPECT_GT(CompareStr("Çelik", "O'Brien"), 0);
}

TEST_F(LocaleCompare, CaseIsIgnoredByTheRulesOfTheLanguage) {
  struct TCase {
    const char* Locale;
    const char* A;
    const char* B;
    bool Equal;
  };
  const TCase Cases[] = {
      {"de_DE", "MÜLLER", "müller", true},
      {"sv_SE", "ÅBERG", "åberg", true},
      {"tr_TR", "İSTANBUL", "istanbul", true},
      {"tr_TR", "IŞIK", "ışık", true},
      {"tr_TR", "ISIK", "isik", false},  // I is the capital of ı, not of i
      {"en_US", "IŞIK", "ışık", false},
      {"de_DE", "Muller", "Müller", false},
  };
  for (const TCase& Case : Cases) {
    Use(Case.Locale);
    EXPECT_EQ(AnsiCompareText(Case.A, Case.B) == 0, Case.Equal) << Case.Locale << " " << Case.A << " " << Case.B;
    EXPECT_NE(AnsiCompareStr(Case.A, Case.B), 0) << "the case still orders them";
  }
}

TEST_F(LocaleCompare, OnlyEqualTextsAreEqualAndTheOrderIsConsistent) {
  Use("de_DE");
  const std::string Composed = "Caf\xC3\xA9";     // é as one character
  const std::string Decomposed = "Cafe\xCC\x81";  // e and a combining acute
  EXPECT_EQ(AnsiCompareText(Composed, Decomposed), 0) << "the same word";
  EXPECT_NE(AnsiCompareStr(Composed, Decomposed), 0) << "ties go by bytes";
  EXPECT_EQ(AnsiCompareStr(Composed, Decomposed), -AnsiCompareStr(Decomposed, Composed));
  EXPECT_EQ(AnsiCompareStr("Ann", "Ann"), 0);
  EXPECT_LT(AnsiCompareStr("a", "A"), 0) << "small before capital";
  EXPECT_LT(AnsiCompareStr("", "a"), 0);
  EXPECT_GT(AnsiCompareText("\xFF\xFE", "a"), 0) << "bytes that are no UTF-8 still compare";
  EXPECT_EQ(AnsiCompareText("ab\xC3", "ab\xEF\xBF\xBD"), 0) << "a cut character reads as the replacement character";
  EXPECT_LT(AnsiCompareText("ab\xC3", "ab\xEF\xBF\xBDz"), 0);
}

}  // namespace
