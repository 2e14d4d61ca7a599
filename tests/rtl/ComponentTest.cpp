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
  auto* C = new TProbe(&Owner);
  EXPECT_EQ(Owner.Heard.back(), std::make_pair(static_cast<TComponent*>(C), TOperation::opInsert));
  EXPECT_EQ(Owner.GetComponent(1), C);
  EXPECT_TRUE(B->Heard.empty());  // it asked to hear of nothing
}

// Every component inserted into an owner used to be told to every sibling, which made
// reading a form of n components cost n squared. Now the owner tells those that listen:
// the components linked by free notification, and the owners of components, which pass it
// on to theirs.
TEST(ComponentTest, SiblingsThatListenHearOfInsertsAndRemovals) {
  enum TSetup { Plain, AskedForSibling, AskedBySibling, LinkedAcrossOwners, OwnsAListener, OwnsPlainOnes };
  struct TRow {
    const char* Name;
    TSetup Setup;
    bool Hears;       // the sibling itself
    bool InnerHears;  // the component it owns, if any
  };
  const TRow Rows[] = {
      {"a plain sibling", Plain, false, false},
      {"a sibling that asked to hear of another", AskedForSibling, true, false},
      {"a sibling another asked to hear of", AskedBySibling, true, false},
      {"a sibling linked to a component of another owner", LinkedAcrossOwners, true, false},
      {"an owner of a listening component", OwnsAListener, true, true},
      {"an owner of plain components", OwnsPlainOnes, true, false},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TProbe Owner(nullptr), Elsewhere(nullptr);
    auto* Sibling = new TProbe(&Owner);
    auto* Other = new TProbe(&Owner);
    auto* Inner = new TProbe(Row.Setup == OwnsAListener || Row.Setup == OwnsPlainOnes ? Sibling : &Elsewhere);
    switch (Row.Setup) {
      case Plain: break;
      case AskedForSibling: Other->FreeNotification(Sibling); break;
      case AskedBySibling: Sibling->FreeNotification(Other); break;
      case LinkedAcrossOwners: Inner->FreeNotification(Sibling); break;
      case OwnsAListener: Inner->FreeNotification(&Elsewhere); break;
      case OwnsPlainOnes: break;
    }
    Sibling->Heard.clear();
    Inner->Heard.clear();
    auto* Added = new TProbe(&Owner);
    const std::vector<std::pair<TComponent*, TOperation>> Both{{Added, TOperation::opInsert},
                                                               {Added, TOperation::opRemove}};
    delete Added;
    EXPECT_EQ(Sibling->Heard, Row.Hears ? Both : decltype(Both){});
    EXPECT_EQ(Inner->Heard, Row.InnerHears ? Both : decltype(Both){});
    EXPECT_EQ(Owner.Heard.back(), Both.back());  // the owner always hears
    if (Inner->GetOwner() == &Elsewhere) delete Inner;
  }
}

// A form's fields, FindComponent and the duplicate-name check go through the owner's map of
// names: it must follow renames, moves between owners and frees.
TEST(ComponentTest, FindComponentFollowsRenamesMovesAndFrees) {
  TComponent A(nullptr), B(nullptr);
  auto* C = new TComponent(&A);
  C->SetName("Edit1");
  C->SetName("EDIT1");
  EXPECT_EQ(A.FindComponent("edit1"), C);
  C->SetName("Memo1");
  EXPECT_EQ(A.FindComponent("Edit1"), nullptr);
  EXPECT_EQ(A.FindComponent("MEMO1"), C);
  auto* D = new TComponent(&A);
  D->SetName("Edit1");  // the old name is free again
  B.InsertComponent(C);
  EXPECT_EQ(A.FindComponent("Memo1"), nullptr);
  EXPECT_EQ(B.FindComponent("Memo1"), C);
  C->SetName("");
  EXPECT_EQ(B.FindComponent("Memo1"), nullptr);
  C->SetName("Memo1");
  delete C;
  EXPECT_EQ(B.FindComponent("Memo1"), nullptr);
  auto* E = new TComponent(&B);
  E->SetName("Memo1");
  EXPECT_EQ(B.FindComponent("memo1"), E);
  delete D;
  auto* F = new TComponent(&A);
  F->SetName("Edit1");
  EXPECT_EQ(A.FindComponent("Edit1"), F);
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
  // The reaper holds First, so it asks to hear of it; Second and Third listen too.
  Reaper->FreeNotification(First);
  Second->FreeNotification(Third);
  Reaper->Victim = First;
  delete Third;  // the broadcast reaches the reaper, which frees First
  EXPECT_EQ(Owner.GetComponentCount(), 2);
  EXPECT_EQ(Owner.GetComponent(0), Reaper);
  EXPECT_EQ(Owner.GetComponent(1), Second);
}
