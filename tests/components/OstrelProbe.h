#pragma once
// A card view that counts its repaints and records its deletion notifications, and helpers
// that record the control's events in order as text.

#include <string>
#include <vector>

#include "Ostrel.h"

namespace ostrel_test {

using namespace vcl;
using namespace ostrel;

using TLog = std::vector<std::string>;

// "null" for no card, otherwise the card's text.
inline std::string Name(const TOstrelItem* Item) { return Item ? Item->GetText() : "null"; }

class TProbe : public TOstrel {
public:
  explicit TProbe(TComponent* AOwner = nullptr) : TOstrel(AOwner) {}

  TLog* Log = nullptr;  // Invalidate and the Delete notification go here when set
  int Invalidates = 0;
  int Repaints = 0;
  int ItemHeights = 0;  // calls of ItemHeight: a layout asks once or twice per card
  int WindowsDestroyed = 0;

  void Invalidate() override {
    ++Invalidates;
    if (Log) Log->push_back("Invalidate");
    TOstrel::Invalidate();
  }
  void Repaint() override {
    ++Repaints;
    TOstrel::Repaint();
  }

  int ItemHeight(TOstrelItem* Item) override {
    ++ItemHeights;
    return TOstrel::ItemHeight(Item);
  }

  void DestroyWindowHandle() override {
    ++WindowsDestroyed;
    TOstrel::DestroyWindowHandle();
  }

  using TOstrel::CreateParams;

protected:
  void Delete(TOstrelItem* Item) override {
    if (Log) Log->push_back("Delete " + Name(Item));
    TOstrel::Delete(Item);
  }
};

// Records OnChanging, OnChange and OnDeletion of Table into Log.
inline void RecordEvents(TOstrel& Table, TLog& Log) {
  Table.SetOnChanging([&Log](TObject*, TOstrelItem* Item, bool&) { Log.push_back("Changing " + Name(Item)); });
  Table.SetOnChange([&Log](TObject*, TOstrelItem* Item) { Log.push_back("Change " + Name(Item)); });
  Table.SetOnDeletion([&Log](TObject*, TOstrelItem* Item) { Log.push_back("Deletion " + Name(Item)); });
}

inline std::vector<std::string> Texts(const TOstrelItems& Items) {
  std::vector<std::string> Result;
  for (int I = 0; I < Items.GetCount(); ++I) Result.push_back(Items[I]->GetText());
  return Result;
}

inline void AddCards(TOstrelItems& Items, std::initializer_list<const char*> Texts) {
  for (const char* Text : Texts) Items.Add(Text);
}

inline std::vector<unsigned char> Bytes(TMemoryStream& Stream) {
  return std::vector<unsigned char>(Stream.Memory(), Stream.Memory() + Stream.GetSize());
}

inline void PutBytes(TMemoryStream& Stream, const std::vector<unsigned char>& Data) {
  Stream.Clear();
  if (!Data.empty()) Stream.WriteBuffer(Data.data(), static_cast<long>(Data.size()));
  Stream.SetPosition(0);
}

}  // namespace ostrel_test
