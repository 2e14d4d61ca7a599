#include "PaletteView.h"

#include "Graphics.h"

using namespace vcl;

namespace designer {

namespace {
constexpr int TabWidth = 96, TabHeight = 22;
constexpr int EntryHeight = 34, PictureSize = 24;

// The class's palette picture, a bitmap resource named after the class in capitals.
bool HasPicture(const TClassInfo& Info) {
  std::size_t Size = 0;
  return FindResourceBytes(UpperCase(Info.ClassName()), Size) != nullptr;
}
}  // namespace

TPaletteView::TPaletteView(TComponent* Owner, TWinControl* Parent, const TComponentPalette& Palette, TPickEvent OnPick)
    : FOwner(Owner), FPalette(Palette), FOnPick(std::move(OnPick)) {
  FPanel = new TPanel(Owner);
  FPanel->SetParent(Parent);
  FPanel->SetAlign(alTop);
  FPanel->SetHeight(TabHeight + EntryHeight + 8);
  FPanel->SetBevelOuter(bvNone);
  int Left = 4;
  for (const TPalettePage& Page : Palette.Pages()) {
    auto* Tab = new TPanel(Owner);
    Tab->SetParent(FPanel);
    Tab->SetBounds(Left, 2, TabWidth, TabHeight);
    Tab->SetCaption(Page.Name);
    const AnsiString Name = Page.Name;
    Tab->SetOnClick([this, Name](TObject*) { ShowPage(Name); });
    FTabs.push_back(Tab);
    Left += TabWidth + 2;
  }
  FEntries = new TPanel(Owner);
  FEntries->SetParent(FPanel);
  FEntries->SetBounds(4, TabHeight + 4, 4, EntryHeight + 2);
  FEntries->SetBevelOuter(bvLowered);
  FEntries->SetAnchors(TAnchors{akLeft, akTop, akRight});
  if (!Palette.Pages().empty()) ShowPage(Palette.Pages().front().Name);
}

void TPaletteView::ShowPage(const AnsiString& Name) {
  const TPalettePage* Page = FPalette.FindPage(Name);
  if (!Page) return;
  FPage = Page->Name;
  for (TPanel* Tab : FTabs) ShowDown(Tab, SameText(Tab->GetCaption(), FPage));
  for (const TEntry& Shown : FShown) delete Shown.Panel;
  FShown.clear();
  int Left = 1;
  FShown.push_back(TEntry{nullptr, AddEntry(nullptr, Left)});
  Left += FShown.back().Panel->GetWidth();
  for (const TClassInfo* Info : Page->Classes) {
    FShown.push_back(TEntry{Info, AddEntry(Info, Left)});
    Left += FShown.back().Panel->GetWidth();
  }
  FEntries->SetWidth(FPanel->GetClientWidth() - 8);
  SetPicked(nullptr);
  if (FOnPick) FOnPick(nullptr);
}

TPanel* TPaletteView::AddEntry(const TClassInfo* Info, int Left) {
  // The entry owns its picture and caption, so that a page change frees them with it.
  auto* Entry = new TPanel(FOwner);
  Entry->SetParent(FEntries);
  Entry->SetHint(Info ? Info->ClassName() : AnsiString("Select"));
  Entry->SetShowHint(true);
  const TNotifyEvent Pick = [this, Info](TObject*) {
    SetPicked(Info);
    if (FOnPick) FOnPick(Info);
  };
  Entry->SetOnClick(Pick);
  int Width = 2 * 4;
  if (Info && HasPicture(*Info)) {
    auto* Picture = new TImage(Entry);
    Picture->SetParent(Entry);
    Picture->SetBounds(4, (EntryHeight - PictureSize) / 2, PictureSize, PictureSize);
    Picture->GetPicture()->GetBitmap()->LoadFromResourceName(HInstance, UpperCase(Info->ClassName()));
    Picture->SetOnClick(Pick);
    Width += PictureSize + 4;
  }
  auto* Caption = new TLabel(Entry);
  Caption->SetParent(Entry);
  Caption->SetCaption(Info ? Info->ClassName().substr(1) : AnsiString("Select"));
  Caption->SetLeft(Width - 4);
  Caption->SetTop((EntryHeight - Caption->GetHeight()) / 2);
  Caption->SetTransparent(true);
  Caption->SetOnClick(Pick);
  Width += Caption->GetWidth();
  Entry->SetBounds(Left, 1, Width, EntryHeight);
  return Entry;
}

void TPaletteView::SetPicked(const TClassInfo* Info) {
  for (const TEntry& Shown : FShown) ShowDown(Shown.Panel, Shown.Info == Info);
}

void TPaletteView::ShowDown(TPanel* Panel, bool Down) {
  Panel->SetBevelOuter(Down ? bvLowered : bvRaised);
  Panel->SetColor(Down ? clWindow : clBtnFace);
}

TPanel* TPaletteView::PageTab(const AnsiString& Name) const {
  for (TPanel* Tab : FTabs)
    if (SameText(Tab->GetCaption(), Name)) return Tab;
  return nullptr;
}

TPanel* TPaletteView::Entry(const AnsiString& ClassName) const {
  for (const TEntry& Shown : FShown)
    if (Shown.Info ? SameText(Shown.Info->ClassName(), ClassName) : ClassName.empty()) return Shown.Panel;
  return nullptr;
}

}  // namespace designer
