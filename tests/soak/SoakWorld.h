#pragma once
// The soak's world: a shown form with a card view, a letter bar linked to it and an edit
// box to take the focus away, all driven by soak operations. The card view's and the bar's
// handlers are hostile: seeded by the running operation, they refuse changes, throw, delete
// the card they are told about, clear the list, start another edit, sort from inside a sort
// or destroy the control. Whatever they destroy, the world makes anew after the operation.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Classes.h"
#include "Forms.h"
#include "Ostrel.h"
#include "OstrelButtonsBar.h"
#include "SoakOps.h"
#include "StdCtrls.h"

namespace soak {

using namespace vcl;
using namespace ostrel;

// The message of what a hostile handler throws.
inline constexpr const char* MischiefMessage = "mischief";

class TWorld {
public:
  TWorld();
  ~TWorld();
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  // Runs one operation; the faults it showed (an exception that escaped where none may, an
  // unexpected error, a handler told about a card that is not listed), empty when none.
  std::string Execute(const TOp& Op);

  TOstrel* View = nullptr;             // null only while a handler has just destroyed it
  TOstrelButtonsBar* Bar = nullptr;    // likewise
  bool BarLinked = true;               // whether the bar should be linked to the view
  int Batches = 0;                     // batches the soak opened on the view's list
  std::vector<std::string> Faults;     // seen by handlers and the exception hook
  bool Quiet = false;                  // no mischief: the invariant checks ask the view

private:
  enum class TMischief { None, Refuse, Throw, DeleteItem, ClearList, StartEdit, SortList, AddCard, DestroyView, DestroyBar };

  void MakeView();
  void MakeBar();
  void InstallHandlers();
  void ExecuteUnguarded(const TOp& Op);
  void ExecuteProperty(const TOp& Op);
  void ExecuteInput(const TOp& Op);
  void ExecuteBar(const TOp& Op);

  // What a handler does now: usually nothing; DestroyView and DestroyBar only while input
  // runs, where the framework promises to survive it.
  TMischief Pick(std::initializer_list<TMischief> Allowed);
  // Carries out a mischief other than Refuse; Item is the card the handler was told about.
  void Act(TMischief What, TOstrelItem* Item);
  bool Listed(const TOstrelItem* Item) const;
  void Expect(bool Condition, const std::string& What);
  bool AllowedError(const std::string& Message) const;

  TOstrelItem* CardAt(std::uint32_t Choice) const;  // null for an empty list
  TPoint PointFor(std::uint32_t Mode, std::uint32_t Choice) const;
  AnsiString MakeText(std::uint32_t Choice) const;
  AnsiString MakeLine(std::uint32_t Choice) const;

  std::unique_ptr<TForm> FForm;
  TEdit* FOther = nullptr;
  TMemoryStream FSaved;
  std::mt19937 FRng;
  bool FInInput = false;
  int FDepth = 0;  // nesting of mischief: handlers set off by handlers
};

}  // namespace soak
