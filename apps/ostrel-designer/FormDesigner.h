#pragma once
// The designer of one form: the form being designed, the selected component, dropping a
// palette class on the form, moving and sizing with the mouse and the arrow keys, the
// component editor's verbs in a context menu, the modified state, undo, and the form as
// text. The form's designed controls send their input here (IDesignerHook) instead of
// acting on it.

#include <memory>
#include <optional>

#include "DesignHistory.h"
#include "DesignIntf.h"
#include "Forms.h"
#include "GrabHandles.h"
#include "Menus.h"

namespace designer {

class TFormDesigner : public vcl::IFormDesigner,
                      public vcl::IDesignerHook,
                      public std::enable_shared_from_this<TFormDesigner> {
public:
  // A designer with a new empty form, placed in Host (a top-level window when null).
  // Shared, because property and component editors hold it while their dialogs are open.
  static std::shared_ptr<TFormDesigner> Create(vcl::TWinControl* Host);
  ~TFormDesigner() override;

  // ----- the designed form
  // Never null; replaced by NewForm, LoadFromText and Undo.
  vcl::TForm* GetForm() const { return FForm.get(); }
  vcl::TComponent* GetRoot() override { return FForm.get(); }
  // Replaces the form by an empty "Form1"; the history starts again, nothing is modified.
  void NewForm();
  // Replaces the form by the one Text describes (the classic form text); the history
  // starts again, nothing is modified. The reader's error (naming the line) or
  // std::bad_alloc passes on, and the form being designed stays as it was.
  void LoadFromText(const vcl::AnsiString& Text);
  // The form as form text. The designer keeps the form shown, which is not the form's own
  // Visible; that is left out.
  vcl::AnsiString SaveToText() const;

  // ----- changes
  // The form changed (an editor, the inspector or the mouse changed it): it is modified
  // and the state before becomes undoable. OnChange fires.
  void Modified() override;
  bool GetModified() const { return FHistory.IsModified(); }
  // The form was written to its file: no longer modified.
  void MarkSaved();
  bool CanUndo() const { return FHistory.CanUndo(); }
  // Brings back the form as it was before the last change, with the component of the
  // same name selected; nothing without an undoable change.
  void Undo();

  // ----- the palette and dropping
  // The class the next click on the form drops; null (the default) makes clicks select.
  const vcl::TClassInfo* GetDropClass() const { return FDropClass; }
  void SetDropClass(const vcl::TClassInfo* Value) { FDropClass = Value; }
  // Creates a component of Info owned by the form, named uniquely ("Ostrel1"); a control
  // goes on Parent (the form when null) with its top-left corner at X, Y of Parent's client
  // area, in the class's default size, and a caption the same as its name when it has one.
  // The new component is selected and the form modified.
  vcl::TComponent* DropComponent(const vcl::TClassInfo& Info, vcl::TWinControl* Parent, int X, int Y);
  // The class name without its "T" and the smallest number from 1 that no component of the
  // form has yet: "Button1", "Button2".
  vcl::AnsiString UniqueName(const vcl::TClassInfo& Info) const;

  // ----- selection
  // The selected component; the form itself when nothing else is.
  vcl::TComponent* GetSelection() const { return FSelection ? FSelection : FForm.get(); }
  // Selects Component (the form for null or a component of another form); OnSelectionChange
  // fires when the selection changed.
  void Select(vcl::TComponent* Component);
  // Moves (or, with Size, sizes) the selected control by DX, DY pixels; the form modified.
  void NudgeSelection(int DX, int DY, bool Size);
  // The grab handles around the selected control.
  const TGrabHandles& GetHandles() const { return FHandles; }
  // Deletes the selected component (not the form) and selects the form; the form modified.
  void DeleteSelection();

  // ----- component editors
  // The context menu of the selected component: the verbs of its component editor, in
  // order; choosing one runs it. Rebuilt each time it is shown.
  vcl::TPopupMenu* ContextMenu();
  // Shows ContextMenu at a screen point.
  void ShowContextMenu(int ScreenX, int ScreenY);
  // Runs the selected component's component editor's Edit, as a double click does.
  void EditSelection();

  // Reads the designed form back from its text into a new, undesigned form and shows it:
  // the form as it runs. The designer keeps it until the next preview or its own end.
  vcl::TForm* Preview();
  vcl::TForm* GetPreviewForm() const { return FPreview.get(); }

  // Fires after the form changed, was replaced, saved or undone.
  vcl::TNotifyEvent OnChange;
  // Fires when another component is selected, or the selected one's form was replaced.
  vcl::TNotifyEvent OnSelectionChange;

  bool IsDesignMsg(vcl::TControl* Sender, vcl::TMessage& Message) override;

private:
  explicit TFormDesigner(vcl::TWinControl* Host);
  struct TDrag {
    vcl::TControl* Control = nullptr;
    std::optional<THandle> Handle;  // none: moving
    vcl::TPoint Start;              // screen point of the press
    vcl::TRect Bounds;              // the control's bounds at the press
  };

  // Reads Text into a new designed form, or raises the reader's error.
  std::unique_ptr<vcl::TForm> ReadForm(const vcl::AnsiString& Text) const;
  void InstallForm(std::unique_ptr<vcl::TForm> Form);
  void SetBoundsAndHandles(vcl::TControl* Control, const vcl::TRect& R);
  // The deepest designed control under a screen point, or the form.
  vcl::TControl* DesignedControlAt(const vcl::TPoint& Screen) const;
  // The control nearest Control that can hold controls (a panel, group box or the form).
  vcl::TWinControl* ContainerOf(vcl::TControl* Control) const;
  bool MouseMessage(vcl::TControl* Sender, vcl::TMessage& Message);
  bool KeyMessage(vcl::TMessage& Message);
  void FocusForm();
  void Changed();

  vcl::TWinControl* FHost;
  std::unique_ptr<vcl::TForm> FForm;
  std::unique_ptr<vcl::TForm> FPreview;
  vcl::TComponent* FSelection = nullptr;  // null: the form
  const vcl::TClassInfo* FDropClass = nullptr;
  std::optional<TDrag> FDrag;
  TGrabHandles FHandles;
  TDesignHistory FHistory;
  std::unique_ptr<vcl::TPopupMenu> FContextMenu;
  std::shared_ptr<vcl::TComponentEditor> FMenuEditor;  // the editor whose verbs the menu shows
};

}  // namespace designer
