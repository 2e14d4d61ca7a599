// TComponent: ownership, names, free notification and component state.
#include <algorithm>

#include "Classes.h"
#include "TypInfo.h"

namespace vcl {

namespace {

void EraseFirst(std::vector<TComponent*>& List, TComponent* Item) {
  const auto It = std::find(List.begin(), List.end(), Item);
  if (It != List.end()) List.erase(It);
}

// Components mostly go last made, first freed: look from the end.
void EraseLast(std::vector<TComponent*>& List, TComponent* Item) {
  const auto It = std::find(List.rbegin(), List.rend(), Item);
  if (It != List.rend()) List.erase(std::next(It).base());
}

}  // namespace

const TClassInfo& TComponent::StaticClassInfo() {
  // The name travels in the "object Name: TClass" line, never as a property.
  static const TClassInfo Info = TClassInfoBuilder<TComponent>("TComponent", &TPersistent::StaticClassInfo())
                                     .String("Name", &TComponent::GetName, &TComponent::SetName, NoDefault)
                                     .Stored(false)
                                     .Integer("Tag", &TComponent::GetTag, &TComponent::SetTag, 0)
                                     .Build();
  return Info;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* Linked = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    EraseFirst(Linked->FFreeNotifies, this);
    Linked->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

// Last created, first freed. A component that others asked to hear of is removed with a
// notification, so that its siblings drop their references before it goes.
void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Instance = FComponents.back();
    if (Instance->HasState(csFreeNotification)) {
      RemoveComponent(Instance);
    } else {
      Instance->LeaveOwner();
      FComponents.pop_back();
    }
    delete Instance;
  }
}

TComponent* TComponent::GetComponent(int Index) const {
  if (Index < 0 || Index >= GetComponentCount()) throw EListError(Format(Consts::SListIndexError, {Index}));
  return FComponents[static_cast<size_t>(Index)];
}

// Names are unique among siblings (without case), so one map finds them.
TComponent* TComponent::FindComponent(const AnsiString& AName) const {
  if (AName.empty() || FNames == nullptr) return nullptr;
  const auto It = FNames->find(LowerCase(AName));
  return It != FNames->end() ? It->second : nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->FOwner == this) return;
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName) != nullptr)
    throw EComponentError(Format(Consts::SDuplicateName, {CutForMessage(AComponent->FName)}));
  if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  AddName(AComponent);
  AComponent->Listen();
  Listen();  // an owner of components passes notifications on
  AComponent->SetReference(true);
  if (HasState(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->FOwner != this) return;
  Notification(AComponent, TOperation::opRemove);
  AComponent->SetReference(false);
  AComponent->LeaveOwner();
  EraseLast(FComponents, AComponent);
}

void TComponent::Listen() {
  if (FListening || FOwner == nullptr || (!HasState(csFreeNotification) && FComponents.empty())) return;
  FOwner->FListeners.push_back(this);
  FListening = true;
}

// The owner's list of components stays for the caller to update.
void TComponent::LeaveOwner() {
  if (FListening) EraseLast(FOwner->FListeners, this);
  FListening = false;
  FOwner->RemoveName(this);
  FOwner = nullptr;
}

void TComponent::AddName(TComponent* Child) {
  if (Child->FName.empty()) return;
  if (FNames == nullptr) FNames = std::make_unique<std::unordered_map<AnsiString, TComponent*>>();
  (*FNames)[LowerCase(Child->FName)] = Child;
}

void TComponent::RemoveName(TComponent* Child) {
  if (Child->FName.empty() || FNames == nullptr) return;
  const auto It = FNames->find(LowerCase(Child->FName));
  if (It != FNames->end() && It->second == Child) FNames->erase(It);
}

void TComponent::SetName(const AnsiString& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) throw EComponentError(Format(Consts::SInvalidName, {CutForMessage(NewName)}));
  if (FOwner != nullptr) {
    TComponent* Other = FOwner->FindComponent(NewName);
    if (Other != nullptr && Other != this) throw EComponentError(Format(Consts::SDuplicateName, {CutForMessage(NewName)}));
  }
  SetReference(false);
  if (FOwner != nullptr) FOwner->RemoveName(this);
  FName = NewName;
  if (FOwner != nullptr) FOwner->AddName(this);
  SetReference(true);
}

void TComponent::SetComponentState(TComponentState State) {
  FComponentState = State;
  Listen();
}

// Keeps the owner's field of this component's name (a form's "Button1") pointing at it.
void TComponent::SetReference(bool Enable) {
  if (FOwner == nullptr || FName.empty()) return;
  const TClassInfo* Info = FOwner->ClassInfo();
  const TFieldEntry* Field = Info != nullptr ? Info->FindField(FName) : nullptr;
  if (Field == nullptr) return;
  if (Enable)
    Field->Set(FOwner, this);
  else if (Field->Get(FOwner) == this)
    Field->Set(FOwner, nullptr);
}

void TComponent::SetDesigning(bool Value) {
  if (Value)
    FComponentState |= csDesigning;
  else
    FComponentState &= ~static_cast<TComponentState>(csDesigning);
  for (TComponent* Component : FComponents) Component->SetDesigning(Value);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (FOwner == nullptr || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  } else {
    // Siblings hear of each other through their owner; make sure it tells them even
    // while it frees its components.
    AComponent->FComponentState |= csFreeNotification;
    AComponent->Listen();
  }
  FComponentState |= csFreeNotification;
  Listen();
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  EraseFirst(FFreeNotifies, AComponent);
  EraseFirst(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
  // A handler may free components: re-check the index on every step.
  for (size_t I = FListeners.size(); I-- > 0;)
    if (I < FListeners.size()) FListeners[I]->Notification(AComponent, Operation);
}

void TComponent::Loaded() { FComponentState &= ~static_cast<TComponentState>(csLoading); }

void TComponent::Destroying() {
  if (HasState(csDestroying)) return;
  FComponentState |= csDestroying;
  for (TComponent* Component : FComponents) Component->Destroying();
}

// A root writes the components it owns that nothing else nests; any component writes the
// root's components whose parent it is.
void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  if (Root == nullptr) return;
  for (int I = 0; I < Root->GetComponentCount(); ++I) {
    TComponent* Child = Root->FComponents[static_cast<size_t>(I)];
    TComponent* Parent = Child->GetParentComponent();
    const bool Nested = Parent != nullptr && Parent != Root && Parent->FOwner == Root;
    if (this == Root ? !Nested : Parent == this) Proc(Child);
  }
}

}  // namespace vcl
