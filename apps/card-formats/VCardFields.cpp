#include "VCardFields.h"

#include "ByteSource.h"
#include "LineBreaks.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace cards::vcard {

namespace {

enum class TKind { Single, Note, Structured, Organization, Passed };

struct TField {
  const char* Property;
  TKind Kind;
  std::span<const char* const> LineNames;  // one per component; one for the others
};

constexpr const char* PhoneNames[] = {"Phone"};
constexpr const char* MailNames[] = {"Mail"};
constexpr const char* WebNames[] = {"Web"};
constexpr const char* TitleNames[] = {"Title"};
constexpr const char* BirthdayNames[] = {"Birthday"};
constexpr const char* NoteNames[] = {"Note"};
constexpr const char* NameNames[] = {"Family name", "Given name", "Additional names", "Honorific prefix",
                                     "Honorific suffix"};
constexpr const char* AddressNames[] = {"PO box", "Extended address", "Street", "City",
                                        "Region", "Postal code",      "Country"};
constexpr const char* OrganizationNames[] = {"Organization", "Department"};

constexpr TField Fields[] = {
    {"TEL", TKind::Single, PhoneNames},
    {"EMAIL", TKind::Single, MailNames},
    {"URL", TKind::Single, WebNames},
    {"TITLE", TKind::Single, TitleNames},
    {"BDAY", TKind::Single, BirthdayNames},
    {"NOTE", TKind::Note, NoteNames},
    {"N", TKind::Structured, NameNames},
    {"ADR", TKind::Structured, AddressNames},
    {"ORG", TKind::Organization, OrganizationNames},
};

constexpr const char* PassedProperty = "X-OSTREL-LINE";

// A type fits between the parentheses of a line name and in a TYPE parameter as it is.
bool IsPlainType(const std::string& Type) {
  return std::none_of(Type.begin(), Type.end(), [](char C) {
    return static_cast<unsigned char>(C) < 0x20 || C == 0x7F || std::string_view("\"(),;:=^").find(C) != std::string_view::npos;
  });
}

struct TLine {
  std::string Name;
  std::vector<std::string> Types;
  std::string Value;
};

std::string FormatLine(const std::string& Name, const std::vector<std::string>& Types, const std::string& Value) {
  std::string Line = Name;
  for (std::size_t I = 0; I < Types.size(); ++I) (Line += I == 0 ? " (" : ", ") += Types[I];
  if (!Types.empty()) Line += ')';
  Line.reserve(Line.size() + 1 + Value.size());
  return (Line += '=') += Value;
}

std::optional<TLine> ParseLine(const std::string& Line) {
  const std::size_t Equals = Line.find('=');
  if (Equals == std::string::npos) return std::nullopt;
  TLine Result{Line.substr(0, Equals), {}, Line.substr(Equals + 1)};
  const std::size_t Open = Result.Name.find(" (");
  if (Open != std::string::npos && Result.Name.back() == ')') {
    const std::string List = Result.Name.substr(Open + 2, Result.Name.size() - Open - 3);
    Result.Name.resize(Open);
    std::size_t Start = 0;
    for (std::size_t Comma = List.find(", "); ; Comma = List.find(", ", Start)) {
      Result.Types.push_back(List.substr(Start, Comma - Start));
      if (Comma == std::string::npos) break;
      Start = Comma + 2;
    }
  }
  return Result;
}

// The field and the component index of a line name.
std::optional<std::pair<const TField*, int>> FieldOfLine(const std::string& Name) {
  for (const TField& Field : Fields)
    for (std::size_t I = 0; I < Field.LineNames.size(); ++I)
      if (Name == Field.LineNames[I]) return std::pair{&Field, static_cast<int>(I)};
  return std::nullopt;
}

const TField* FieldOfProperty(const std::string& Name) {
  for (const TField& Field : Fields)
    if (Name == Field.Property) return &Field;
  return nullptr;
}

std::string TypeParameter(const std::vector<std::string>& Types) {
  std::string Parameter;
  for (std::size_t I = 0; I < Types.size(); ++I) Parameter += (I == 0 ? ";TYPE=" : ",") + Types[I];
  return Parameter;
}

std::string JoinComponents(const std::vector<std::string>& Components) {
  std::string Value;
  for (std::size_t I = 0; I < Components.size(); ++I) Value += (I == 0 ? "" : ";") + Escape(Components[I]);
  return Value;
}

// Lines From.. that one property carries, and that property's content line.
std::string PropertyOfRun(const std::vector<TLine>& Run, const TField& Field) {
  const std::string Head = std::string(Field.Property) + TypeParameter(Run[0].Types) + ":";
  switch (Field.Kind) {
    case TKind::Single: return Head + Escape(Run[0].Value);
    case TKind::Note: {
      std::string Text;
      for (std::size_t I = 0; I < Run.size(); ++I) Text += (I == 0 ? "" : "\n") + Run[I].Value;
      return Head + Escape(Text);
    }
    case TKind::Structured: {
      std::vector<std::string> Components(Field.LineNames.size());
      for (const TLine& Line : Run) Components[static_cast<std::size_t>(FieldOfLine(Line.Name)->second)] = Line.Value;
      return Head + JoinComponents(Components);
    }
    case TKind::Organization: {
      std::vector<std::string> Components;
      if (Run[0].Name != Field.LineNames[0]) Components.emplace_back();
      for (const TLine& Line : Run) Components.push_back(Line.Value);
      return Head + JoinComponents(Components);
    }
    case TKind::Passed: break;
  }
  return Head;
}

// Whether Next continues the property that Run has begun.
bool Continues(const std::vector<TLine>& Run, const TField& Field, const TLine& Next) {
  const auto Found = FieldOfLine(Next.Name);
  if (!Found || Found->first != &Field || Next.Types != Run[0].Types) return false;
  switch (Field.Kind) {
    case TKind::Note: return true;
    case TKind::Structured: return Found->second > FieldOfLine(Run.back().Name)->second;
    case TKind::Organization: return Found->second == 1;
    default: return false;
  }
}

}  // namespace

std::string TextOf(const TProperty& Property) { return OneLine(Unescape(Property.Value)); }

std::vector<std::string> LinesOf(const TProperty& Property, const std::string& Label, bool* TypesOnce) {
  if (TypesOnce) *TypesOnce = false;
  if (Property.Binary) return {};
  if (Property.Name == PassedProperty) return {TextOf(Property)};
  const TField* Field = FieldOfProperty(Property.Name);
  if (!Field) return {};
  std::vector<std::string> Types;
  std::size_t TypeBytes = 0;
  for (const std::string& Type : Property.Types)
    if (Type != "internet" && IsPlainType(Type)) {
      Types.push_back(Type);
      TypeBytes += Type.size() + 2;
    }
  if (!Label.empty() && IsPlainType(Label) && std::find(Types.begin(), Types.end(), Label) == Types.end()) {
    Types.push_back(Label);
    TypeBytes += Label.size() + 2;
  }
  std::vector<std::string> Lines;
  // A property of many lines (a note, an organization's units) repeats its types in each
  // while they are short; longer ones go with its first line only, so that a value of
  // many line breaks cannot multiply a long type list.
  const bool Once = TypeBytes > MaxNameBytes;
  const std::vector<std::string> NoTypes;
  auto Add = [&](const char* Name, const std::string& Value) {
    const bool Repeat = !Lines.empty() && Once;
    if (Repeat && TypesOnce) *TypesOnce = true;
    Lines.push_back(FormatLine(Name, Repeat ? NoTypes : Types, Value));
  };
  switch (Field->Kind) {
    case TKind::Single: {
      std::string Value = OneLine(Unescape(Property.Value));
      // vCard 4.0 may give a phone number as a tel: URI.
      if (Property.Name == "TEL" && Value.compare(0, 4, "tel:") == 0) Value.erase(0, 4);
      Add(Field->LineNames[0], Value);
      break;
    }
    case TKind::Note:
      for (const std::string& Piece : SplitBreaks(Unescape(Property.Value))) Add(Field->LineNames[0], Piece);
      break;
    case TKind::Structured: {
      const std::vector<std::string> Components = SplitComponents(Property.Value);
      for (std::size_t I = 0; I < Components.size() && I < Field->LineNames.size(); ++I)
        if (!Components[I].empty()) Add(Field->LineNames[I], OneLine(Components[I]));
      break;
    }
    case TKind::Organization: {
      const std::vector<std::string> Components = SplitComponents(Property.Value);
      for (std::size_t I = 0; I < Components.size(); ++I)
        if (!Components[I].empty()) Add(Field->LineNames[I == 0 ? 0 : 1], OneLine(Components[I]));
      break;
    }
    case TKind::Passed: break;
  }
  return Lines;
}

std::string CaptionFromLines(const std::vector<std::string>& Lines) {
  auto First = [&](const char* Name) {
    for (const std::string& Line : Lines)
      if (const auto Parsed = ParseLine(Line); Parsed && Parsed->Name == Name) return Parsed->Value;
    return std::string();
  };
  std::string Caption;
  for (const char* Part : {"Honorific prefix", "Given name", "Additional names", "Family name", "Honorific suffix"}) {
    const std::string Value = First(Part);
    if (!Value.empty()) Caption += (Caption.empty() ? "" : " ") + Value;
  }
  for (const char* Fallback : {"Organization", "Mail", "Phone"})
    if (Caption.empty()) Caption = First(Fallback);
  return Caption;
}

std::vector<std::string> PropertiesOf(const std::vector<std::string>& Lines, bool& HasName) {
  HasName = false;
  std::vector<std::string> Properties;
  auto Pass = [&](const std::string& Line) { Properties.push_back(std::string(PassedProperty) + ":" + Escape(Line)); };
  std::size_t I = 0;
  while (I < Lines.size()) {
    const std::optional<TLine> First = ParseLine(Lines[I]);
    const auto Found = First ? FieldOfLine(First->Name) : std::nullopt;
    if (!Found || !std::all_of(First->Types.begin(), First->Types.end(), IsPlainType)) {
      Pass(Lines[I++]);
      continue;
    }
    const TField& Field = *Found->first;
    std::vector<TLine> Run{*First};
    std::size_t End = I + 1;
    while (End < Lines.size() && Field.Kind != TKind::Single) {
      std::optional<TLine> Next = ParseLine(Lines[End]);
      if (!Next || !Continues(Run, Field, *Next)) break;
      Run.push_back(std::move(*Next));
      ++End;
    }
    // The property must give back these very lines; where it would not (an empty
    // component, a type the reader drops), the lines go one by one as they are.
    const std::string Property = PropertyOfRun(Run, Field);
    const std::vector<TProperty> Read = ReadProperties(Property);
    const std::vector<std::string> Expected(Lines.begin() + static_cast<long>(I), Lines.begin() + static_cast<long>(End));
    if (Read.size() == 1 && LinesOf(Read[0], "") == Expected) {
      Properties.push_back(Property);
      HasName = HasName || Field.Property == std::string_view("N");
    } else {
      for (const std::string& Line : Expected) Pass(Line);
    }
    I = End;
  }
  return Properties;
}

}  // namespace cards::vcard
