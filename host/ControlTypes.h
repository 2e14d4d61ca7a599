#pragma once
// The enumerations, cursors, modal results and event types that controls and forms share.
// Controls.h includes this header.

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"

namespace vcl {

class TControl;
class TWinControl;

// ---------------------------------------------------------------- enumerations

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Controls take bsNone and bsSingle; forms also the frames of top-level windows.
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TFormBorderStyle = TBorderStyle;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel, imHanguel };
using TImeName = AnsiString;
using THelpContext = int;

using TCursor = short;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The names form files write for cursors ("crHandPoint"); false for a value or name without one.
bool CursorToIdent(long long Cursor, AnsiString& Ident);
bool IdentToCursor(const AnsiString& Ident, long long& Cursor);

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// Kept for form files only; no drag or dock operation runs.
class TDragObject;
class TDragDockObject;

// ---------------------------------------------------------------- events

using TMouseEvent = TMethodRef<TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/>;
using TMouseMoveEvent = TMethodRef<TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/>;
using TMouseWheelEvent =
    TMethodRef<TObject* /*Sender*/, TShiftState /*Shift*/, int /*WheelDelta*/, TPoint /*MousePos*/, bool& /*Handled*/>;
using TMouseWheelUpDownEvent = TMethodRef<TObject* /*Sender*/, TShiftState /*Shift*/, TPoint /*MousePos*/, bool& /*Handled*/>;
using TKeyEvent = TMethodRef<TObject* /*Sender*/, Word& /*Key*/, TShiftState /*Shift*/>;
using TKeyPressEvent = TMethodRef<TObject* /*Sender*/, char& /*Key*/>;
using TCanResizeEvent = TMethodRef<TObject* /*Sender*/, int& /*NewWidth*/, int& /*NewHeight*/, bool& /*Resize*/>;
using TConstrainedResizeEvent =
    TMethodRef<TObject* /*Sender*/, int& /*MinWidth*/, int& /*MinHeight*/, int& /*MaxWidth*/, int& /*MaxHeight*/>;
using TDragDropEvent = TMethodRef<TObject* /*Sender*/, TObject* /*Source*/, int /*X*/, int /*Y*/>;
using TDragOverEvent =
    TMethodRef<TObject* /*Sender*/, TObject* /*Source*/, int /*X*/, int /*Y*/, TDragState /*State*/, bool& /*Accept*/>;
using TDockDropEvent = TMethodRef<TObject* /*Sender*/, TDragDockObject* /*Source*/, int /*X*/, int /*Y*/>;
using TDockOverEvent = TMethodRef<TObject* /*Sender*/, TDragDockObject* /*Source*/, int /*X*/, int /*Y*/,
                                  TDragState /*State*/, bool& /*Accept*/>;
using TEndDragEvent = TMethodRef<TObject* /*Sender*/, TObject* /*Target*/, int /*X*/, int /*Y*/>;
using TStartDragEvent = TMethodRef<TObject* /*Sender*/, TDragObject*& /*DragObject*/>;
using TStartDockEvent = TMethodRef<TObject* /*Sender*/, TDragDockObject*& /*DragObject*/>;
using TUnDockEvent = TMethodRef<TObject* /*Sender*/, class TControl* /*Client*/, TWinControl* /*NewTarget*/, bool& /*Allow*/>;
using TGetSiteInfoEvent = TMethodRef<TObject* /*Sender*/, class TControl* /*DockClient*/, TRect& /*InfluenceRect*/,
                                     TPoint /*MousePos*/, bool& /*CanDock*/>;

}  // namespace vcl
