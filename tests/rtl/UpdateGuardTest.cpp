// TUpdateGuard: the batch ends on every way out of the scope, and an EndUpdate that raises
// neither hides a normal exit nor ends the program while another exception is leaving.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "Classes.h"

using namespace vcl;

namespace {

struct UpdateGuardTest : testing::Test {
  TStringList List;
  std::vector<AnsiString> Events;
  void SetUp() override {
    List.SetOnChanging([this](TObject*) { Events.push_back("changing"); });
    List.SetOnChange([this](TObject*) { Events.push_back("change"); });
  }
};

TEST_F(UpdateGuardTest, TheBatchEndsWithTheScopeAndFiresOneChange) {
  {
    const TUpdateGuard Batch(List);
    List.Add("a");
    List.Add("b");
    EXPECT_EQ(Events, (std::vector<AnsiString>{"changing"}));
  }
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
  Events.clear();
  List.Add("c");  // no batch left open
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
}

TEST_F(UpdateGuardTest, AnExceptionLeavingTheScopeEndsTheBatch) {
  EXPECT_THROW(
      {
        const TUpdateGuard Batch(List);
        List.Add("a");
        List.Get(5);  // raises EStringListError
      },
      EStringListError);
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
  Events.clear();
  List.Add("b");
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing", "change"}));
}

TEST_F(UpdateGuardTest, AnEndUpdateThatRaisesIsReportedOnANormalExit) {
  List.SetOnChange([](TObject*) { throw std::runtime_error("handler"); });
  EXPECT_THROW(
      {
        const TUpdateGuard Batch(List);
        List.Add("a");
      },
      std::runtime_error);
}

TEST_F(UpdateGuardTest, WhileAnExceptionLeavesEndUpdatesOwnIsDroppedNotFatal) {
  List.SetOnChange([](TObject*) { throw std::runtime_error("handler"); });
  try {
    const TUpdateGuard Batch(List);
    List.Add("a");
    List.Get(5);
    FAIL() << "Get(5) on one line did not raise";
  } catch (const EStringListError&) {
    SUCCEED();  // the first exception arrives; a second one would have ended the program
  } catch (const std::runtime_error&) {
    FAIL() << "EndUpdate's exception replaced the one that was leaving";
  }
  List.SetOnChange(TNotifyEvent());
  Events.clear();
  List.Add("b");  // the batch was closed although its end raised
  EXPECT_EQ(Events, (std::vector<AnsiString>{"changing"}));
}

}  // namespace
