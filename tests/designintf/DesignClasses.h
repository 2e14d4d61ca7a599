#pragma once
// Small classes whose published properties cover every kind a property editor handles.

#include <set>

#include "Classes.h"
#include "DesignIntf.h"
#include "Graphics.h"
#include "TypInfo.h"

namespace designtest {

using namespace vcl;

class TGadget : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  int GetSize() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }

private:
  int FSize = 3;
};

class TSpecialGadget : public TGadget {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
};

enum TShape { shRound, shSquare, shStar };
enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;
using TPingEvent = TNotifyEvent;

class THolder : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  using TComponent::TComponent;

  short Count = 0;
  TColor Tint = clBlack;
  bool Active = false;
  TShape Shape = shRound;
  TSides Sides;
  AnsiString Caption;
  TGadget Gadget;
  TSpecialGadget Special;
  THolder* Buddy = nullptr;
  TPingEvent OnPing;

  short GetCount() const { return Count; }
  void SetCount(short V) { Count = V; }
  TColor GetTint() const { return Tint; }
  void SetTint(TColor V) { Tint = V; }
  bool GetActive() const { return Active; }
  void SetActive(bool V) { Active = V; }
  TShape GetShape() const { return Shape; }
  void SetShape(TShape V) { Shape = V; }
  TSides GetSides() const { return Sides; }
  void SetSides(TSides V) { Sides = V; }
  const AnsiString& GetCaption() const { return Caption; }
  void SetCaption(const AnsiString& V) { Caption = V; }
  TGadget* GetGadget() { return &Gadget; }
  TSpecialGadget* GetSpecial() { return &Special; }
  THolder* GetBuddy() const { return Buddy; }
  void SetBuddy(THolder* V) { Buddy = V; }
  const TPingEvent& GetOnPing() const { return OnPing; }
  void SetOnPing(TPingEvent V) { OnPing = std::move(V); }
};

class TDerivedHolder : public THolder {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  using THolder::THolder;
  int Extra = 0;
  int GetExtra() const { return Extra; }
  void SetExtra(int V) { Extra = V; }
};

// The designed form: handlers that events can be bound to by name.
class TRoot : public TComponent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  using TComponent::TComponent;
  void PingHandler(TObject*) { ++Pings; }
  void WrongHandler(TObject*, int) {}
  int Pings = 0;
};

// Counts the changes reported to it and shows the editors a designed form.
class TRecordingDesigner : public IFormDesigner {
public:
  void Modified() override { ++Count; }
  TComponent* GetRoot() override { return Root; }
  int Count = 0;
  TComponent* Root = nullptr;
};

}  // namespace designtest
