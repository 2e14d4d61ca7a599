#pragma once
// Forms, the hint window and the application object.

#include <exception>
#include <functional>

#include "Controls.h"

namespace vcl {

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TMethodRef<TObject* /*Sender*/, TCloseAction& /*Action*/>;
using TCloseQueryEvent = TMethodRef<TObject* /*Sender*/, bool& /*CanClose*/>;
// Where a form appears when shown: where its bounds say (poDesigned), or centred on the
// screen or on the main or owning form. The window system's default places count as poDesigned.
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
class TMainMenu;

// The form designer of a form being designed. The controls being designed (csDesigning)
// offer it every message before they act on it, so that a click selects a control instead
// of pressing it.
class IDesignerHook {
public:
  virtual ~IDesignerHook() = default;
  // True when the designer took Message for Sender; the control then does nothing with it.
  virtual bool IsDesignMsg(TControl* Sender, TMessage& Message) = 0;
};

// ---------------------------------------------------------------- TCustomForm

// A top-level window. The active control is the one that takes the keyboard; moving it runs
// DoExit on the old control and DoEnter on the new one. Tab and Shift+Tab move it in tab
// order, the arrow keys among the siblings; other dialog keys are offered to every control
// (CM_DIALOGKEY), which is how default and cancel buttons answer Enter and Esc.
class TCustomForm : public TWinControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  // Adds the protected ActiveControl and form events, and redeclares ParentFont and Visible
  // with the default False.
  static const TClassInfo& StaticClassInfo();
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Makes Control the active control; false when Control cannot take the focus.
  bool SetFocusedControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  // Control is going away or can no longer hold the focus: forget it as active control.
  void DefocusControl(TWinControl* Control, bool Removing);
  bool GetActive() const { return FActive; }
  TModalResult GetModalResult() const { return FModalResult; }
  // Setting a result other than mrNone ends a ShowModal run.
  void SetModalResult(TModalResult Value);
  TCanvas* GetCanvas() { return GetWindowCanvas(); }
  // poDesigned by default; applied each time the form is shown.
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  // The frame of a top-level form: bsSizeable (the default) lets the user size it within
  // Constraints; bsSingle, bsDialog (no minimize or maximize buttons) and bsToolWindow
  // keep the size code gives it; bsNone has no frame.
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  // The form's OnKeyDown, OnKeyPress and OnKeyUp run before the focused control's; a key
  // they zero goes no further. False by default.
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  // The menu bar shown above the client area; null (the default) shows none. Its shortcuts
  // work from every control of the form. Cleared when that menu goes away.
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // The designer that takes the input of the form's designed controls; null (the default)
  // when the form is not being designed. Not owned.
  IDesignerHook* GetDesigner() const { return FDesigner; }
  void SetDesigner(IDesignerHook* Value) { FDesigner = Value; }

  void Show();
  void Close();
  // Shows the form and runs the event loop until ModalResult is set; returns it.
  TModalResult ShowModal();
  // Frees the form from the event loop once its running handlers have returned.
  void Release();

  const TNotifyEvent& GetOnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent Value) { FOnCreate = std::move(Value); }
  const TNotifyEvent& GetOnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = std::move(Value); }
  const TNotifyEvent& GetOnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  const TNotifyEvent& GetOnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent Value) { FOnActivate = std::move(Value); }
  const TNotifyEvent& GetOnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = std::move(Value); }
  const TNotifyEvent& GetOnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }
  const TCloseEvent& GetOnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent Value) { FOnClose = std::move(Value); }
  const TCloseQueryEvent& GetOnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = std::move(Value); }

  void Dispatch(TMessage& Message) override;
  // Fires OnDestroy once. A form class whose handlers are its own methods calls it first
  // in its destructor, so that OnDestroy runs while the whole form still exists; otherwise
  // it runs from the form's own destructor.
  void Destroying() override;
  // The active control read from a form file takes the focus once every control is there.
  void Loaded() override;

protected:
  // Reads the form's stored description, the form text resource Name (resources/forms/
  // Name.dfm, case ignored), into this form: its properties, its components, which fill the
  // published fields of the same names, and its handlers, bound by name; then fires
  // OnCreate. A form class calls it from its constructor. EResNotFound without such a
  // resource; EReadError, EClassNotFound or EParserError naming the line where the
  // description and the class disagree (a missing field or handler, a component of another
  // class than its field's, an unknown property); nothing read stays then.
  void ReadFormResource(const AnsiString& Name);
  // The same for a description given as text.
  void ReadFormText(const AnsiString& Text);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void DestroyWnd() override;
  void PaintWindow() override;
  virtual void Paint();
  virtual void Activate();
  virtual void Deactivate();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void CMDialogKey(TWMKey& Message);
  void CMRelease(TMessage&) { delete this; }
  void CMActivate(TMessage& Message);
  void CMDeactivate(TMessage& Message);
  void WMClose(TMessage& Message);
  // Gives the window the size limits of Constraints, or its current size when the frame
  // is not sizeable.
  void ApplySizeLimits();
  void ConstraintsChanged(TObject* Sender);
  // Moves the form where Position says, before it is shown.
  void PlaceOnScreen();
  // Centres the form, frame and all, on the work area, shrunk to fit it (the poDefault kinds).
  void FitOnScreen();

  TWinControl* FActiveControl = nullptr;
  TPosition FPosition = poDesigned;
  TFormBorderStyle FBorderStyle = bsSizeable;
  bool FKeyPreview = false;
  TWinControl* FFocusedControl = nullptr;
  TMainMenu* FMenu = nullptr;
  IDesignerHook* FDesigner = nullptr;
  bool FDestroyFired = false;
  bool FActive = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  TNotifyEvent FOnCreate, FOnDestroy, FOnShow, FOnActivate, FOnDeactivate, FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
};

// An empty form made in code; its client area starts at 320 x 240.
class TForm : public TCustomForm {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TForm(TComponent* AOwner);
};

// The form that holds Control, or null when it lies on none.
TCustomForm* GetParentForm(TControl* Control);
// The designer of the nearest form, Control itself or a parent, that has one; or null.
IDesignerHook* FindDesigner(TControl* Control);

// ---------------------------------------------------------------- THintWindow

// A top-level tool-tip window that shows a hint text with a one-pixel border. A hint is a
// glance, not a document: it shows at most MaxHintLines lines of at most MaxHintLineBytes
// bytes each (longer text ends in "…") in a window of at most MaxHintExtent pixels a side.
class THintWindow : public TCustomControl {
public:
  static constexpr int MaxHintLines = 40;
  static constexpr int MaxHintLineBytes = 500;
  static constexpr int MaxHintExtent = 2048;

  explicit THintWindow(TComponent* AOwner);
  // The window size that shows Hint (as ShownHint cuts it) wrapped at MaxWidth (clamped to
  // 1..MaxHintExtent), with origin 0, 0.
  virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);
  // Shows the window at a screen rectangle (clamped to MaxHintExtent a side) with the hint
  // as ShownHint cuts it.
  virtual void ActivateHint(const TRect& Rect, const AnsiString& AHint);
  // The part of Hint that a hint window shows: whole when it is within the bounds above.
  static AnsiString ShownHint(const AnsiString& Hint);
  // Hides the window by destroying it.
  void ReleaseHandle();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

// ---------------------------------------------------------------- TApplication

using TExceptionEvent = TMethodRef<TObject* /*Sender*/, const Exception& /*E*/>;
using TIdleEvent = TMethodRef<TObject* /*Sender*/, bool& /*Done*/>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Creates the Qt application object when the program has none yet.
  void Initialize(int& Argc, char** Argv);
  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    if (FMainForm == nullptr) FMainForm = Reference;
  }
  TCustomForm* GetMainForm() const { return FMainForm; }
  // The window that owns the dialogs and messages shown now: the active form's, else the
  // last active form's, else the main form's, whichever is shown first; null when none is.
  HWND GetActiveFormHandle() const;
  // Shows the main form and runs the event loop until Terminate or the main form closes,
  // then finalizes the application.
  void Run();
  // Frees the forms the application owns and the Qt application object Initialize made,
  // while Qt is still whole; a program that never runs the loop calls it before main ends.
  void Finalize();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Delivers the queued messages and input, due timers included, then returns.
  void ProcessMessages();
  // Handles what is queued; when nothing is, idles: OnIdle runs and, unless it cleared
  // Done, the program sleeps until input, a posted message or a due timer arrives.
  void HandleMessage();
  // Reports the exception being handled: OnException when assigned, else a message box.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);

  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }
  const AnsiString& GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }

  const TExceptionEvent& GetOnException() const { return FOnException; }
  void SetOnException(TExceptionEvent Value) { FOnException = std::move(Value); }
  // Runs whenever the queue is empty; Done (true on entry) false asks to be called again
  // without sleeping first.
  const TIdleEvent& GetOnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent Value) { FOnIdle = std::move(Value); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Idle();
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  AnsiString FTitle;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
};

extern TApplication* Application;

// ---------------------------------------------------------------- TScreen

// Every form that exists, in creation order, and the one the user works in.
class TScreen {
public:
  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetForm(int Index) const;  // EListError outside 0..FormCount-1
  // The shown form that is active (has the window system's focus), or null.
  TCustomForm* GetActiveForm() const;
  // The form that was active last and still exists: the active one, or the one that a
  // dialog or another program has just taken the activation from.
  TCustomForm* GetLastActiveForm() const { return FLastActiveForm; }
  // crDefault by default, where each control shows its own cursor; any other cursor shows
  // over every window of the program (crHourGlass while it is busy).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);

private:
  friend class TCustomForm;
  std::vector<TCustomForm*> FForms;
  TCustomForm* FLastActiveForm = nullptr;
  TCursor FCursor = crDefault;
};

extern TScreen* Screen;

}  // namespace vcl
