// TComponent: ownership, names, notifications and free notification.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Classes.h"

using namespace vcl;

namespace {

std::vector<AnsiString>* Log = nullptr;

// Records what it hears and keeps a plain reference that it clears on removal.
class TProbe : public TComponent {
public:
  using TComponent::TComponent;
  ~TProbe() override {
    if (Log) Log->push_back("free " + GetName() + (Link != nullptr ? " still linked" : ""));
  }
  TComponent* Link = nullptr;
  std::vector<std::pair<TComponent*, TOperation>> Heard;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    Heard.emplace_back(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == Link) Link = nullptr;
  }
};

}  // namespace

TEST(ComponentTest, OwnerFreesOwnedComponentsLastFirst) {
  std::vector<AnsiString> Events;
  Log = &Events;
  auto* Owner = new TProbe(nullptr);
  Owner->SetName("Owner");
  auto* A = new TProbe(Owner);
  A->SetName("A");
  auto* B = new TProbe(Owner);
  B->SetName("B");
  auto* C = new TProbe(A);  // owned by A
  C->SetName("C");
  EXPECT_EQ(Owner->GetComponentCount(), 2);
  EXPECT_EQ(Owner->GetComponent(1), B);
  EXPECT_THROW(Owner->GetComponent(2), EListError);
  EXPECT_EQ(C->GetOwner(), A);
  delete Owner;
  EXPECT_EQ(Events, (std::vector<AnsiString>{"free Owner", "free B", "free A", "free C"}));
  Log = nullptr;
}

TEST(ComponentTest, DeletingAnOwnedComponentLeavesItsOwner) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  auto* B = new TProbe(&Owner);
  Owner.Heard.clear();
  const auto Address = [](TComponent* C) { return reinterpret_cast<std::uintptr_t>(C); };
  const std::uintptr_t AddressOfA = Address(A);
  delete A;
  EXPECT_EQ(Owner.GetComponentCount(), 1);
  EXPECT_EQ(Owner.GetComponent(0), B);
  ASSERT_FALSE(Owner.Heard.empty());
  EXPECT_EQ(Address(Owner.Heard.back().first), AddressOfA);
  EXPECT_EQ(Owner.Heard.back().second, TOperation::opRemove);
  // The sibling heard of it through the owner.
  EXPECT_EQ(Address(B->Heard.back().first), AddressOfA);
  EXPECT_EQ(B->Heard.back().second, TOperation::opRemove);
  auto* C = new TProbe(&Owner);
  EXPECT_EQ(B->Heard.back(), std::make_pair(static_cast<TComponent*>(C), TOperation::opInsert));
}

TEST(ComponentTest, NamesAreIdentifiersAndUniqueAmongSiblings) {
  TComponent Owner(nullptr);
  auto* A = new TComponent(&Owner);
  auto* B = new TComponent(&Owner);
  A->SetName("Button1");
  EXPECT_THROW(B->SetName("button1"), EComponentError);  // names compare without case
  EXPECT_THROW(B->SetName("1Button"), EComponentError);
  EXPECT_THROW(B->SetName("Bad Name"), EComponentError);
  EXPECT_EQ(B->GetName(), "");
  A->SetName("BUTTON1");  // its own name in other case
  B->SetName("Button2");
  EXPECT_EQ(Owner.FindComponent("button2"), B);
  EXPECT_EQ(Owner.FindComponent("Nope"), nullptr);
  EXPECT_EQ(Owner.FindComponent(""), nullptr);
  A->SetName("");
  B->SetName("");  // two unnamed siblings are fine
  A->SetTag(-42);
  EXPECT_EQ(A->GetTag(), -42);
}

TEST(ComponentTest, FreeNotificationAcrossOwnersWorksBothWays) {
  auto* Form1 = new TProbe(nullptr);
  auto* Form2 = new TProbe(nullptr);
  auto* Holder = new TProbe(Form1);
  auto* Target = new TProbe(Form2);
  Holder->Link = Target;
  Target->FreeNotification(Holder);
  delete Target;
  EXPECT_EQ(Holder->Link, nullptr);

  auto* Target2 = new TProbe(Form2);
  Holder->Link = Target2;
  Holder->FreeNotification(Target2);  // asked from the other side
  delete Form2;                       // freed by its owner
  EXPECT_EQ(Holder->Link, nullptr);

  auto* Target3 = new TProbe(nullptr);
  Holder->Link = Target3;
  Target3->FreeNotification(Holder);
  Target3->RemoveFreeNotification(Holder);
  delete Target3;
  EXPECT_NE(Holder->Link, nullptr);  // unlinked: not told
  Holder->Link = nullptr;

  auto* Target4 = new TProbe(nullptr);
  Target4->FreeNotification(Holder);
  delete Holder;  // the holder goes first: the target must not tell a freed object
  delete Target4;
  delete Form1;
}

TEST(ComponentTest, SiblingsAreToldWhenTheirOwnerFreesThem) {
  auto* Owner = new TProbe(nullptr);
  auto* Holder = new TProbe(Owner);  // created first, freed last
  auto* Target = new TProbe(Owner);
  Holder->Link = Target;
  Target->FreeNotification(Holder);
  Holder->SetName("Holder");
  Target->SetName("Target");
  std::vector<AnsiString> Events;
  Log = &Events;
  delete Owner;
  Log = nullptr;
  // Had the holder not been told, its Link would dangle while it is freed.
  EXPECT_EQ(Events, (std::vector<AnsiString>{"free ", "free Target", "free Holder"}));
}

TEST(ComponentTest, StateFlagsAndLoaded) {
  TComponent Owner(nullptr);
  auto* Child = new TComponent(&Owner);
  Owner.SetDesigning(true);
  EXPECT_TRUE(Child->HasState(csDesigning));
  auto* Late = new TComponent(&Owner);
  EXPECT_TRUE(Late->HasState(csDesigning));  // joins a designed owner
  Owner.SetComponentState(Owner.GetComponentState() | csLoading);
  Owner.Loaded();
  EXPECT_FALSE(Owner.HasState(csLoading));
  EXPECT_TRUE(Owner.HasState(csDesigning));
  Owner.Destroying();
  EXPECT_TRUE(Child->HasState(csDestroying));
}

TEST(ComponentTest, InsertAndRemoveMoveBetweenOwners) {
  TComponent A(nullptr), B(nullptr);
  auto* C = new TComponent(&A);
  C->SetName("C");
  B.InsertComponent(C);
  EXPECT_EQ(C->GetOwner(), &B);
  EXPECT_EQ(A.GetComponentCount(), 0);
  auto* D = new TComponent(&A);
  D->SetName("C");
  EXPECT_THROW(B.InsertComponent(D), EComponentError);  // B already owns a C
  EXPECT_EQ(D->GetOwner(), &A);
  B.RemoveComponent(C);
  EXPECT_EQ(C->GetOwner(), nullptr);
  delete C;
}

// A component that frees another when it hears of a removal: the owner's broadcast must
// not reach the freed one or skip past its end.
TEST(ComponentTest, NotificationHandlerMayFreeSiblings) {
  class TReaper : public TComponent {
  public:
    using TComponent::TComponent;
    TComponent* Victim = nullptr;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      if (Operation == TOperation::opRemove && Victim != nullptr && AComponent != Victim) {
        TComponent* Doomed = Victim;
        Victim = nullptr;
        delete Doomed;
      }
    }
  };
  TComponent Owner(nullptr);
  auto* First = new TComponent(&Owner);
  auto* Reaper = new TReaper(&Owner);
  auto* Second = new TComponent(&Owner);
  auto* Third = new TComponent(&Owner);
  Reaper->Victim = First;
  delete Third;  // the broadcast reaches the reaper, which frees First
  EXPECT_EQ(Owner.GetComponentCount(), 2);
  EXPECT_EQ(Owner.GetComponent(0), Reaper);
  EXPECT_EQ(Owner.GetComponent(1), Second);
}
