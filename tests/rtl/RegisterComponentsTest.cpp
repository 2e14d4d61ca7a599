// RegisterComponents: a unit's Register reaches the development environment's hook, and
// fails loudly where no environment listens.
#include <gtest/gtest.h>

#include <vector>

#include "Classes.h"
#include "TestClasses.h"
#include "TypInfo.h"

using namespace vcl;
using rtltest::TTestForm;
using rtltest::TWidget;

namespace {

// Sets the hook for one test and takes it away again, so that no other test sees it.
class RegisterComponentsTest : public testing::Test {
protected:
  void TearDown() override { RegisterComponentsProc = nullptr; }
};

TEST_F(RegisterComponentsTest, HandsPageAndClassesInOrderToTheEnvironment) {
  std::vector<std::pair<AnsiString, std::vector<const TClassInfo*>>> Calls;
  RegisterComponentsProc = [&](const AnsiString& Page, const std::vector<const TClassInfo*>& Classes) {
    Calls.emplace_back(Page, Classes);
  };
  RegisterComponents("Velmora", {&TWidget::StaticClassInfo(), &TTestForm::StaticClassInfo()});
  RegisterComponents("Other", {});
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[0].first, "Velmora");
  EXPECT_EQ(Calls[0].second, (std::vector<const TClassInfo*>{&TWidget::StaticClassInfo(), &TTestForm::StaticClassInfo()}));
  EXPECT_EQ(Calls[1].first, "Other");
  EXPECT_TRUE(Calls[1].second.empty());
}

TEST_F(RegisterComponentsTest, WithoutAnEnvironmentItIsAnInvalidRegistration) {
  RegisterComponentsProc = nullptr;
  try {
    RegisterComponents("Velmora", {&TWidget::StaticClassInfo()});
    FAIL() << "no error raised";
  } catch (const EComponentError& E) {
    EXPECT_EQ(E.Message(), "Invalid component registration");
  }
}

}  // namespace
