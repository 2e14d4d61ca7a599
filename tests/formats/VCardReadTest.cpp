// The vCard reader on the shapes that exporters write, a property or two at a time.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "ByteText.h"
#include "VCard.h"

namespace {

using cards::TContactCard;
using Lines = std::vector<std::string>;

std::string Card(const std::string& Version, const std::string& Body) {
  return "BEGIN:VCARD\r\nVERSION:" + Version + "\r\n" + Body + "END:VCARD\r\n";
}

struct TReadCase {
  const char* What;
  std::string Text;
  TContactCard Expected;
};

class VCardRead : public testing::TestWithParam<TReadCase> {};

TEST_P(VCardRead, GivesTheCard) {
  const std::vector<TContactCard> Cards = cards::ReadVCards(GetParam().Text);
  ASSERT_EQ(Cards.size(), 1u);
  EXPECT_EQ(Cards[0].Caption, GetParam().Expected.Caption);
  EXPECT_EQ(Cards[0].Lines, GetParam().Expected.Lines);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, VCardRead,
    testing::Values(
        TReadCase{"folded lines, a space or a tab, inside a UTF-8 sequence",
                  Card("3.0", "FN:Ann Ex\r\n ample\r\nNOTE:Gr\xC3\r\n\t\xBC\xC3\x9F" "e\r\n"),
                  {"Ann Example", {"Note=Grüße"}}},
        TReadCase{"escapes in text and structured values",
                  Card("3.0", "FN:A\\, B\\; C\\\\D\r\nN:O\\;Brien;Ann;;;\r\nTITLE:Boss\\nof all\r\nNOTE:C:\\x\r\n"),
                  {"A, B; C\\D", {"Family name=O;Brien", "Given name=Ann", "Title=Boss, of all", "Note=C:\\x"}}},
        TReadCase{"types with and without TYPE=, in either case, several parameters",
                  Card("3.0", "FN:A\r\nTEL;TYPE=CELL:1\r\nTEL;type=work;type=voice:2\r\nTEL;TYPE=\"home,fax\":3\r\n"
                              "EMAIL;TYPE=INTERNET,pref:a@b\r\nTEL:4\r\n"),
                  {"A", {"Phone (cell)=1", "Phone (work, voice)=2", "Phone (home, fax)=3", "Mail (pref)=a@b", "Phone=4"}}},
        TReadCase{"vCard 2.1 bare types",
                  Card("2.1", "FN:A\r\nTEL;CELL;PREF:1\r\nTEL;WORK;VOICE:2\r\nEMAIL;INTERNET:a@b\r\n"),
                  {"A", {"Phone (cell, pref)=1", "Phone (work, voice)=2", "Mail=a@b"}}},
        TReadCase{"grouped names take their X-ABLabel",
                  Card("3.0", "FN:A\r\nitem1.TEL;type=pref:1\r\nitem1.X-ABLabel:_$!<Mobile>!$_\r\n"
                              "item2.EMAIL:a@b\r\nitem2.X-ABLabel:Club\r\n"),
                  {"A", {"Phone (pref, mobile)=1", "Mail (club)=a@b"}}},
        TReadCase{"quoted-printable with soft breaks and a space after one, UTF-8",
                  Card("2.1", "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCr=\r\ngen=\r\n M=C3=BCller\r\n"
                              "NOTE;ENCODING=QUOTED-PRINTABLE:one=0D=0Atwo\r\n"),
                  {"Jürgen Müller", {"Note=one", "Note=two"}}},
        TReadCase{"CHARSET windows-1252 bytes, quoted or not",
                  Card("2.1", "FN;CHARSET=Windows-1252:J\xFCrgen\r\n"
                              "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-1:;;Stra=DFe 1;M=FCnchen;;;\r\n"),
                  {"Jürgen", {"Street (work)=Straße 1", "City (work)=München"}}},
        TReadCase{"other character sets through the C library",
                  Card("2.1", "FN;CHARSET=KOI8-R:\xE1\xCE\xCE\xC1\r\n"), {"Анна", {}}},
        TReadCase{"bytes that are no UTF-8 without a CHARSET read as Windows-1252",
                  Card("3.0", "FN:Ren\xE9" "e \x80\r\n"), {"Renée €", {}}},
        TReadCase{"a UTF-8 file that says Latin-1 stays UTF-8",
                  Card("2.1", "FN;CHARSET=ISO-8859-1:Zo\xC3\xAB\r\n"), {"Zoë", {}}},
        TReadCase{"addresses, organization, birthday, web",
                  Card("3.0", "FN:A\r\nADR;TYPE=home:PO 9;Flat 2;Main St 1\\nBack;Rome;RM;00100;Italy\r\n"
                              "ORG:Acme;Sales;East\r\nBDAY:1980-05-17\r\nURL:https://x.example\r\n"),
                  {"A",
                   {"PO box (home)=PO 9", "Extended address (home)=Flat 2", "Street (home)=Main St 1, Back",
                    "City (home)=Rome", "Region (home)=RM", "Postal code (home)=00100", "Country (home)=Italy",
                    "Organization=Acme", "Department=Sales", "Department=East", "Birthday=1980-05-17",
                    "Web=https://x.example"}}},
        TReadCase{"vCard 4.0: PREF, VALUE=uri, quoted parameters with colons and carets",
                  Card("4.0", "FN:A\r\nTEL;VALUE=uri;PREF=1;TYPE=\"cell,voice\":tel:+1-555\r\n"
                              "ADR;LABEL=\"Main St: ^'1^'\";TYPE=work:;;Main St;;;;\r\n"),
                  {"A", {"Phone (pref, cell, voice)=+1-555", "Street (work)=Main St"}}},
        TReadCase{"photos and unknown properties are passed over, all forms of them",
                  Card("2.1", "FN:A\r\nPHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n/9j/4AAQSkZJRg\r\nAAQABAAD\r\n\r\n"
                              "TEL:1\r\nPHOTO;ENCODING=b:abcd\r\n efgh\r\nX-UNKNOWN;X=1:what\r\n"
                              "LOGO;VALUE=BINARY:abc\r\nEMAIL:a@b\r\n"),
                  {"A", {"Phone=1", "Mail=a@b"}}},
        TReadCase{"an AGENT's nested card stays out of its owner's",
                  Card("2.1", "FN:A\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:B\r\nTEL:2\r\nEND:VCARD\r\nTEL:1\r\n"),
                  {"A", {"Phone=1"}}},
        TReadCase{"caption from N when FN is missing or empty",
                  Card("3.0", "FN:\r\nN:Müller;Jürgen;Paul;Dr.;Jr.\r\n"),
                  {"Dr. Jürgen Paul Müller Jr.",
                   {"Family name=Müller", "Given name=Jürgen", "Additional names=Paul", "Honorific prefix=Dr.",
                    "Honorific suffix=Jr."}}},
        TReadCase{"caption from the organization, else the mail address",
                  Card("3.0", "ORG:Acme\r\nEMAIL:a@b\r\n"), {"Acme", {"Organization=Acme", "Mail=a@b"}}},
        TReadCase{"LF and CR line ends, a byte-order mark, lower-case names, blank lines",
                  "\xEF\xBB\xBF" "begin:vcard\nversion:3.0\n\nfn:A\rtel:1\nend:vcard\n", {"A", {"Phone=1"}}},
        TReadCase{"our own lines come back as they went",
                  Card("3.0", "FN:A\r\nX-OSTREL-LINE:Met at the fair\\, 2019\r\nX-OSTREL-LINE:Phone (a\\;b)=1\r\n"),
                  {"A", {"Met at the fair, 2019", "Phone (a;b)=1"}}}),
    [](const testing::TestParamInfo<TReadCase>& Info) { return "Case" + std::to_string(Info.index); });

TEST(VCardReadFile, ManyCardsInOrderAndTheEndOfAFileCutShort) {
  const std::string Text = "BEGIN:VCARD\r\nFN:One\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Two\r\nEND:VCARD\r\n"
                           "junk between cards\r\nBEGIN:VCARD\r\nFN:Three\r\nTEL:3";
  const std::vector<TContactCard> Cards = cards::ReadVCards(Text);
  ASSERT_EQ(Cards.size(), 3u);
  EXPECT_EQ(Cards[0].Caption, "One");
  EXPECT_EQ(Cards[1].Caption, "Two");
  EXPECT_EQ(Cards[2], (TContactCard{"Three", {"Phone=3"}}));
}

TEST(VCardReadFile, EmptyInputHasNoCardsAndOtherTextIsAnError) {
  EXPECT_TRUE(cards::ReadVCards("").empty());
  EXPECT_TRUE(cards::ReadVCards("\xEF\xBB\xBF\r\n \n").empty());
  for (const char* NotVCard : {"{\"cards\": []}", "Name,Phone\r\nAnn,1\r\n", "END:VCARD\r\n"}) {
    try {
      cards::ReadVCards(NotVCard);
      ADD_FAILURE() << "no error for " << NotVCard;
    } catch (const cards::EFormatError& E) {
      EXPECT_STREQ(E.what(), "not a vCard file: no BEGIN:VCARD line");
    }
  }
}

}  // namespace

// Hostile input: each test pins a fault that once lost or changed data, or hung.
namespace {

using Clock = std::chrono::steady_clock;

// Gives a text a few bytes at a time, so that every line, property and card end falls
// across the readers' blocks somewhere.
class TTrickleSource final : public cards::TByteSource {
public:
  explicit TTrickleSource(std::string_view Text) : FText(Text) {}
  std::size_t Read(char* Into, std::size_t Size) override {
    const std::size_t Count = std::min({Size, FText.size(), FNext});
    FNext = FNext % 7 + 1;
    std::copy_n(FText.data(), Count, Into);
    FText.remove_prefix(Count);
    return Count;
  }

private:
  std::string_view FText;
  std::size_t FNext = 1;
};

// The same byte without end, as /dev/zero gives zeros.
class TEndlessSource final : public cards::TByteSource {
public:
  explicit TEndlessSource(char Byte, std::string Start = {}) : FByte(Byte), FStart(std::move(Start)) {}
  std::size_t Read(char* Into, std::size_t Size) override {
    FRead += Size;
    if (!FStart.empty()) {
      const std::size_t Count = std::min(Size, FStart.size());
      std::copy_n(FStart.data(), Count, Into);
      FStart.erase(0, Count);
      return Count;
    }
    std::fill_n(Into, Size, FByte);
    return Size;
  }
  std::size_t FRead = 0;

private:
  char FByte;
  std::string FStart;
};

std::string ErrorOf(const std::function<void()>& Read) {
  try {
    Read();
  } catch (const cards::EFormatError& E) {
    return E.what();
  }
  return "no error";
}

std::string Utf16(std::string_view Utf8Ascii, bool BigEndian, bool Mark) {
  std::string Out = Mark ? (BigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (char C : Utf8Ascii) {
    Out += BigEndian ? '\0' : C;
    Out += BigEndian ? C : '\0';
  }
  return Out;
}

TEST(VCardHostile, MissingEndStartsANewCardAndIsReported) {
  const std::string Text = "BEGIN:VCARD\r\nFN:One\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nFN:Two\r\nTEL:2\r\n"  // no END
                           "BEGIN:VCARD\r\nFN:Three\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:Agent\r\nEND:VCARD\r\nTEL:3\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nFN:Four\r\nEND:VCARD\r\n";
  cards::TReadReport Report;
  const std::vector<TContactCard> Cards = cards::ReadVCards(Text, &Report);
  ASSERT_EQ(Cards.size(), 4u);
  EXPECT_EQ(Cards[1], (TContactCard{"Two", {"Phone=2"}}));
  EXPECT_EQ(Cards[2], (TContactCard{"Three", {"Phone=3"}})) << "an AGENT's card still nests";
  EXPECT_EQ(Cards[3].Caption, "Four");
  ASSERT_EQ(Report.Warnings.size(), 1u);
  EXPECT_EQ(Report.Warnings[0], "line 4: this card has no END:VCARD; the BEGIN:VCARD on line 7 starts the next card");
}

TEST(VCardHostile, ZeroByteBecomesReplacementCharacterAndIsReported) {
  cards::TReadReport Report;
  const std::vector<TContactCard> Cards =
      cards::ReadVCards(Card("3.0", std::string("FN:A\0B\r\nNOTE:x\0y\\nz\r\nTEL:1\r\n", 28)), &Report);
  ASSERT_EQ(Cards.size(), 1u);
  EXPECT_EQ(Cards[0], (TContactCard{"A\xEF\xBF\xBD" "B", {"Note=x\xEF\xBF\xBDy", "Note=z", "Phone=1"}}));
  ASSERT_EQ(Report.Warnings.size(), 2u);
  EXPECT_EQ(Report.Warnings[0], "line 3: a zero byte in FN, which a card cannot keep, is shown as U+FFFD");
}

TEST(VCardHostile, OneStrayByteCostsOnlyItself) {
  cards::TReadReport Report;
  const std::vector<TContactCard> Cards = cards::ReadVCards(Card("3.0", "FN:Иван Петров \xFF\r\nNOTE:Zoë \x80\r\n"), &Report);
  ASSERT_EQ(Cards.size(), 1u);
  EXPECT_EQ(Cards[0], (TContactCard{"Иван Петров ÿ", {"Note=Zoë €"}}));
  ASSERT_EQ(Report.Warnings.size(), 1u) << "reported once";
}

TEST(VCardHostile, WriterWritesOnlyUtf8) {
  const TContactCard Card{"Ren\xE9" "e", {"Note=\xFF\xFE", "Mail=\xC3"}};
  const std::string Text = cards::VCardOf(Card);
  EXPECT_TRUE(cards::IsValidUtf8(Text)) << Text;
  EXPECT_EQ(cards::ReadVCards(Text), (std::vector<TContactCard>{{"Renée", {"Note=ÿþ", "Mail=Ã"}}}));
}

TEST(VCardHostile, CaptionsRoundTripExactly) {
  const std::vector<TContactCard> Cards = {
      {"Two\r\nlines", {"Phone=1"}},
      {"Two\nlines", {}},
      {"Lone\rCR, comma; semicolon \\ backslash", {}},
      {"", {"Given name=Ann", "Family name=Doe"}},
      {"", {"Mail=a@b"}},
      {"", {}},
  };
  for (const TContactCard& Card : Cards) {
    const std::string Text = cards::VCardOf(Card);
    EXPECT_EQ(cards::ReadVCards(Text), std::vector<TContactCard>{Card}) << Text;
  }
  EXPECT_EQ(cards::VCardOf({"Plain", {"Phone=1"}}).find("X-OSTREL-CAPTION"), std::string::npos) << "only where needed";
  EXPECT_NE(cards::VCardOf({"Two\r\nlines", {}}).find("\r\nFN:Two\\nlines\r\n"), std::string::npos)
      << "others read one line break";
}

// A 1 MiB label over many lines of its group would be copied into each of them.
TEST(VCardHostile, LongLabelIsKeptOnceAsItsOwnLine) {
  const std::string Label(1 << 20, 'L');
  std::string Body = "FN:A\r\nitem1.X-ABLabel:" + Label + "\r\nitem2.X-ABLabel:Short\r\nitem2.TEL:0\r\n";
  for (int I = 0; I < 2000; ++I) Body += "item1.TEL:" + std::to_string(I) + "\r\n";
  const std::string Text = Card("3.0", Body);
  cards::TReadReport Report;
  const std::vector<TContactCard> Cards = cards::ReadVCards(Text, &Report);
  ASSERT_EQ(Cards.size(), 1u);
  ASSERT_EQ(Cards[0].Lines.size(), 2002u);
  EXPECT_EQ(Cards[0].Lines[0], "Label (item1)=" + Label);
  EXPECT_EQ(Cards[0].Lines[1], "Phone (short)=0");
  EXPECT_EQ(Cards[0].Lines[2], "Phone=0");
  std::size_t Bytes = 0;
  for (const std::string& Line : Cards[0].Lines) Bytes += Line.size();
  EXPECT_LT(Bytes, 2 * Text.size());
  ASSERT_EQ(Report.Warnings.size(), 1u);
  EXPECT_EQ(Report.Warnings[0].rfind("line 4: the label of item1 (1048576 bytes) is kept once", 0), 0u) << Report.Warnings[0];
  // A label that cannot be a type is kept the same way rather than dropped.
  EXPECT_EQ(cards::ReadVCards(Card("3.0", "FN:A\r\nitem1.TEL:1\r\nitem1.X-ABLabel:Work (old)\r\n"))[0].Lines,
            (Lines{"Phone=1", "Label (item1)=Work (old)"}));
  // And it comes back from our own vCard as it went.
  EXPECT_EQ(cards::ReadVCards(cards::VCardOf(Cards[0]))[0], Cards[0]);
}

TEST(VCardHostile, LongTypeListGoesWithTheFirstLineOnly) {
  std::string Types;
  for (int I = 0; I < 100; ++I) Types += (I ? "," : "") + std::string("type") + std::to_string(I);
  cards::TReadReport Report;
  const std::vector<TContactCard> Cards = cards::ReadVCards(Card("3.0", "FN:A\r\nNOTE;TYPE=" + Types + ":a\\nb\\nc\r\n"), &Report);
  ASSERT_EQ(Cards[0].Lines.size(), 3u);
  EXPECT_TRUE(Cards[0].Lines[0].starts_with("Note (type0, type1, ")) << Cards[0].Lines[0];
  EXPECT_EQ(Cards[0].Lines[1], "Note=b");
  EXPECT_EQ(Cards[0].Lines[2], "Note=c");
  EXPECT_EQ(Report.Warnings.size(), 1u);
  EXPECT_EQ(cards::ReadVCards(cards::VCardOf(Cards[0]))[0], Cards[0]);
}

TEST(VCardHostile, ManyTypesOfOnePropertyReadInLinearTime) {
  std::string Head = "TEL";
  for (int I = 0; I < 100000; ++I) Head += ";TYPE=t" + std::to_string(I);
  const Clock::time_point Start = Clock::now();
  const std::vector<TContactCard> Cards = cards::ReadVCards(Card("3.0", "FN:A\r\n" + Head + ":1\r\n"));
  EXPECT_LT(Clock::now() - Start, std::chrono::seconds(3)) << "100,000 types took 20 s when each was searched for";
  ASSERT_EQ(Cards[0].Lines.size(), 1u);
  EXPECT_TRUE(Cards[0].Lines[0].ends_with(", t99999)=1"));
}

TEST(VCardHostile, ReadsACardAtATimeFromAnySource) {
  std::string Text;
  for (int I = 0; I < 300; ++I)
    Text += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Card " + std::to_string(I) +
            "\r\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\nb=0D=0Ac\r\nTEL:\r\n " + std::to_string(I) + "\r\nEND:VCARD\r\n";
  const std::vector<TContactCard> Whole = cards::ReadVCards(Text);
  ASSERT_EQ(Whole.size(), 300u);
  EXPECT_EQ(Whole[299], (TContactCard{"Card 299", {"Note=ab", "Note=c", "Phone=299"}}));
  std::vector<TContactCard> Trickled;
  TTrickleSource Source(Text);
  cards::TReadReport Report;
  cards::ReadVCards(Source, [&](TContactCard& Card) { Trickled.push_back(std::move(Card)); }, Report);
  EXPECT_EQ(Trickled, Whole);
  EXPECT_TRUE(Report.Empty());
}

TEST(VCardHostile, EndlessInputStopsWithAClearError) {
  TEndlessSource Zeros('\0');
  EXPECT_EQ(ErrorOf([&] { cards::ReadVCards(Zeros, [](TContactCard&) {}, *std::make_unique<cards::TReadReport>()); }),
            "not a vCard file: no BEGIN:VCARD line in its first 64 KiB");
  EXPECT_LT(Zeros.FRead, 1u << 20) << "decided early";
  TEndlessSource Lines('\n');
  EXPECT_EQ(ErrorOf([&] { cards::ReadVCards(Lines, [](TContactCard&) {}, *std::make_unique<cards::TReadReport>()); }),
            "not a vCard file: no BEGIN:VCARD line in its first 64 KiB");
  int Cards = 0;
  TEndlessSource Endless('x', "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nNOTE:");
  EXPECT_EQ(ErrorOf([&] { cards::ReadVCards(Endless, [&](TContactCard&) { ++Cards; }, *std::make_unique<cards::TReadReport>()); }),
            "line 5: a line of more than 64 MiB; no address book has one");
  EXPECT_EQ(Cards, 1) << "the card before came";
}

TEST(VCardHostile, Utf16WithOrWithoutMarkIsConverted) {
  const std::string Text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nTEL:1\r\nEND:VCARD\r\n";
  const std::vector<TContactCard> Want{{"Ann", {"Phone=1"}}};
  for (const bool BigEndian : {false, true})
    for (const bool Mark : {true, false}) EXPECT_EQ(cards::ReadVCards(Utf16(Text, BigEndian, Mark)), Want) << BigEndian << Mark;
  // Beyond ASCII, a surrogate pair, and a lone surrogate that is no character.
  const std::string Beyond = std::string("\xFF\xFE") + Utf16("BEGIN:VCARD\r\nFN:", false, false) +
                             std::string("\xFC\x00\x3D\xD8\x00\xDE\x00\xD8", 8) + Utf16("\r\nEND:VCARD\r\n", false, false);
  cards::TReadReport Report;
  EXPECT_EQ(cards::ReadVCards(Beyond, &Report), (std::vector<TContactCard>{{"ü😀\xEF\xBF\xBD", {}}}));
  EXPECT_EQ(Report.Warnings, (std::vector<std::string>{"1 UTF-16LE units that are no character read as U+FFFD"}));
  EXPECT_EQ(ErrorOf([] { cards::ReadVCards(std::string("\xFF\xFE\0\0B\0\0\0", 8)); }),
            "the file is UTF-32 text, which is not read: save it as UTF-8 or UTF-16");
}

TEST(VCardHostile, TextOutsideCardsIsReported) {
  cards::TReadReport Report;
  EXPECT_EQ(cards::ReadVCards("NOTE:stray\r\nBEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\n", &Report).size(), 1u);
  EXPECT_EQ(Report.Warnings, (std::vector<std::string>{"line 1: text outside a card (BEGIN:VCARD to END:VCARD) is passed over"}));
}

TEST(ReadReport, KeepsTheFirstWarningsAndCountsTheRest) {
  std::string Body = "FN:A\r\n";
  for (int I = 0; I < 150; ++I) Body += std::string("NOTE:\0\r\n", 8);
  cards::TReadReport Report;
  cards::ReadVCards(Card("3.0", Body), &Report);
  EXPECT_EQ(Report.Warnings.size(), cards::TReadReport::MaxWarnings);
  EXPECT_EQ(Report.Unlisted, 50u);
  EXPECT_EQ(Report.Lines().back(), "and 50 more warnings");
}

}  // namespace
