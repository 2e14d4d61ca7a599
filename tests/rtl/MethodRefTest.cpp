// TMethodRef: plain closures and references bound from an object's method.
#include <gtest/gtest.h>

#include <vector>

#include "System.h"

using namespace vcl;

namespace {

struct TCounter {
  std::vector<int> Seen;
  void Count(int N) { Seen.push_back(N); }
};

// A second base puts the handler's part of the object at another address.
struct TPadding {
  virtual ~TPadding() = default;
  int Filler = 0;
};
struct THandler : TObject {
  std::vector<TObject*> Senders;
  void Click(TObject* Sender) { Senders.push_back(Sender); }
};
struct TForm : TPadding, THandler {};

}  // namespace

TEST(MethodRefTest, ClosuresCarryNoBinding) {
  TMethodRef<int> Empty;
  EXPECT_FALSE(Empty);
  EXPECT_TRUE(Empty == nullptr);
  EXPECT_EQ(Empty.Data(), nullptr);
  EXPECT_EQ(Empty.MethodName(), "");
  int Sum = 0;
  TMethodRef<int> Closure([&Sum](int N) { Sum += N; });
  Closure(4);
  EXPECT_TRUE(Closure);
  EXPECT_EQ(Sum, 4);
  EXPECT_EQ(Closure.Data(), nullptr);
  EXPECT_EQ(Closure.MethodName(), "");
}

TEST(MethodRefTest, ABoundMethodKeepsItsObjectAndNameThroughCopies) {
  TCounter Counter;
  TMethodRef<int> Bound(&Counter, &TCounter::Count, "Count");
  TMethodRef<int> Copy = Bound;
  Bound = nullptr;
  EXPECT_FALSE(Bound);
  EXPECT_EQ(Bound.Data(), nullptr);
  EXPECT_EQ(Bound.MethodName(), "");
  Copy(7);
  EXPECT_EQ(Counter.Seen, std::vector<int>{7});
  EXPECT_EQ(Copy.Data(), &Counter);
  EXPECT_EQ(Copy.MethodName(), "Count");
  TMethodRef<int> Moved = std::move(Copy);
  Moved(8);
  EXPECT_EQ(Counter.Seen, (std::vector<int>{7, 8}));
  EXPECT_EQ(Moved.MethodName(), "Count");
  Moved = [](int) {};  // a closure replaces the binding too
  EXPECT_EQ(Moved.Data(), nullptr);
  EXPECT_EQ(Moved.MethodName(), "");
}

TEST(MethodRefTest, DataIsTheWholeObjectWhateverBaseItWasBoundThrough) {
  TForm Form;
  THandler* Part = &Form;
  ASSERT_NE(static_cast<const void*>(Part), static_cast<const void*>(&Form));
  TNotifyEvent Click(Part, &THandler::Click, "Click");
  EXPECT_EQ(Click.Data(), static_cast<const void*>(&Form));
  Click(nullptr);
  EXPECT_EQ(Form.Senders.size(), 1u);
}

// A control may free itself from its own event, and with it the handler that is running;
// the handler's captures must outlive the call.
TEST(MethodRefTest, AHandlerMayFreeTheObjectThatHoldsIt) {
  struct THolder {
    TNotifyEvent OnFire;
  };
  auto* Holder = new THolder;
  std::string Seen;
  auto Captured = std::make_shared<std::string>("still here");
  Holder->OnFire = [Holder, Captured, &Seen](TObject*) {
    delete Holder;
    Seen = *Captured;
  };
  Captured.reset();
  Holder->OnFire(nullptr);
  EXPECT_EQ(Seen, "still here");
}
