// A vCard file of 300 contacts in the shapes of five common exporters (data/, written by
// make-address-book.py): every contact arrives whole, and vCard and CSV exports read back
// to the same cards.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "ByteText.h"
#include "Csv.h"
#include "Ostrel.h"
#include "VCard.h"

namespace {

using cards::TContactCard;

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

class AddressBook : public testing::Test {
protected:
  void SetUp() override {
    const std::string Text = ReadFile(std::string(OSTREL_SOURCE_DIR) + "/tests/formats/data/address-book.vcf");
    ASSERT_FALSE(Text.empty());
    Cards = cards::ReadVCards(Text);
  }

  static std::size_t CountLines(const TContactCard& Card, const std::string& Prefix) {
    return static_cast<std::size_t>(std::count_if(Card.Lines.begin(), Card.Lines.end(),
                                                  [&](const std::string& Line) { return Line.starts_with(Prefix); }));
  }

  std::vector<TContactCard> Cards;
};

TEST_F(AddressBook, EveryContactArrivesWholeWithoutPhotos) {
  ASSERT_EQ(Cards.size(), 300u);
  for (const TContactCard& Card : Cards) {
    EXPECT_FALSE(Card.Caption.empty());
    EXPECT_TRUE(cards::IsValidUtf8(Card.Caption)) << Card.Caption;
    EXPECT_GE(CountLines(Card, "Phone"), 2u) << Card.Caption;
    EXPECT_EQ(CountLines(Card, "Mail"), 1u) << Card.Caption;
    EXPECT_EQ(CountLines(Card, "Family name="), 1u) << Card.Caption;
    for (const std::string& Line : Card.Lines) {
      EXPECT_TRUE(cards::IsValidUtf8(Line)) << Line;
      EXPECT_EQ(Line.find("ufD2kdV05"), std::string::npos) << "photo data in " << Card.Caption;
    }
  }
}

TEST_F(AddressBook, EachExporterShapeGivesItsFields) {
  // The file cycles through the five shapes.
  const TContactCard& Apple = Cards[0];
  EXPECT_EQ(CountLines(Apple, "Phone (pref, mobile)="), 1u);
  EXPECT_EQ(CountLines(Apple, "Phone (home, voice)="), 1u);
  EXPECT_EQ(CountLines(Apple, "Mail (pref, home)=contact0@example.org"), 1u);
  EXPECT_EQ(CountLines(Apple, "Street (home, pref)=Street 0, Building B"), 1u);
  EXPECT_EQ(CountLines(Apple, "Note=First line of a note that is long enough to be folded by the exporter"), 1u);
  EXPECT_EQ(CountLines(Apple, "Note=second line"), 1u);
  EXPECT_EQ(CountLines(Apple, "Birthday=1980-05-17"), 1u);
  EXPECT_EQ(CountLines(Apple, "Organization=Example Trading 0"), 1u);

  const TContactCard& Google = Cards[1];
  EXPECT_EQ(CountLines(Google, "Phone (cell)="), 1u);
  EXPECT_EQ(CountLines(Google, "Mail (home)=user.1@mail.example.com"), 1u);
  EXPECT_EQ(CountLines(Google, "Title=Engineer, senior"), 1u);
  EXPECT_EQ(CountLines(Google, "Country (work)=Italia"), 1u);

  const TContactCard& Phone = Cards[2];
  EXPECT_EQ(Phone.Caption, "Björn Schäfer");
  EXPECT_EQ(CountLines(Phone, "Phone (work, pref)="), 1u);
  EXPECT_EQ(CountLines(Phone, "Note=Звонить после обеда, контакт номер 2 с длинной заметкой"), 1u);

  const TContactCard& Suite = Cards[3];
  EXPECT_EQ(CountLines(Suite, "Street (work)=Hauptstraße 3"), 1u);
  EXPECT_EQ(CountLines(Suite, "City (work)=München"), 1u);
  EXPECT_EQ(CountLines(Suite, "Phone (work, fax)="), 1u);
  EXPECT_EQ(CountLines(Suite, "Mail (pref)=office3@example.de"), 1u);
  EXPECT_TRUE(Suite.Caption.find("\xC3") != std::string::npos) << "Windows-1252 letters as UTF-8: " << Suite.Caption;

  const TContactCard& Modern = Cards[4];
  EXPECT_EQ(CountLines(Modern, "Phone (cell, voice, pref)=+"), 1u);
  EXPECT_EQ(CountLines(Modern, "City (home)=Αθήνα"), 1u);
  EXPECT_EQ(CountLines(Modern, "Note=Has two children, both grown"), 1u);
}

TEST_F(AddressBook, VCardExportReadsBackToTheSameCards) {
  std::string Exported;
  for (const TContactCard& Card : Cards) Exported += cards::VCardOf(Card);
  std::istringstream Lines(Exported);
  for (std::string Line; std::getline(Lines, Line);) {
    ASSERT_LE(Line.size(), 76u) << "unfolded: " << Line;  // 75 bytes and the CR
    ASSERT_TRUE(Line.ends_with("\r")) << Line;
  }
  const std::vector<TContactCard> Again = cards::ReadVCards(Exported);
  EXPECT_EQ(Again, Cards);
  std::string ExportedAgain;
  for (const TContactCard& Card : Again) ExportedAgain += cards::VCardOf(Card);
  EXPECT_EQ(ExportedAgain, Exported);
}

TEST_F(AddressBook, CsvExportReadsBackToTheSameCards) {
  const std::string Exported = cards::CsvOf(Cards);
  EXPECT_EQ(cards::ReadCsv(Exported), Cards);
  EXPECT_EQ(cards::CsvOf(cards::ReadCsv(Exported)), Exported);
}

// Cards of any shape survive the vCard writer: what no property holds travels as our own.
TEST(VCardWrite, AnyCardComesBackAsItWent) {
  const std::vector<TContactCard> Cards = {
      {"Plain", {"Phone=1", "Met at the fair", "=no name", "Colour=blue", "Phone (Cell)=2", "Phone ()=3"}},
      {"Runs", {"Street=A", "City=B", "Street=C", "City (work)=D", "Note=x", "Note=", "Note=y", "Mail=m"}},
      {"Parts", {"Given name=Ann", "Family name=Doe", "Department=Sales", "Organization=", "Organization=Acme",
                 "Department=East"}},
      {"Odd; text, \\n", {"Note=a\\nb; c, d", "Phone=tel:5", "Title=  spaced  ", "Web=http://x/?a=b"}},
      {"", {}},
      {std::string(200, 'x') + "ünïcödé", {"Note=" + std::string(300, 'y') + "€"}},
  };
  for (const TContactCard& Card : Cards) {
    const std::vector<TContactCard> Again = cards::ReadVCards(cards::VCardOf(Card));
    ASSERT_EQ(Again.size(), 1u);
    EXPECT_EQ(Again[0], Card) << cards::VCardOf(Card);
  }
}

// A byte that is not UTF-8 in a type is read as the values' stray bytes are, so the label
// it becomes is text that the writer and reader carry unchanged.
TEST(VCardWrite, StrayBytesInTypesReadBackTheSame) {
  const std::vector<TContactCard> Cards =
      cards::ReadVCards("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:A\r\nTEL;TYPE=home;V\xC1LUE:1\r\nEND:VCARD\r\n");
  ASSERT_EQ(Cards.size(), 1u);
  ASSERT_EQ(Cards[0].Lines.size(), 1u);
  EXPECT_EQ(Cards[0].Lines[0], "Phone (home, v\xC3\x81lue)=1");
  EXPECT_EQ(cards::ReadVCards(cards::VCardOf(Cards[0])), Cards);
}

TEST(VCardWrite, WritesPropertiesOthersRead) {
  const std::string Text = cards::VCardOf(
      {"Ann Doe", {"Family name=Doe", "Given name=Ann", "Phone (cell)=+1 555", "Mail (work)=a@b", "Note=one, two",
                   "Street (home)=Main St 1", "City (home)=Rome", "Organization=Acme", "Department=Sales"}});
  EXPECT_EQ(Text,
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Doe\r\nN:Doe;Ann;;;\r\nTEL;TYPE=cell:+1 555\r\n"
            "EMAIL;TYPE=work:a@b\r\nNOTE:one\\, two\r\nADR;TYPE=home:;;Main St 1;Rome;;;\r\nORG:Acme;Sales\r\n"
            "END:VCARD\r\n");
  EXPECT_NE(cards::VCardOf({"Solo", {}}).find("\r\nN:;;;;\r\n"), std::string::npos) << "3.0 wants an N";
}

TEST(ContactBridge, CardsGoInAndOutOfACardList) {
  const auto View = std::make_unique<ostrel::TOstrel>(nullptr);
  const std::vector<TContactCard> Contacts = {{"Ann", {"Phone=1", "Mail=a@b"}}, {"Bob", {}}};
  for (const TContactCard& Contact : Contacts) cards::AddContact(*View->GetItems(), Contact);
  ASSERT_EQ(View->GetItems()->GetCount(), 2);
  EXPECT_EQ(cards::ContactOf(*View->GetItems()->GetItemFromIndex(0)), Contacts[0]);
  EXPECT_EQ(cards::ContactOf(*View->GetItems()->GetItemFromIndex(1)), Contacts[1]);
  EXPECT_EQ(cards::FormatOfFileName("a/b.VCF"), cards::TContactFormat::VCard);
  EXPECT_EQ(cards::FormatOfFileName("b.vcard"), cards::TContactFormat::VCard);
  EXPECT_EQ(cards::FormatOfFileName("b.csv"), cards::TContactFormat::Csv);
  EXPECT_EQ(cards::FormatOfFileName("b.cards"), cards::TContactFormat::Cards);
  EXPECT_EQ(cards::FormatOfFileName("csv"), cards::TContactFormat::Cards);
}

}  // namespace
