// Component editors: the one registered for the nearest class of the component, or the
// default without verbs; Edit runs the first verb unless an editor says otherwise.
#include <gtest/gtest.h>

#include "DesignClasses.h"

using namespace vcl;
using namespace designtest;

namespace {

std::vector<std::string> Log;

// Two verbs, and the classic Edit.
class TTwoVerbs : public TComponentEditor {
public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  AnsiString GetVerb(int Index) override { return Index == 0 ? "&First" : "&Second"; }
  void ExecuteVerb(int Index) override { Log.push_back("verb " + std::to_string(Index) + " " + Component()->GetName()); }
};

class TOneVerb : public TTwoVerbs {
public:
  using TTwoVerbs::TTwoVerbs;
  int GetVerbCount() override { return 1; }
};

class ComponentEditorTest : public testing::Test {
protected:
  void SetUp() override {
    Log.clear();
    Derived.SetName("Derived");
  }
  void TearDown() override { UnregisterDesignEditors(); }
  THolder Base{nullptr};
  TDerivedHolder Derived{nullptr};
  IFormDesignerRef Designer = std::make_shared<TRecordingDesigner>();
};

TEST_F(ComponentEditorTest, WithoutRegistrationTheDefaultEditorHasNoVerbsAndEditDoesNothing) {
  auto Editor = GetComponentEditor(&Base, Designer);
  EXPECT_EQ(Editor->GetVerbCount(), 0);
  EXPECT_EQ(Editor->GetVerb(0), "");
  Editor->Edit();
  Editor->ExecuteVerb(0);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Editor->Component(), &Base);
  EXPECT_EQ(Editor->GetDesigner(), Designer);
}

TEST_F(ComponentEditorTest, TheNearestRegisteredClassWinsAndEditRunsTheFirstVerb) {
  RegisterComponentEditor(&TDerivedHolder::StaticClassInfo(), NewComponentEditor<TOneVerb>);
  RegisterComponentEditor(&THolder::StaticClassInfo(), NewComponentEditor<TTwoVerbs>);
  EXPECT_EQ(GetComponentEditor(&Base, Designer)->GetVerbCount(), 2);
  auto Editor = GetComponentEditor(&Derived, Designer);
  EXPECT_EQ(Editor->GetVerbCount(), 1);
  Editor->Edit();
  EXPECT_EQ(Log, (std::vector<std::string>{"verb 0 Derived"}));
  // A later registration for the same class replaces the earlier one.
  RegisterComponentEditor(&TDerivedHolder::StaticClassInfo(), NewComponentEditor<TTwoVerbs>);
  EXPECT_EQ(GetComponentEditor(&Derived, Designer)->GetVerbCount(), 2);
}

}  // namespace
