#include "ContactGenerator.h"

#include <span>
#include <string>

namespace cards {

std::uint64_t TSplitMix64::Next() {
  std::uint64_t Z = (FState += 0x9E3779B97F4A7C15ull);
  Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
  Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
  return Z ^ (Z >> 31);
}

namespace {

// A name as written and as it goes into a mail address.
struct TName {
  const char* Native;
  const char* Ascii;
};

struct TScript {
  std::span<const TName> Given;
  std::span<const TName> Family;
  enum { FamilyCommaGiven, FamilyGivenJoined, GivenFamily } Order;
  std::span<const char* const> Cities;
  const char* CountryCode;
};

constexpr TName LatinGiven[] = {
    {"José", "jose"},     {"Zoë", "zoe"},         {"François", "francois"}, {"Łukasz", "lukasz"},
    {"Søren", "soren"},   {"Márta", "marta"},     {"Renée", "renee"},       {"Jürgen", "juergen"},
    {"Inês", "ines"},     {"Björn", "bjorn"},     {"Chloé", "chloe"},       {"İlkay", "ilkay"},
    {"Ana", "ana"},       {"Thomas", "thomas"},   {"Agnieszka", "agnieszka"}, {"Ðorđe", "djordje"},
};
constexpr TName LatinFamily[] = {
    {"Müller", "mueller"},   {"García", "garcia"},     {"Nowak", "nowak"},     {"Dvořák", "dvorak"},
    {"Kovačević", "kovacevic"}, {"Lefèvre", "lefevre"}, {"Åberg", "aberg"},     {"Szabó", "szabo"},
    {"Çelik", "celik"},      {"O'Brien", "obrien"},    {"Rossi", "rossi"},     {"Ibáñez", "ibanez"},
    {"Žukauskas", "zukauskas"}, {"Nguyễn", "nguyen"},  {"Schäfer", "schaefer"}, {"Þórsdóttir", "thorsdottir"},
};
constexpr const char* LatinCities[] = {"Rome",  "München", "São Paulo", "Kraków", "Reykjavík",
                                       "Zürich", "Łódź",   "Montréal",  "Sevilla", "Brno"};

constexpr TName CyrillicGiven[] = {{"Анна", "anna"},       {"Дмитрий", "dmitry"}, {"Ольга", "olga"},
                                   {"Сергей", "sergey"},   {"Наталья", "natalya"}, {"Иван", "ivan"},
                                   {"Юлия", "yulia"},      {"Богдан", "bogdan"}};
constexpr TName CyrillicFamily[] = {{"Иванова", "ivanova"},  {"Петров", "petrov"}, {"Смирнова", "smirnova"},
                                    {"Кузнецов", "kuznetsov"}, {"Соколова", "sokolova"}, {"Шевченко", "shevchenko"}};
constexpr const char* CyrillicCities[] = {"Москва", "Санкт-Петербург", "Киев", "Новосибирск", "София"};

constexpr TName GreekGiven[] = {{"Γιώργος", "giorgos"}, {"Ελένη", "eleni"}, {"Νίκος", "nikos"},
                                {"Μαρία", "maria"},     {"Δημήτρης", "dimitris"}, {"Αθηνά", "athina"}};
constexpr TName GreekFamily[] = {{"Παπαδόπουλος", "papadopoulos"}, {"Οικονόμου", "oikonomou"},
                                 {"Γεωργίου", "georgiou"},         {"Νικολάου", "nikolaou"}};
constexpr const char* GreekCities[] = {"Αθήνα", "Θεσσαλονίκη", "Πάτρα", "Ηράκλειο"};

constexpr TName CjkGiven[] = {{"伟", "wei"},   {"娜", "na"},       {"敏", "min"},   {"花子", "hanako"},
                              {"一郎", "ichiro"}, {"民俊", "minjun"}, {"静", "jing"}, {"陽菜", "hina"}};
constexpr TName CjkFamily[] = {{"王", "wang"},  {"李", "li"},   {"张", "zhang"},   {"佐藤", "sato"},
                               {"鈴木", "suzuki"}, {"金", "kim"}, {"陈", "chen"}, {"高橋", "takahashi"}};
constexpr const char* CjkCities[] = {"東京", "北京", "上海", "大阪", "서울", "台北"};

constexpr TName ArabicGiven[] = {{"محمد", "mohammed"}, {"فاطمة", "fatima"}, {"أحمد", "ahmed"},
                                 {"ليلى", "layla"},     {"يوسف", "youssef"}, {"مريم", "maryam"}};
constexpr TName ArabicFamily[] = {{"العلي", "alali"}, {"حداد", "haddad"}, {"منصور", "mansour"}, {"الخوري", "khoury"}};
constexpr const char* ArabicCities[] = {"القاهرة", "دبي", "عمّان", "بيروت", "الرباط"};

constexpr TScript Scripts[] = {
    {LatinGiven, LatinFamily, TScript::FamilyCommaGiven, LatinCities, "+39"},
    {CyrillicGiven, CyrillicFamily, TScript::FamilyCommaGiven, CyrillicCities, "+7"},
    {GreekGiven, GreekFamily, TScript::FamilyCommaGiven, GreekCities, "+30"},
    {CjkGiven, CjkFamily, TScript::FamilyGivenJoined, CjkCities, "+81"},
    {ArabicGiven, ArabicFamily, TScript::GivenFamily, ArabicCities, "+20"},
};
// Latin names are the most common in the files people keep; the others follow.
constexpr int ScriptWeights[] = {5, 2, 1, 2, 1};

constexpr const char* Domains[] = {"example.org", "mail.example.com", "post.example.net", "example.co.jp"};
constexpr const char* Notes[] = {"Met at the spring conference", "Prefers e-mail to calls", "Birthday in May",
                                 "Call after 18:00",           "Звонить после обеда",     "誕生日は5月",
                                 "Ask about the project",      "يفضل الاتصال صباحا",      "Vegetarian",
                                 "Έχει δύο παιδιά"};
constexpr const char* Hints[] = {"VIP customer", "Owes us a call back", "Moved last year", "Introduced by Anna",
                                 "Не звонить в выходные"};

template <class T>
const T& Pick(TSplitMix64& Random, std::span<const T> Choices) {
  return Choices[Random.Below(static_cast<std::uint32_t>(Choices.size()))];
}

const TScript& PickScript(TSplitMix64& Random) {
  int Total = 0;
  for (int W : ScriptWeights) Total += W;
  int Roll = static_cast<int>(Random.Below(static_cast<std::uint32_t>(Total)));
  for (std::size_t I = 0; I < std::size(Scripts); ++I) {
    if (Roll < ScriptWeights[I]) return Scripts[I];
    Roll -= ScriptWeights[I];
  }
  return Scripts[0];
}

std::string Digits(TSplitMix64& Random, int Count) {
  std::string S;
  for (int I = 0; I < Count; ++I) S += static_cast<char>('0' + Random.Below(10));
  return S;
}

// One draw per statement: the operands of + are evaluated in no fixed order.
std::string PhoneNumber(TSplitMix64& Random, const TScript& Script) {
  std::string Phone = Script.CountryCode;
  const int AreaLength = 2 + static_cast<int>(Random.Below(2));
  Phone += " " + Digits(Random, AreaLength);
  Phone += " " + Digits(Random, 3);
  Phone += " " + Digits(Random, 4);
  return Phone;
}

void AddContact(ostrel::TOstrelItems& Items, TSplitMix64& Random) {
  const TScript& Script = PickScript(Random);
  const TName& Given = Pick(Random, Script.Given);
  const TName& Family = Pick(Random, Script.Family);
  std::string Text;
  switch (Script.Order) {
    case TScript::FamilyCommaGiven: Text = std::string(Family.Native) + ", " + Given.Native; break;
    case TScript::FamilyGivenJoined: Text = std::string(Family.Native) + Given.Native; break;
    case TScript::GivenFamily: Text = std::string(Given.Native) + " " + Family.Native; break;
  }
  ostrel::TOstrelItem* Item = Items.Add(Text);
  Item->SetData(reinterpret_cast<void*>(static_cast<std::uintptr_t>(Random.Below(1000000))));
  vcl::TStrings* SubItems = Item->GetSubItems();
  const int Lines = static_cast<int>(Random.Below(7));
  for (int I = 0; I < Lines; ++I) {
    switch (Random.Below(5)) {
      case 0:
      case 1: SubItems->Add("Phone=" + PhoneNumber(Random, Script)); break;
      case 2: {
        std::string Mail = std::string(Given.Ascii) + "." + Family.Ascii;
        if (Random.Below(2) == 0) Mail += Digits(Random, 2);
        SubItems->Add("Mail=" + Mail + "@" + Pick(Random, std::span<const char* const>(Domains)));
        break;
      }
      case 3: SubItems->Add(std::string("City=") + Pick(Random, Script.Cities)); break;
      default: SubItems->Add(Pick(Random, std::span<const char* const>(Notes))); break;
    }
  }
  if (Random.Below(10) < 3) Item->SetHint(Pick(Random, std::span<const char* const>(Hints)));
  if (Random.Below(10) == 0) Item->SetShowHint(false);
}

}  // namespace

void GenerateContacts(ostrel::TOstrelItems& Items, int Count, std::uint64_t Seed) {
  TSplitMix64 Random(Seed);
  const vcl::TUpdateGuard Batch(Items);
  for (int I = 0; I < Count; ++I) AddContact(Items, Random);
}

}  // namespace cards
