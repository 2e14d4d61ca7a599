#include "TestClasses.h"

namespace rtltest {

const TClassInfo& TFontLike::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TFontLike>("TFontLike", &TPersistent::StaticClassInfo())
          .String("Name", &TFontLike::GetName, &TFontLike::SetName, "Sans")
          .Integer("Size", &TFontLike::GetSize, &TFontLike::SetSize, 10)
          .Set("Style", &TFontLike::GetStyle, &TFontLike::SetStyle, {"stBold", "stItalic", "stUnderline"}, 0)
          .Build();
  return Info;
}

void TFontLike::Assign(TPersistent* Source) {
  if (auto* Font = dynamic_cast<TFontLike*>(Source)) {
    FName = Font->FName;
    FSize = Font->FSize;
    FStyle = Font->FStyle;
    return;
  }
  TPersistent::Assign(Source);
}

const TClassInfo& TBlob::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TBlob>("TBlob", &TPersistent::StaticClassInfo()).Build();
  return Info;
}

void TBlob::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  const auto* Ancestor = dynamic_cast<TBlob*>(Filer->GetAncestor());
  const bool HasData = Ancestor != nullptr ? Ancestor->Bytes != Bytes : !Bytes.empty();
  Filer->DefineBinaryProperty(
      "Data",
      [this](TStream* Stream) {
        Bytes.assign(static_cast<size_t>(Stream->GetSize() - Stream->GetPosition()), 0);
        Stream->ReadBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
      },
      [this](TStream* Stream) { Stream->WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size())); }, HasData);
}

const TClassInfo& TWidget::StaticClassInfo() {
  static const TClassInfo Info =
      TClassInfoBuilder<TWidget>("TWidget", &TComponent::StaticClassInfo())
          .Creates()
          .Integer("Count", &TWidget::GetCount, &TWidget::SetCount, 0)
          .Integer("Big", &TWidget::GetBig, &TWidget::SetBig, NoDefault)
          .Color("Color", &TWidget::GetColor, &TWidget::SetColor, clTestSilver)
          .Bool("Visible", &TWidget::GetVisible, &TWidget::SetVisible, true)
          .Enum("Shape", &TWidget::GetShape, &TWidget::SetShape, {"shCircle", "shSquare", "shTriangle"}, shSquare)
          .Float("Ratio", &TWidget::GetRatio, &TWidget::SetRatio, 1.5)
          .String("Caption", &TWidget::GetCaption, &TWidget::SetCaption)
          .String("Hint", &TWidget::GetHint, &TWidget::SetHint, "")
          .Stored(&TWidget::IsHintStored)
          .Object("Font", &TWidget::GetFont, &TWidget::SetFont)
          .Object("Blob", &TWidget::GetBlob)
          .Object("Lines", &TWidget::GetLines)
          .Component("Buddy", &TWidget::GetBuddy, &TWidget::SetBuddy)
          .Event<TObject*>("OnClick", &TWidget::GetOnClick, &TWidget::SetOnClick)
          .Event("OnCount", &TWidget::GetOnCount, &TWidget::SetOnCount)
          .Build();
  return Info;
}

TWidget::TWidget(TComponent* AOwner)
    : TComponent(AOwner), FFont(new TFontLike), FBlob(new TBlob), FLines(new TStringList) {}

TWidget::~TWidget() {
  delete FLines;
  delete FBlob;
  delete FFont;
}

void TWidget::SetBuddy(TWidget* Value) {
  FBuddy = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TWidget::Loaded() {
  TComponent::Loaded();
  AnsiString State = "loaded";
  if (HasState(csLoading)) State += " loading";
  if (HasState(csReading)) State += " reading";
  Events.push_back(State);
}

void TWidget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FBuddy) FBuddy = nullptr;
}

const TClassInfo& TTestForm::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TTestForm>("TTestForm", &TComponent::StaticClassInfo())
                                     .Field("Widget1", &TTestForm::Widget1)
                                     .Field("Widget2", &TTestForm::Widget2)
                                     .Method("WidgetClick", &TTestForm::WidgetClick)
                                     .Method("CountChanged", &TTestForm::CountChanged)
                                     .Build();
  return Info;
}

void TTestForm::WidgetClick(TObject* Sender) {
  Calls.push_back("WidgetClick " + dynamic_cast<TComponent*>(Sender)->GetName());
}

void TTestForm::CountChanged(TObject*, int Count) { Calls.push_back("CountChanged " + IntToStr(Count)); }

const TClassInfo& TDerivedForm::StaticClassInfo() {
  static const TClassInfo Info = TClassInfoBuilder<TDerivedForm>("TDerivedForm", &TTestForm::StaticClassInfo())
                                     .Field("Extra", &TDerivedForm::Extra)
                                     .Method("ExtraClick", &TDerivedForm::ExtraClick)
                                     .Build();
  return Info;
}

void TDerivedForm::ExtraClick(TObject*) { Calls.push_back("ExtraClick"); }

void RegisterTestClasses() {
  static const bool Done = [] {
    RegisterClasses({&TWidget::StaticClassInfo(), &TTestForm::StaticClassInfo(), &TDerivedForm::StaticClassInfo()});
    return true;
  }();
  (void)Done;
}

}  // namespace rtltest
