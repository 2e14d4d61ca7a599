#pragma once
// Controls: the base control, windowed controls, custom-drawn controls and graphic controls.

#include <array>
#include <memory>
#include <vector>

#include "Classes.h"
#include "ControlTypes.h"
#include "Graphics.h"
#include "Messages.h"

namespace vcl {

class TWinControl;
class TCustomForm;

class EInvalidOperation : public Exception { public: using Exception::Exception; };

// ---------------------------------------------------------------- TSizeConstraints

// Limits on a control's size; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value);
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value);
  void Assign(TPersistent* Source) override;
  const TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
  void Change();
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
  TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------- TControl

// Left, Top, Width, Height, Cursor, Hint and HelpContext are published; the other
// properties are registered protected, for descendants to publish.
class TControl : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Places and sizes lie within +-MaxExtent, the largest a window system can show.
  static constexpr int MaxExtent = (1 << 24) - 1;
  // Negative sizes are taken as 0, and every value is kept within MaxExtent; the
  // constraints and OnCanResize apply.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  // The area inside the border and scroll bars, at origin (0, 0).
  virtual TRect GetClientRect();
  int GetClientWidth() { return GetClientRect().Width(); }
  int GetClientHeight() { return GetClientRect().Height(); }
  // Sizes the control so that its client area gets that size.
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // Converts between client and screen coordinates.
  TPoint ClientToScreen(const TPoint& Point);
  TPoint ScreenToClient(const TPoint& Point);
  // The client origin in the nearest window's client coordinates.
  virtual TPoint GetClientOrigin();

  // Whether the control shows on its parent (true by default).
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all parents up to one that has a window shown on screen.
  bool GetShowing() const;
  // Whether the control takes mouse and keyboard input (true by default).
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // The background colour; a change repaints.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // Whether Color follows the parent's.
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  // The text font, owned; any change repaints.
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);  // copies
  // Whether Font follows the parent's.
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  // Left to right (default) or one of the right-to-left modes.
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  // Whether BiDiMode follows the parent's.
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  // bdRightToLeft only: alignment mirrors.
  virtual bool UseRightToLeftAlignment() const;
  // Every mode but bdLeftToRight reads right to left.
  virtual bool UseRightToLeftReading() const;
  // Flags with DT_LEFT and DT_RIGHT swapped for right-to-left alignment and DT_RTLREADING added
  // for right-to-left reading.
  long DrawTextBiDiModeFlags(long Flags) const;
  long DrawTextBiDiModeFlagsReadingOnly() const;
  // Whether borders look sunken (true) or flat.
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  // Whether Ctl3D follows the parent's.
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  // The mouse pointer over the control.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // The tool tip text shown while ShowHint is on.
  const AnsiString& GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  // Whether the control shows Hint.
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // Whether ShowHint follows the parent's.
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // alNone (default) keeps the bounds; alTop, alBottom, alLeft and alRight dock to that side
  // of the parent, alClient fills what they leave.
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  // The sides that keep their distance to the parent's sides when the parent resizes; with
  // both sides of an axis the control stretches, with neither it keeps its relative place.
  // [akLeft, akTop] by default.
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  // The smallest and largest size SetBounds allows (0: no limit); owned.
  TSizeConstraints* GetConstraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
  // The control's text: a label's or button's caption, an edit's contents, a form's title.
  const AnsiString& GetText() const { return FText; }
  void SetText(const AnsiString& Value);
  const AnsiString& GetCaption() const { return FText; }
  void SetCaption(const AnsiString& Value) { SetText(Value); }

  // Stored for form files only.
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TImeMode GetImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const TImeName& GetImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value) { FImeName = Value; }
  TComponent* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);  // cleared when that component goes away
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext Value) { FHelpContext = Value; }

  // Whether the control gets every mouse message, also outside it, until released.
  bool GetMouseCapture() const;
  void SetMouseCapture(bool Value);

  // Repaint later, repaint now, and flush a pending repaint now.
  virtual void Invalidate();
  void Refresh() { Repaint(); }
  virtual void Repaint();
  virtual void Update();
  // Puts the control above its siblings.
  void BringToFront();

  // In form files a control nests inside its parent, and reading it there sets the parent.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  // EInvalidOperation when Value is a component that cannot hold controls.
  void SetParentComponent(TComponent* Value) override;
  // Only windowed controls hold children, so a control that is not one lists nothing unless
  // it is the root; nor does it look through the root's components for any.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  // Delivers a message to the control at once and returns its result.
  LRESULT Perform(unsigned Msg, WPARAM WParam, LPARAM LParam);
  // Passes Message to Dispatch; a control being designed (csDesigning) first offers it to
  // the designer of its form (IDesignerHook, Forms.h), which may keep it.
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // ----- events
  // OnClick follows a click (or, on buttons, Space or an accelerator); OnDblClick a double
  // click; OnMouseDown, OnMouseMove and OnMouseUp get client coordinates and the shift
  // state; OnResize follows a change of size, which OnCanResize may refuse or change and
  // OnConstrainedResize may limit. The drag and dock events are stored for form files only:
  // no drag or dock operation runs.
#define VCL_EVENT(Type, Name) \
  const Type& GetOn##Name() const { return FOn##Name; } \
  void SetOn##Name(Type Value) { FOn##Name = std::move(Value); }
  VCL_EVENT(TCanResizeEvent, CanResize)
  VCL_EVENT(TNotifyEvent, Click)
  VCL_EVENT(TConstrainedResizeEvent, ConstrainedResize)
  VCL_EVENT(TNotifyEvent, DblClick)
  VCL_EVENT(TDockDropEvent, DockDrop)
  VCL_EVENT(TDragDropEvent, DragDrop)
  VCL_EVENT(TDockOverEvent, DockOver)
  VCL_EVENT(TDragOverEvent, DragOver)
  VCL_EVENT(TEndDragEvent, EndDock)
  VCL_EVENT(TEndDragEvent, EndDrag)
  VCL_EVENT(TMouseEvent, MouseDown)
  VCL_EVENT(TMouseMoveEvent, MouseMove)
  VCL_EVENT(TMouseEvent, MouseUp)
  // A wheel turned over the focused control: WheelDelta in 120ths of a notch, forward
  // positive; MousePos on the screen. Not handled, it goes on to the parent.
  VCL_EVENT(TMouseWheelEvent, MouseWheel)
  VCL_EVENT(TMouseWheelUpDownEvent, MouseWheelDown)
  VCL_EVENT(TMouseWheelUpDownEvent, MouseWheelUp)
  VCL_EVENT(TNotifyEvent, Resize)
  VCL_EVENT(TStartDragEvent, StartDrag)
  VCL_EVENT(TStartDockEvent, StartDock)
#undef VCL_EVENT

protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // OnMouseWheel, then OnMouseWheelDown or OnMouseWheelUp; true when one handled it.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Click();
  virtual void DblClick();
  virtual void Resize();
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  // Clamps a size to Constraints, as OnConstrainedResize adjusts them.
  void Constrain(int& Width, int& Height);
  // Whether the control takes the button messages as clicks (Click on release inside it).
  virtual bool WantsClickEvents() const { return true; }
  // The parent's value was taken over by a Parent... property; children follow.
  virtual void ParentPropertiesChanged();
  // Called when the bounds changed; windowed controls move their window.
  virtual void BoundsChanged();
  void FontChanged(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TCursor FCursor = crDefault;
  AnsiString FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> FConstraints;
  AnsiString FText;
  TCursor FDragCursor = crDrag;
  TDragKind FDragKind = dkDrag;
  TDragMode FDragMode = dmManual;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  TComponent* FPopupMenu = nullptr;
  THelpContext FHelpContext = 0;
  bool FClicked = false;
  // The bounds and the parent's size that the anchors measure from; set whenever the bounds
  // change other than by the anchors.
  TRect FAnchorBounds;
  TPoint FAnchorParentSize;

  TCanResizeEvent FOnCanResize;
  TNotifyEvent FOnClick;
  TConstrainedResizeEvent FOnConstrainedResize;
  TNotifyEvent FOnDblClick;
  TDockDropEvent FOnDockDrop;
  TDragDropEvent FOnDragDrop;
  TDockOverEvent FOnDockOver;
  TDragOverEvent FOnDragOver;
  TEndDragEvent FOnEndDock;
  TEndDragEvent FOnEndDrag;
  TMouseEvent FOnMouseDown;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelDown;
  TMouseWheelUpDownEvent FOnMouseWheelUp;
  TNotifyEvent FOnResize;
  TStartDragEvent FOnStartDrag;
  TStartDockEvent FOnStartDock;

private:
  void HandleMouseMessage(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  // The anchors measure from the current bounds and parent size from now on.
  void RememberAnchorBase();
  // Shows PopupMenu at the message's screen point (-1, -1: from the keyboard, at the
  // control's corner); without one, the parent is asked.
  void WMContextMenu(TMessage& Message);
  // As the window system does: a released right button, the context-menu key or Shift+F10
  // asks for a context menu (WM_CONTEXTMENU).
  void DefaultContextMenu(const TMessage& Message);
  // A property that follows the parent is not stored while it does.
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  bool IsCtl3DStored() const { return !FParentCtl3D; }
  bool IsShowHintStored() const { return !FParentShowHint; }
  // Expires when the control is destroyed, so code that ran a handler can tell.
  std::shared_ptr<char> FLifetime = std::make_shared<char>(0);
  friend class TWinControl;

public:
  std::weak_ptr<char> LifetimeToken() const { return FLifetime; }
};

// ---------------------------------------------------------------- TWinControl

// Whether windows have the new-style look, in which Ctl3D asks for a sunken client edge
// instead of a line border. True; a program may clear it for the old look.
extern bool NewStyleControls;

struct TCreateParams {
  AnsiString Caption;
  unsigned Style = 0;
  unsigned ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  AnsiString WinClassName;
};

// Adds the protected ImeMode, ImeName, TabOrder, TabStop and the keyboard, focus and docking events.
class TWinControl : public TControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created (with the parents' windows) when it does not exist yet.
  // EInvalidOperation for a control that has no parent to hold its window.
  HWND GetHandle();
  // Whether the window exists now; HandleNeeded creates it when it does not.
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window and makes a new one; fields and children survive.
  void RecreateWnd();

  // The child controls, in z-order (the last is on top).
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int Index) const;  // EListError outside the range
  // Whether Control is this control or lies inside it, at any depth.
  bool ContainsControl(const TControl* Control) const;
  // Adds or removes a child; SetParent calls these, a program calls SetParent.
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // The topmost visible child (enabled unless AllowDisabled; windowless unless
  // AllowWinControls) at a client point, or null.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false) const;
  // Lays out the children whose Align is not alNone in the client area.
  void Realign();
  // Moves and sizes the unaligned children as their anchors say for this control's size.
  void AnchorChildren();
  // Sends Message to every child in turn until one sets a non-zero result.
  void Broadcast(TMessage& Message);

  // Whether Tab stops at the control (false by default for most controls).
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  int GetTabOrder() const;
  // While the control is read from a form file the value waits for the siblings (Loaded).
  void SetTabOrder(int Value);
  // Windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The control after (or before) CurControl in tab order, going into containers; with
  // CheckTabStop only controls whose TabStop is on; null when there is none.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  // Focuses the control that FindNextControl finds, wrapping around.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  // Gives the control the keyboard (its form's active control); EInvalidOperation when
  // CanFocus is false.
  virtual void SetFocus();
  // Whether the control's window has the keyboard now.
  bool Focused() const;
  // Visible and enabled, and so are its parents up to its form.
  virtual bool CanFocus() const;
  // The name a screen reader gives the control: the one set here; when none is, the caption
  // of a label whose FocusControl is this control, without its "&" marks; when there is no
  // such label either, empty, and the window speaks for itself (a button by its caption).
  AnsiString GetAccessibleName() const { return FAccessibleName.empty() ? FLabelName : FAccessibleName; }
  void SetAccessibleName(const AnsiString& Value);
  // Stored for form files; every window paints through an off-screen surface anyway.
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  TRect GetClientRect() override;
  TPoint GetClientOrigin() override;
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // An embedding Qt widget that holds this control's window when it has no parent control.
  void* GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(void* Value);

  // OnEnter and OnExit follow the focus coming into and leaving the control within its form;
  // OnKeyDown, OnKeyPress and OnKeyUp see each key first and may zero it, which keeps it
  // from the control. OnGetSiteInfo and OnUnDock are stored for form files only.
  const TNotifyEvent& GetOnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = std::move(Value); }
  const TNotifyEvent& GetOnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = std::move(Value); }
  const TKeyEvent& GetOnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }
  const TKeyPressEvent& GetOnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = std::move(Value); }
  const TKeyEvent& GetOnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = std::move(Value); }
  const TGetSiteInfoEvent& GetOnGetSiteInfo() const { return FOnGetSiteInfo; }
  void SetOnGetSiteInfo(TGetSiteInfoEvent Value) { FOnGetSiteInfo = std::move(Value); }
  const TUnDockEvent& GetOnUnDock() const { return FOnUnDock; }
  void SetOnUnDock(TUnDockEvent Value) { FOnUnDock = std::move(Value); }

  // Form files: the child controls that Root owns, in z-order; a root adds the components
  // it owns that have no parent (non-visual ones).
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
  // Puts the children read from a form file into the tab order the file gave them.
  void Loaded() override;

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // Paints the client area on the window's surface; WM_PAINT runs it.
  virtual void PaintWindow();
  TCanvas* GetWindowCanvas();

  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  void BoundsChanged() override;
  void ParentPropertiesChanged() override;

  bool FTabStop = false;
  bool FDoubleBuffered = false;
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;
  TKeyEvent FOnKeyUp;
  TGetSiteInfoEvent FOnGetSiteInfo;
  TUnDockEvent FOnUnDock;

private:
  void WMPaint(TMessage& Message);
  void WMSize(TMessage& Message);
  // Offers a key to the control as a special key, then to the form as a dialog key
  // (navigation, default and cancel buttons); Result 1 when the form took it.
  void CNKeyDown(TWMKey& Message);
  void WMKeyDown(TWMKey& Message);
  void WMKeyUp(TWMKey& Message);
  void WMChar(TWMKey& Message);
  void CMDialogKey(TWMKey& Message);
  // The form that previews this control's keys (KeyPreview), or null.
  TWinControl* PreviewForm();
  void CMEnter(TMessage& Message) { DoEnter(); }
  void CMExit(TMessage& Message) { DoExit(); }
  void PaintControls();
  // Label names this control with its caption, until it names another or goes away.
  void PutLabelName(const TControl* Label, const AnsiString& Name);
  void ForgetLabel(const TControl* Label);
  void SyncAccessibleName();
  void CreateChildHandles();
  void DestroyChildHandles();
  bool FAligning = false;
  bool FAnchoring = false;
  int FReadTabOrder = -1;  // the TabOrder a form file gave, until Loaded applies it
  AnsiString FAccessibleName;
  AnsiString FLabelName;                  // the caption of FNamingLabel
  const TControl* FNamingLabel = nullptr;  // the label that names this control, or null

  HWND FHandle = nullptr;
  std::vector<TControl*> FControls;  // all children, in z-order (last on top)
  std::vector<TWinControl*> FTabList;
  std::unique_ptr<TCanvas> FWindowCanvas;
  void* FParentWindow = nullptr;
  friend class TControl;
  friend class TLabel;
};

// ---------------------------------------------------------------- TCustomControl

// A windowed control that draws itself: Paint runs on every repaint with the canvas
// clipped to the invalid part, which has been erased with Color.
class TCustomControl : public TWinControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* GetCanvas() { return GetWindowCanvas(); }

protected:
  virtual void Paint();
  void PaintWindow() override;
};

// What a custom-drawn control of the classic kind publishes of the properties and events
// its ancestors registered protected, in the order its form files store them: one list for
// every class that publishes alike (the card view among them), so they cannot drift apart.
extern const std::array<const char*, 23> CustomControlPublishedProperties;
extern const std::array<const char*, 23> CustomControlPublishedEvents;

// ---------------------------------------------------------------- TGraphicControl

// A control without a window that draws on its parent's surface.
class TGraphicControl : public TControl {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas();
  void Invalidate() override;

protected:
  virtual void Paint();

private:
  std::unique_ptr<TCanvas> FCanvas;
  friend class TWinControl;
};

// The shift keys held while the current input message was made.
TShiftState KeyboardShiftState();

}  // namespace vcl
