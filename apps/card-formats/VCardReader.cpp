#include <algorithm>
#include <optional>
#include <unordered_map>

#include "TextEncoding.h"
#include "VCard.h"
#include "VCardFields.h"

namespace cards {

namespace {

using vcard::TProperty;

bool IsNamed(const TProperty& Property, const char* Name, const char* Value) {
  if (Property.Name != Name) return false;
  std::string Upper = Property.Value;
  for (char& C : Upper)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  while (!Upper.empty() && (Upper.back() == ' ' || Upper.back() == '\t')) Upper.pop_back();
  return Upper == Value;
}

// Apple's address book names a grouped property's type in the group's X-ABLabel:
// "_$!<Mobile>!$_" for its own labels, the user's words for others.
std::string LabelText(const std::string& Value) {
  std::string Label = vcard::Unescape(Value);
  if (Label.size() > 8 && Label.compare(0, 4, "_$!<") == 0 && Label.compare(Label.size() - 4, 4, ">!$_") == 0)
    Label = Label.substr(4, Label.size() - 8);
  for (char& C : Label)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Label;
}

// A label goes into every line of its group as a type only when it can be one: short
// enough that copying it costs little, and without the characters that end a type list.
bool IsCopiedLabel(const std::string& Label) {
  return Label.size() <= MaxNameBytes &&
         std::none_of(Label.begin(), Label.end(), [](char C) {
           return static_cast<unsigned char>(C) < 0x20 || std::string_view("\"(),;:=^").find(C) != std::string_view::npos;
         });
}

constexpr const char* CaptionProperty = "X-OSTREL-CAPTION";

// One card from its properties as they come. A property becomes its lines at once, but
// for a grouped one, whose group's label may come after it: it waits, and its lines go in
// where it stood when the card ends. So a card costs its lines, not its properties.
class TCardBuilder {
public:
  explicit TCardBuilder(TReadReport& Report) : FReport(Report) {}

  void Add(TProperty&& Property) {
    if (Property.Name == "FN") {
      if (FCard.Caption.empty()) FCard.Caption = vcard::TextOf(Property);
    } else if (Property.Name == CaptionProperty) {
      if (!FExactCaption) FExactCaption = vcard::Unescape(Property.Value, true);
    } else if (Property.Name == "X-ABLABEL" && !Property.Group.empty()) {
      std::string Label = LabelText(Property.Value);
      if (IsCopiedLabel(Label)) {
        FLabels[Property.Group] = std::move(Label);
        return;
      }
      // Kept once, as its own line, where the label stands. The group is as written: its
      // bytes are read as a value's are.
      std::string Group = RepairUtf8(Property.Group);
      std::replace(Group.begin(), Group.end(), '\0', '?');
      FCard.Lines.push_back("Label (" + Group + ")=" + vcard::TextOf(Property));
      FReport.Warn(Property.Line, "the label of " + Group + " (" + std::to_string(Property.Value.size()) +
                                      " bytes) is kept once as its own line, not as a type of its group's lines");
    } else if (!Property.Group.empty()) {
      FWaiting.push_back({FCard.Lines.size(), std::move(Property)});
    } else {
      AddLines(Property, std::string(), FCard.Lines);
    }
  }

  TContactCard Finish() {
    if (!FWaiting.empty()) {
      std::vector<std::string> Lines;
      std::size_t Next = 0;
      for (const auto& [Place, Property] : FWaiting) {
        for (; Next < Place; ++Next) Lines.push_back(std::move(FCard.Lines[Next]));
        const auto Label = FLabels.find(Property.Group);
        AddLines(Property, Label == FLabels.end() ? std::string() : Label->second, Lines);
      }
      for (; Next < FCard.Lines.size(); ++Next) Lines.push_back(std::move(FCard.Lines[Next]));
      FCard.Lines = std::move(Lines);
    }
    if (FExactCaption) FCard.Caption = std::move(*FExactCaption);
    else if (FCard.Caption.empty()) FCard.Caption = vcard::CaptionFromLines(FCard.Lines);
    TContactCard Card = std::move(FCard);
    FCard = TContactCard();
    FWaiting.clear();
    FLabels.clear();
    FExactCaption.reset();
    return Card;
  }

private:
  void AddLines(const TProperty& Property, const std::string& Label, std::vector<std::string>& Into) {
    bool TypesOnce = false;
    for (std::string& Line : vcard::LinesOf(Property, Label, &TypesOnce)) Into.push_back(std::move(Line));
    if (TypesOnce) FReport.Warn(Property.Line, "the long type list of " + Property.Name + " is kept with its first line only");
  }

  TReadReport& FReport;
  TContactCard FCard;
  std::vector<std::pair<std::size_t, TProperty>> FWaiting;  // grouped, with the line count before them
  std::unordered_map<std::string, std::string> FLabels;
  std::optional<std::string> FExactCaption;
};

// The cards of the properties as they come: BEGIN and END count the nesting, an AGENT's
// card (vCard 2.1 writes it nested right after an empty AGENT) stays out of its owner's.
class TCardReader {
public:
  TCardReader(TByteSource& Source, const TContactSink& Each, TReadReport& Report)
      : FInput(Source), FProperties(FInput, Report), FEach(Each), FReport(Report), FCard(Report) {}

  void Run() {
    vcard::TLineReader& Lines = FProperties.Lines();
    // Before the first card, a file must look like a vCard file early on: zeros or an
    // endless line are not read on and on.
    Lines.SetLimit(SniffBytes, [] { throw EFormatError(NotVCard + " in its first 64 KiB"); });
    TProperty Property;
    while (FProperties.Next(Property)) {
      const std::int64_t Line = Property.Line;
      const bool Agent = Property.Name == "AGENT" && Property.Value.find_first_not_of(" \t") == std::string::npos;
      const bool Named = !Property.Name.empty();  // the property may be moved below
      if (!Named) {
        // A line that is no property: passed over, but counted below.
      } else if (IsNamed(Property, "BEGIN", "VCARD")) {
        if (FDepth == 0) {
          Begin(Property.Line);
        } else if (FAfterAgent) {
          ++FDepth;
        } else {
          FReport.Warn(FCardLine, "this card has no END:VCARD; the BEGIN:VCARD on line " + std::to_string(Line) +
                                      " starts the next card");
          Emit();
          Begin(Property.Line);
        }
      } else if (IsNamed(Property, "END", "VCARD")) {
        if (FDepth > 0 && --FDepth == 0) Emit();
      } else if (FDepth == 1) {
        FCard.Add(std::move(Property));
      } else if (FDepth == 0 && !FOutsideWarned) {
        FOutsideWarned = true;
        FReport.Warn(Line, "text outside a card (BEGIN:VCARD to END:VCARD) is passed over");
      }
      if (Named) FAfterAgent = Agent;
      if (!FSeenCard && Lines.Offset() > SniffBytes) throw EFormatError(NotVCard + " in its first 64 KiB");
      if (FDepth > 0 && Lines.Offset() - FCardOffset > MaxCardBytes)
        throw EFormatError("line " + std::to_string(FCardLine) + ": a card of more than " +
                           std::to_string(MaxCardBytes >> 20) + " MiB; no address book has one");
    }
    if (FDepth > 0) {
      FReport.Warn(FCardLine, "the file ends inside this card, without END:VCARD; the card is kept");
      Emit();
    }
    if (FInput.Replaced() > 0)
      FReport.Warn(0, std::to_string(FInput.Replaced()) + " " + FInput.Encoding() + " units that are no character read as U+FFFD");
    if (!FSeenCard && Lines.SawText()) throw EFormatError(NotVCard);
  }

private:
  inline static const std::string NotVCard = "not a vCard file: no BEGIN:VCARD line";

  void Begin(std::int64_t Line) {
    if (!FSeenCard) FProperties.Lines().SetLimit(MaxCardBytes, nullptr);
    FSeenCard = true;
    FDepth = 1;
    FCardLine = Line;
    FCardOffset = FProperties.Lines().Offset();
  }

  void Emit() {
    TContactCard Card = FCard.Finish();
    FDepth = 0;
    FEach(Card);
  }

  TUtf8Input FInput;
  vcard::TPropertyReader FProperties;
  const TContactSink& FEach;
  TReadReport& FReport;
  TCardBuilder FCard;  // the card being read, nested cards left out
  int FDepth = 0;
  bool FAfterAgent = false;  // the last property was an empty AGENT: a BEGIN nests
  bool FSeenCard = false;
  bool FOutsideWarned = false;
  std::int64_t FCardLine = 0;
  std::uint64_t FCardOffset = 0;
};

}  // namespace

void ReadVCards(TByteSource& Source, const TContactSink& Each, TReadReport& Report) {
  TCardReader(Source, Each, Report).Run();
}

std::vector<TContactCard> ReadVCards(std::string_view Text, TReadReport* Report) {
  return ReadAll(static_cast<TStreamingReader>(&ReadVCards), Text, Report);
}

}  // namespace cards
