// How controls nest in form files: written inside their parent, given that parent when read,
// and put into the file's tab order once all siblings exist.

#include <algorithm>
#include <utility>

#include "Controls.h"

namespace vcl {

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (Value == nullptr) return SetParent(nullptr);
  auto* Parent = dynamic_cast<TWinControl*>(Value);
  if (Parent == nullptr)
    throw EInvalidOperation(Format("%s cannot hold the control %s: it is not a windowed control",
                                   {Value->GetName().empty() ? Value->ClassName() : Value->GetName(), GetName()}));
  SetParent(Parent);
}

void TControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  if (Root == this) TComponent::GetChildren(Proc, Root);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  // Proc may not change the children, but a copy keeps the walk safe if it does.
  const std::vector<TControl*> Children = FControls;
  for (TControl* Control : Children)
    if (Control->GetOwner() == Root) Proc(Control);
  if (Root != this) return;
  for (int I = 0; I < GetComponentCount(); ++I)
    if (TComponent* Component = GetComponent(I); !Component->HasParent()) Proc(Component);
}

// Applied lowest first, each insertion lands at or after the ones before it, so the
// siblings end at exactly the positions the file gave, whatever order they were read in.
void TWinControl::Loaded() {
  TControl::Loaded();
  std::vector<TWinControl*> Read;
  for (TWinControl* Child : FTabList)
    if (Child->FReadTabOrder >= 0) Read.push_back(Child);
  std::stable_sort(Read.begin(), Read.end(),
                   [](const TWinControl* A, const TWinControl* B) { return A->FReadTabOrder < B->FReadTabOrder; });
  for (TWinControl* Child : Read) {
    const int Order = std::exchange(Child->FReadTabOrder, -1);
    Child->SetTabOrder(Order);
  }
}

}  // namespace vcl
