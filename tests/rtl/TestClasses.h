#pragma once
// Small persistent and component classes with published properties of every kind, shared
// by the class-info and form-file tests.

#include <set>
#include <vector>

#include "Classes.h"
#include "TypInfo.h"

namespace rtltest {

using namespace vcl;

enum TShape { shCircle, shSquare, shTriangle };
enum TStyle { stBold, stItalic, stUnderline };
using TStyles = std::set<TStyle>;
using TCountEvent = TMethodRef<TObject* /*Sender*/, int /*Count*/>;
using TTestColor = std::int32_t;
inline constexpr TTestColor clTestSilver = 0xC0C0C0;
inline constexpr TTestColor clTestSystem = static_cast<TTestColor>(0x8000000F);

// An owned object property that writes its own properties.
class TFontLike : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  void Assign(TPersistent* Source) override;

  const AnsiString& GetName() const { return FName; }
  void SetName(const AnsiString& Value) { FName = Value; }
  int GetSize() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }
  TStyles GetStyle() const { return FStyle; }
  void SetStyle(TStyles Value) { FStyle = Value; }

private:
  AnsiString FName = "Sans";
  int FSize = 10;
  TStyles FStyle;
};

// Bytes stored through DefineBinaryProperty, only when they differ from the ancestor's.
class TBlob : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  std::vector<Byte> Bytes;

protected:
  void DefineProperties(TFiler* Filer) override;
};

class TWidget : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TWidget(TComponent* AOwner);
  ~TWidget() override;

  int GetCount() const { return FCount; }
  void SetCount(int Value) { FCount = Value; }
  long GetBig() const { return FBig; }
  void SetBig(long Value) { FBig = Value; }
  TTestColor GetColor() const { return FColor; }
  void SetColor(TTestColor Value) { FColor = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TShape GetShape() const { return FShape; }
  void SetShape(TShape Value) { FShape = Value; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double Value) { FRatio = Value; }
  const AnsiString& GetCaption() const { return FCaption; }
  void SetCaption(const AnsiString& Value) { FCaption = Value; }
  const AnsiString& GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  TFontLike* GetFont() const { return FFont; }
  void SetFont(TFontLike* Value) { FFont->Assign(Value); }
  TBlob* GetBlob() const { return FBlob; }
  TStringList* GetLines() const { return FLines; }
  TWidget* GetBuddy() const { return FBuddy; }
  void SetBuddy(TWidget* Value);
  const TNotifyEvent& GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
  const TCountEvent& GetOnCount() const { return FOnCount; }
  void SetOnCount(TCountEvent Value) { FOnCount = std::move(Value); }
  bool IsHintStored() const { return FHint != "auto"; }

  // A parent-like relation, so that widgets nest inside each other in form text.
  TWidget* Parent = nullptr;
  bool HasParent() const override { return Parent != nullptr; }
  TComponent* GetParentComponent() const override { return Parent; }
  void SetParentComponent(TComponent* Value) override { Parent = dynamic_cast<TWidget*>(Value); }

  std::vector<AnsiString> Events;  // "loaded", with the state seen then

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  int FCount = 0;
  long FBig = 0;
  TTestColor FColor = clTestSilver;
  bool FVisible = true;
  TShape FShape = shSquare;
  double FRatio = 1.5;
  AnsiString FCaption;
  AnsiString FHint;
  TFontLike* FFont;
  TBlob* FBlob;
  TStringList* FLines;
  TWidget* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  TCountEvent FOnCount;
};

// A form with component fields and published handlers.
class TTestForm : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  using TComponent::TComponent;

  TWidget* Widget1 = nullptr;
  TWidget* Widget2 = nullptr;
  std::vector<AnsiString> Calls;
  void WidgetClick(TObject* Sender);
  void CountChanged(TObject* Sender, int Count);
};

// An inherited form: one more field and handler.
class TDerivedForm : public TTestForm {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  using TTestForm::TTestForm;

  TWidget* Extra = nullptr;
  void ExtraClick(TObject* Sender);
};

// Registers the classes above once.
void RegisterTestClasses();

}  // namespace rtltest
