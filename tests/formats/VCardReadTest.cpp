// The vCard reader on the shapes that exporters write, a property or two at a time.

#include <gtest/gtest.h>

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
