// TGroupBox: an etched frame with the caption set into its top edge.

#include "OleAcc.h"
#include "StdCtrls.h"

namespace vcl {

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
}

// The frame runs through the middle of the caption's line: a highlight line one pixel
// down and right of a shadow line makes it look cut in; without Ctl3D it is a plain line.
void TGroupBox::Paint() {
  TCanvas* C = GetCanvas();
  C->SetFont(FFont.get());
  const int H = C->TextHeight("0");
  TRect Frame{0, H / 2 - 1, FWidth, FHeight};
  C->GetBrush()->SetStyle(bsSolid);
  if (FCtl3D) {
    const TRect Lit{Frame.Left + 1, Frame.Top + 1, Frame.Right, Frame.Bottom};
    C->GetBrush()->SetColor(clBtnHighlight);
    C->FrameRect(Lit);
    Frame = TRect{Lit.Left - 1, Lit.Top - 1, Lit.Right - 1, Lit.Bottom - 1};
    C->GetBrush()->SetColor(clBtnShadow);
  } else {
    C->GetBrush()->SetColor(clWindowFrame);
  }
  C->FrameRect(Frame);
  if (FText.empty()) return;
  const unsigned Flags = static_cast<unsigned>(DrawTextBiDiModeFlags(DT_SINGLELINE));
  TRect Caption{8, 0, 0, H};
  DrawText(C->GetHandle(), FText.c_str(), static_cast<int>(FText.size()), &Caption, Flags | DT_CALCRECT);
  if (UseRightToLeftAlignment()) {
    const int Width = Caption.Width();
    Caption.Right = FWidth - 8;
    Caption.Left = Caption.Right - Width;
  }
  C->GetBrush()->SetColor(FColor);
  DrawText(C->GetHandle(), FText.c_str(), static_cast<int>(FText.size()), &Caption, Flags);
}

void TGroupBox::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETOBJECT) WMGetObject(Message);
  else TCustomControl::Dispatch(Message);
}

namespace {
// Captions are often padded with spaces to stand off the frame; a name is not.
AnsiString Spoken(const AnsiString& Caption) {
  const AnsiString Text = StripHotkey(Caption);
  const auto First = Text.find_first_not_of(' ');
  if (First == AnsiString::npos) return {};
  return Text.substr(First, Text.find_last_not_of(' ') - First + 1);
}
}  // namespace

// The children are the windows inside: a description stands in for the window's own list.
void TGroupBox::WMGetObject(TMessage& Message) {
  TWMGetObject Get(Message);
  if (Get.ObjectId != OBJID_CLIENT || !Get.Object) {
    TCustomControl::Dispatch(Message);
    return;
  }
  TAccObject& Group = *Get.Object;
  Group.Role = ROLE_SYSTEM_GROUPING;
  Group.Name = Spoken(FText);
  Group.Bounds = GetClientRect();
  for (int I = 0; I < GetControlCount(); ++I)
    if (auto* Child = dynamic_cast<TWinControl*>(GetControl(I)); Child && Child->HandleAllocated())
      Group.Children.emplace_back().Window = Child->GetHandle();
  Get.Result = 1;
}

}  // namespace vcl
