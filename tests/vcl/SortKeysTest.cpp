// Collation keys agree with AnsiCompareText: on random texts in several languages, the
// order of the keys as bytes is the order of the comparison. Each test sets the locale
// and puts the program's back.

#include <gtest/gtest.h>

#include <QLocale>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "SysUtils.h"

using namespace vcl;

namespace {

class SortKeys : public testing::Test {
protected:
  void TearDown() override { QLocale::setDefault(Saved); }
  static void Use(const char* Name) { QLocale::setDefault(QLocale(QString::fromLatin1(Name))); }

private:
  const QLocale Saved;
};

int Sign(int Value) { return (Value > 0) - (Value < 0); }

AnsiString KeyOf(TAnsiTextKeys& Keys, const std::string& Text) {
  AnsiString Key;
  Keys.AppendKey(Text, Key);
  return Key;
}

// Pairs of texts of a few pieces each, drawn from pieces that the language treats
// specially, the same letters in both cases, marks that combine, and bytes that are no
// UTF-8. The second text of a pair is the first with one piece changed, so that most pairs
// differ only in a letter's case, mark or kind, where a key is most easily wrong.
std::vector<std::pair<std::string, std::string>> RandomPairs(std::mt19937& Random, const std::vector<std::string>& Pieces,
                                                             int Count) {
  std::uniform_int_distribution<std::size_t> Length(1, 6), Piece(0, Pieces.size() - 1);
  std::vector<std::pair<std::string, std::string>> Pairs;
  for (int I = 0; I < Count; ++I) {
    std::vector<std::string> Text(Length(Random));
    for (std::string& Part : Text) Part = Pieces[Piece(Random)];
    std::vector<std::string> Changed = Text;
    const std::size_t At = std::uniform_int_distribution<std::size_t>(0, Text.size() - 1)(Random);
    switch (I % 3) {
      case 0: Changed[At] = Pieces[Piece(Random)]; break;
      case 1: Changed.insert(Changed.begin() + static_cast<std::ptrdiff_t>(At), Pieces[Piece(Random)]); break;
      default: Changed.erase(Changed.begin() + static_cast<std::ptrdiff_t>(At)); break;
    }
    auto Joined = [](const std::vector<std::string>& Parts) {
      std::string Result;
      for (const std::string& Part : Parts) Result += Part;
      return Result;
    };
    Pairs.emplace_back(Joined(Text), Joined(Changed));
  }
  return Pairs;
}

struct TLanguage {
  const char* Locale;
  std::vector<std::string> Pieces;
};

const std::vector<std::string> Common{"a", "A", "e", "E", "o", "z", "Z", " ", "-", "'", "1", "9",
                                      "\xCC\x81" /* combining acute */, "\xC3", "\xFF", std::string(1, '\0')};

std::vector<std::string> With(std::vector<std::string> Pieces) {
  Pieces.insert(Pieces.end(), Common.begin(), Common.end());
  return Pieces;
}

const TLanguage Languages[] = {
    {"de_DE", With({"\xC3\xA4", "\xC3\x84", "\xC3\xB6", "\xC3\x96", "\xC3\xBC", "\xC3\x9F", "ss", "u", "U", "\xC3\xA9"})},
    {"sv_SE", With({"\xC3\xA5", "\xC3\x85", "\xC3\xA4", "\xC3\x84", "\xC3\xB6", "\xC3\x96", "w", "v", "aa"})},
    {"tr_TR", With({"\xC4\xB0", "i", "I", "\xC4\xB1", "\xC5\x9F", "\xC5\x9E", "\xC3\xA7", "c", "\xC4\x9F", "g"})},
    {"ja_JP", With({"\xE3\x81\x82", "\xE3\x82\xA2", "\xEF\xBD\xB1", "\xE3\x81\x8B", "\xE3\x81\x8C", "\xE3\x82\xAB",
                    "\xE6\x97\xA5", "\xE6\x9C\xAC", "\xE3\x83\xBC", "\xEF\xBC\xA1"})},
    // No collation: UTF-16 code units, case folded, and a character beyond 16 bits.
    {"C", With({"\xC3\xA4", "\xC3\x84", "\xC3\x9F", "\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", "\xEF\xBC\xA1", "\xE2\x84\xAA"})},
};

TEST_F(SortKeys, KeysOrderAsTheComparisonOnRandomTexts) {
  std::mt19937 Random(20261208);
  for (const TLanguage& Language : Languages) {
    Use(Language.Locale);
    TAnsiTextKeys Keys;
    int Mismatches = 0, Ties = 0;
    for (const auto& [A, B] : RandomPairs(Random, Language.Pieces, 4000)) {
      const AnsiString KeyA = KeyOf(Keys, A), KeyB = KeyOf(Keys, B);
      const int Expected = AnsiCompareText(A, B);
      Ties += Expected == 0 && A != B;
      if (Sign(CompareStr(KeyA, KeyB)) != Expected && ++Mismatches <= 5)
        ADD_FAILURE() << Language.Locale << ": \"" << A << "\" vs \"" << B << "\": compare " << Expected;
      // What follows a key orders only texts of equal keys.
      if (Expected != 0) {
        EXPECT_EQ(Sign(CompareStr(KeyA + "\xFF", KeyB + std::string(1, '\0'))), Expected);
      }
    }
    EXPECT_EQ(Mismatches, 0) << Language.Locale;
    EXPECT_GT(Ties, 10) << Language.Locale << ": texts that differ only in case must have met";
  }
}

TEST_F(SortKeys, NamesInTheOrderOfEachLanguageAndCaseAside) {
  const struct {
    const char* Locale;
    std::vector<std::string> Ordered;
  } Rows[] = {
      {"de_DE", {"Aaron", "\xC3\x85" "berg", "Bo", "M\xC3\xBCller", "Mutter", "Zetterlund"}},
      {"sv_SE", {"Aaron", "Bo", "Zetterlund", "\xC3\x85" "berg", "\xC3\x96" "berg"}},
      {"tr_TR", {"cep", "\xC3\xA7" "ay", "\xC4\xB1l\xC4\xB1k", "ilik"}},
  };
  for (const auto& Row : Rows) {
    Use(Row.Locale);
    TAnsiTextKeys Keys;
    for (std::size_t I = 0; I + 1 < Row.Ordered.size(); ++I)
      EXPECT_LT(KeyOf(Keys, Row.Ordered[I]), KeyOf(Keys, Row.Ordered[I + 1])) << Row.Locale << " " << Row.Ordered[I];
  }
  Use("tr_TR");
  TAnsiTextKeys Turkish;
  EXPECT_EQ(KeyOf(Turkish, "\xC4\xB0STANBUL"), KeyOf(Turkish, "istanbul"));
  EXPECT_NE(KeyOf(Turkish, "ISIK"), KeyOf(Turkish, "isik"));
}

// A sort must not change its order half way: a maker keeps the locale it was made in.
TEST_F(SortKeys, AMakerKeepsTheLocaleItWasMadeIn) {
  Use("de_DE");
  TAnsiTextKeys German;
  Use("sv_SE");
  TAnsiTextKeys Swedish;
  const std::string Aberg = "\xC3\x85" "berg";
  EXPECT_LT(KeyOf(German, Aberg), KeyOf(German, "Zetterlund"));
  EXPECT_GT(KeyOf(Swedish, Aberg), KeyOf(Swedish, "Zetterlund"));
}

}  // namespace
