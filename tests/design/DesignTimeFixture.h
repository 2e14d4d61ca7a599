#pragma once
// The package installed into a recording "development environment", a card view on a form
// as the designer edits it, and modal items editor runs answered by a step that acts on
// the shown dialog through Qt's event path.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DesignIntf.h"
#include "Harness.h"
#include "ModalWatch.h"
#include "OstrelItemsEditorFormUnit.h"
#include "OstrelPackage.h"

#include <QTimer>

#include "QtEmbedding.h"

namespace designtime_test {

using namespace vcl;
using namespace ostrel;

class TRecordingDesigner : public IFormDesigner {
public:
  void Modified() override { ++Count; }
  TComponent* GetRoot() override { return Root; }
  int Count = 0;
  TComponent* Root = nullptr;
};

using TPaletteCall = std::pair<AnsiString, std::vector<AnsiString>>;

class DesignTimeTest : public vcltest::THostTest, protected vcltest::TModalWatch<TOstrelItemsEditorForm> {
protected:
  void SetUp() override {
    THostTest::SetUp();
    RegisterComponentsProc = [this](const AnsiString& Page, const std::vector<const TClassInfo*>& Classes) {
      std::vector<AnsiString> Names;
      for (const TClassInfo* Info : Classes) Names.push_back(Info->ClassName());
      Palette.emplace_back(Page, Names);
    };
    RegisterPackage();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetName("DesignedForm");
    Cards = new TOstrel(Form.get());
    Cards->SetName("Cards");
    Cards->SetParent(Form.get());
    Designer->Root = Form.get();
  }
  void TearDown() override {
    StopWatching();
    Form.reset();
    UnregisterPackage();
    RegisterComponentsProc = nullptr;
    THostTest::TearDown();
  }

  void AddCards(std::initializer_list<const char*> Texts) {
    for (const char* Text : Texts) Cards->GetItems()->Add(Text);
  }
  static std::vector<std::string> Texts(TOstrelItems* List) {
    std::vector<std::string> Result;
    for (int I = 0; I < List->GetCount(); ++I) Result.push_back(List->GetItemFromIndex(I)->GetText());
    return Result;
  }

  static void Press(TControl* Button) {
    vcltest::Click(Button, Button->GetWidth() / 2, Button->GetHeight() / 2);
    vcltest::ProcessMessages();
  }

  // The registered editors of the card view.
  std::unique_ptr<TPropertyEditor> ItemsEditor() {
    for (auto& Editor : GetComponentProperties({Cards}, Designer))
      if (Editor->GetName() == "Items") return std::move(Editor);
    ADD_FAILURE() << "no editor for Items";
    return nullptr;
  }
  std::unique_ptr<TComponentEditor> CardsEditor() { return GetComponentEditor(Cards, Designer); }

  std::vector<TPaletteCall> Palette;
  std::shared_ptr<TRecordingDesigner> Designer = std::make_shared<TRecordingDesigner>();
  std::unique_ptr<TForm> Form;
  TOstrel* Cards = nullptr;
};

}  // namespace designtime_test
