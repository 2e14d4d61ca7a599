#pragma once
// Lists, string lists, persistent objects, filers and components; the streams are in
// Streams.h, which this header includes.

#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Streams.h"
#include "SysUtils.h"
#include "System.h"

namespace vcl {

class TFiler;
class TReader;
class TWriter;
class TComponent;
class TCollection;
struct TPropInfo;

// ---------------------------------------------------------------- TList

// Three-way comparison without context, as the classic sort takes it.
using TListSortCompare = int (*)(void* Item1, void* Item2);

class TList : public TObject {
public:
  ~TList() override;
  int Add(void* Item);
  void Insert(int Index, void* Item);  // 0..Count; Count appends
  void* Get(int Index) const;          // EListError outside 0..Count-1
  void Put(int Index, void* Item);
  void Delete(int Index);
  int IndexOf(void* Item) const;
  int Remove(void* Item);  // the former index, or -1
  void* First() const;     // EListError when empty
  void* Last() const;
  virtual void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  void* operator[](int Index) const { return Get(Index); }
  // Quicksort, not stable. Terminates, stays in range and keeps every element even
  // when Compare answers inconsistently.
  void Sort(TListSortCompare Compare);
  void SetCapacity(int NewCapacity);
  void Exchange(int Index1, int Index2);
  // The items in place, for loops that cannot afford a checked call per item; valid until
  // the list next changes.
  void* const* GetList() const { return FItems.data(); }

private:
  std::vector<void*> FItems;
};

// ---------------------------------------------------------------- TPersistent

class TPersistent : public TObject {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();

  // Copies Source into this object; when neither side knows how, the assignment error
  // (EConvertError "Cannot assign a <source> to a <dest>").
  virtual void Assign(TPersistent* Source);

protected:
  virtual void AssignTo(TPersistent* Dest);
  virtual void DefineProperties(TFiler* Filer);
  friend class TFiler;
  friend class TWriter;
  friend class TReader;
};

// ---------------------------------------------------------------- TStrings

// Calls Line(begin, length) for every line of Text as TStrings::SetTextStr takes it apart:
// CR LF, lone CR and lone LF end a line, a last line without a break counts, a zero byte
// ends the text.
template <class F>
void SplitTextLines(std::string_view Text, F&& Line) {
  if (Text.empty()) return;
  const char* P = Text.data();
  const char* End = P + Text.size();
  if (const void* Zero = std::memchr(P, 0, Text.size())) End = static_cast<const char*>(Zero);
  while (P < End) {
    const char* Start = P;
    // The line feed first, then a carriage return before it: each search stops at this
    // line's end, so a text of lone line feeds is not searched to its end for every line.
    const void* Feed = std::memchr(P, '\n', static_cast<std::size_t>(End - P));
    const char* Stop = Feed ? static_cast<const char*>(Feed) : End;
    if (const void* Return = std::memchr(P, '\r', static_cast<std::size_t>(Stop - P)))
      Stop = static_cast<const char*>(Return);
    P = Stop;
    Line(Start, static_cast<std::size_t>(P - Start));
    if (P < End && *P++ == '\r' && P < End && *P == '\n') ++P;
  }
}

// An ordered list of text lines, each with an optional object pointer beside it (not owned).
// Lines of the form "Name=Value" can be looked up by name.
class TStrings : public TPersistent {
public:
  // The number of lines.
  virtual int GetCount() const = 0;
  // Line Index (0-based); an index outside the lines raises.
  virtual AnsiString Get(int Index) const = 0;
  // Replaces line Index.
  virtual void Put(int Index, const AnsiString& S);
  // The object beside line Index, null when none was set.
  virtual void* GetObject(int Index) const;
  virtual void PutObject(int Index, void* Object);
  // Removes every line.
  virtual void Clear() = 0;
  // Removes line Index.
  virtual void Delete(int Index) = 0;
  // Puts S before line Index (Count appends).
  virtual void Insert(int Index, const AnsiString& S) = 0;
  // Appends S; returns its index.
  virtual int Add(const AnsiString& S);
  // Room for lines without growing; a list that does not keep spare room answers Count and
  // ignores a new capacity.
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int NewCapacity) {}
  // Appends S with Object beside it; returns its index.
  int AddObject(const AnsiString& S, void* Object);
  // Ordinal, case-sensitive matches; -1 when absent.
  virtual int IndexOf(const AnsiString& S) const;
  int IndexOfName(const AnsiString& Name) const;

  // Line Index, as Get.
  AnsiString operator[](int Index) const { return Get(Index); }
  // The text before the first "=", empty when there is none or it comes first.
  AnsiString GetName(int Index) const;
  AnsiString GetValueFromIndex(int Index) const;  // text after the first "=", else empty
  // The value of the first line called Name; empty when there is none.
  AnsiString GetValue(const AnsiString& Name) const;
  // An empty value deletes the line with that name.
  void SetValue(const AnsiString& Name, const AnsiString& Value);

  // Every line followed by CR LF.
  virtual AnsiString GetTextStr() const;
  // Empties the list; CR LF, lone CR and lone LF end lines; a zero byte ends the text.
  virtual void SetTextStr(const AnsiString& Value);

  // Whether both lists hold the same lines in the same order (objects do not count).
  bool Equals(const TStrings* Strings) const;
  // Replaces the lines and objects with another list's.
  void Assign(TPersistent* Source) override;
  // Appends another list's lines and objects.
  void AddStrings(const TStrings* Strings);

  // A batch: change events wait until the matching EndUpdate (see TUpdateGuard).
  void BeginUpdate();
  void EndUpdate();
  // The depth of open batches.
  int GetUpdateCount() const { return FUpdateCount; }

protected:
  virtual void SetUpdateState(bool Updating) {}
  // A form file stores the lines as "Strings = ( 'a' 'b' )".
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadData(TReader* Reader);
  void WriteData(TWriter* Writer);
  int FUpdateCount = 0;
};

namespace detail {
struct TLineBlock;  // a string list's lines, packed (src/rtl/LineBlock.h)
struct TFreeLineBlock {
  void operator()(TLineBlock* Block) const;
};
}  // namespace detail

// The string list in memory: lines packed in one block, OnChanging and OnChange around every
// change (once per batch).
class TStringList : public TStrings {
public:
  // An empty list without handlers.
  TStringList();
  ~TStringList() override;
  int GetCount() const override { return FCount; }
  // Asks the processor to fetch what GetCount reads, for a caller about to read the counts
  // of very many lists in turn; it changes nothing.
  void PrefetchCount() const { __builtin_prefetch(&FCount); }
  AnsiString Get(int Index) const override;  // EStringListError outside the range
  void Put(int Index, const AnsiString& S) override;
  void* GetObject(int Index) const override;  // null for a line that never had an object
  void PutObject(int Index, void* Object) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  AnsiString GetTextStr() const override;
  void SetTextStr(const AnsiString& Value) override;
  int GetCapacity() const override;
  // Exactly NewCapacity lines; EStringListError below Count.
  void SetCapacity(int NewCapacity) override;
  // Another string list is copied whole, without spare room.
  void Assign(TPersistent* Source) override;

  // (Sender): the lines changed; after a batch, once at its end.
  const TNotifyEvent& GetOnChange() const;
  void SetOnChange(TNotifyEvent Value);
  // (Sender): the lines are about to change; in a batch, once at its first change.
  const TNotifyEvent& GetOnChanging() const;
  void SetOnChanging(TNotifyEvent Value);

protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();

private:
  // What most lists never use: objects beside the lines and change handlers. A list of
  // plain lines without handlers (a card's sub-items) pays one null pointer for them.
  struct TRarelyUsed;
  TRarelyUsed& RarelyUsed();
  bool HasObjects() const;
  void CheckIndex(int Index) const;
  int FCount = 0;  // first, where it fits beside the update count
  std::unique_ptr<detail::TLineBlock, detail::TFreeLineBlock> FLines;
  std::unique_ptr<TRarelyUsed> FRare;
};

// ---------------------------------------------------------------- TCollection

// One item of a collection, which owns it. Form files store its published properties inside
// the collection's "< item ... end >" block.
class TCollectionItem : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  TCollectionItem() = default;
  ~TCollectionItem() override;  // leaves its collection
  TCollection* GetCollection() const { return FCollection; }
  // The position in the collection; -1 outside one.
  int GetIndex() const;
  // Moves the item, clamped to the collection.
  void SetIndex(int Value);

protected:
  // Tells the collection that this item's properties changed.
  void Changed();

private:
  TCollection* FCollection = nullptr;
  friend class TCollection;
};

// An owned, ordered list of items of one class, made by the factory the owner gives.
class TCollection : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();
  using TItemFactory = std::function<TCollectionItem*()>;
  explicit TCollection(TItemFactory Factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  // Index 0..Count; EListError outside.
  TCollectionItem* Insert(int Index);
  void Delete(int Index);  // EListError outside the range
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* GetItem(int Index) const;  // EListError outside the range
  // Changes inside a batch report once, when the last batch ends.
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }
  // Another collection: its items copied one by one with Assign.
  void Assign(TPersistent* Source) override;

protected:
  // The items changed: Item alone, or all of them (null). Not called inside a batch.
  virtual void Update(TCollectionItem* Item) {}

private:
  void Changed(TCollectionItem* Item);
  void CheckIndex(int Index, int Count) const;
  TItemFactory FFactory;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  friend class TCollectionItem;
};

// ---------------------------------------------------------------- filers

using TStreamProc = std::function<void(TStream* Stream)>;
using TReaderProc = std::function<void(class TReader* Reader)>;
using TWriterProc = std::function<void(class TWriter* Writer)>;

// The side of form streaming that a persistent object's DefineProperties talks to.
class TFiler : public TObject {
public:
  // The corresponding object of the ancestor form while writing an inherited form; else null.
  TPersistent* GetAncestor() const { return FAncestor; }
  virtual void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                              bool HasData) = 0;
  virtual void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData,
                                    TStreamProc WriteData, bool HasData) = 0;

protected:
  TPersistent* FAncestor = nullptr;
};

// ---------------------------------------------------------------- form files
//
// A form file is text in the classic syntax:
//
//   object Form1: TMyForm
//     Caption = 'Cards'
//     object Ostrel1: TOstrel
//       ColumnWidth = 120
//       CaptionFont.Style = [fsBold]
//       Items.Data = {
//         C800000000000000}
//       OnChange = Ostrel1Change
//     end
//   end
//
// Values: integers (also $hex), floats, strings ('it''s', #13#10, 'a' + 'b' over lines),
// identifiers (enumeration values, True/False, component and handler names, nil), sets
// [a, b], lists ( ... ) and binary data { hex }.

class TFormParser;

// Reads form text into an existing root: the root's own properties, then its children,
// which it creates by class name (the root's field classes first, then the registered
// classes), names, stores in the root's fields of the same name, nests through
// SetParentComponent, fills and finally hands to Loaded.
class TReader : public TFiler {
public:
  explicit TReader(const AnsiString& Text);
  ~TReader() override;

  // EParserError for text that breaks the syntax, EReadError for an unknown property or a
  // value a property does not take, EClassNotFound for an unknown class; each names the
  // line. On failure the components this read created are freed again and no component
  // is left loading; properties already set stay set.
  void ReadRootComponent(TComponent* Root);
  TComponent* GetRoot() const { return FRoot; }
  // Whether every component field of the root's class must be filled by the text, as for a
  // form built from its own description: EReadError naming the root's line otherwise.
  // False by default.
  void SetRequireFields(bool Value) { FRequireFields = Value; }

  void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // The value readers that a DefineProperty reader uses.
  int ReadInteger();
  long long ReadInt64();
  double ReadFloat();
  AnsiString ReadString();
  AnsiString ReadIdent();
  bool ReadBoolean();
  void ReadListBegin();
  bool EndOfList();
  void ReadListEnd();

private:
  struct TState;
  void ReadDefinedProperties(TPersistent* Instance) { Instance->DefineProperties(this); }
  AnsiString FText;
  std::unique_ptr<TFormParser> FParser;
  std::unique_ptr<TState> FState;
  TComponent* FRoot = nullptr;
  bool FRequireFields = false;
  friend struct TReaderImpl;
};

// Writes a root and the components it lists through GetChildren as form text. A property
// is written when its value differs from the ancestor's (writing an inherited form) or,
// without an ancestor, from its default clause; always when it has none.
class TWriter : public TFiler {
public:
  TWriter();
  ~TWriter() override;

  void WriteRootComponent(TComponent* Root, TComponent* AncestorRoot = nullptr);
  const AnsiString& GetText() const { return FText; }

  void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // The value writers that a DefineProperty writer uses.
  void WriteInteger(long long Value);
  void WriteFloat(double Value);
  void WriteString(const AnsiString& Value);
  void WriteIdent(const AnsiString& Ident);
  void WriteBoolean(bool Value);
  void WriteListBegin();
  void WriteListEnd();

private:
  void WriteComponent(TComponent* Component, TComponent* Ancestor, int Indent);
  void WriteProperties(TPersistent* Instance, TPersistent* Ancestor, const AnsiString& Prefix, int Indent);
  void WriteProperty(TPersistent* Instance, TPersistent* Ancestor, const TPropInfo& Prop,
                     const AnsiString& Prefix, int Indent);
  void WriteCollection(TCollection* Collection, const AnsiString& Name, int Indent);
  void BeginValue();
  AnsiString ReferenceName(TComponent* Component, TComponent* Root) const;

  AnsiString FText;
  TComponent* FRoot = nullptr;
  TComponent* FAncestorRoot = nullptr;
  AnsiString FPrefix;  // "Items." while an object property's DefineProperties runs
  int FIndent = 0;
  int FListDepth = 0;
  std::set<TComponent*> FWritten;
};

// The form text of Root and its children; with AncestorRoot, only what differs from it.
AnsiString WriteComponentText(TComponent* Root, TComponent* AncestorRoot = nullptr);
// Reads form text into Root (see TReader::ReadRootComponent).
void ReadComponentText(const AnsiString& Text, TComponent* Root);

// ---------------------------------------------------------------- components

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFixups = 1u << 7,
  csInline = 1u << 8,
  csFreeNotification = 1u << 9,
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo();

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;  // frees the owned components, tells free-notification holders

  TComponent* GetOwner() const { return FOwner; }
  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const;  // EListError outside the range
  // The owned component of that name (a to z compared without case), or null.
  TComponent* FindComponent(const AnsiString& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  const AnsiString& GetName() const { return FName; }
  // EComponentError for a name that is not an identifier or that a sibling already has.
  // The owner's field of that name (registered with TClassInfoBuilder::Field) follows.
  virtual void SetName(const AnsiString& NewName);
  long GetTag() const { return FTag; }
  void SetTag(long Value) { FTag = Value; }

  TComponentState GetComponentState() const { return FComponentState; }
  bool HasState(TComponentStateFlag Flag) const { return (FComponentState & Flag) != 0; }
  // Set by the form reader and the designer.
  void SetComponentState(TComponentState State);
  void SetDesigning(bool Value);

  // Links the two components: whichever is destroyed first tells the other through
  // Notification(opRemove). Components of one owner hear of each other through the owner:
  // once a component asked for (or was asked for) free notification, it hears of every
  // component inserted into or removed from its owner.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Called by the form reader once every property of the form is read.
  virtual void Loaded();
  // Starts destruction: sets csDestroying on this component and its owned ones.
  virtual void Destroying();

  // Form-file hooks for the visual layer. GetChildren lists the components written nested
  // inside this one (by default, a root lists everything it owns, in creation order, and any
  // other component looks through all of the root's: a class whose children it knows
  // overrides it); the reader hands each component the component it was nested in.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}

protected:
  // Tells of a component inserted into or removed from this one's owner tree or a linked
  // component that goes away; passed on to the owned components that listen: those that
  // asked for or were asked for free notification, and those that own components (they
  // pass it on in turn). The others are not told, so that a form of n components loads in
  // time linear in n.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
  void SetReference(bool Enable);
  void DestroyComponents();
  // Joins the owner's listeners once this component asked for free notification or owns
  // components; leaves them (and the owner's names) when it leaves the owner.
  void Listen();
  void LeaveOwner();
  // Keep FNames in step with an owned component's name.
  void AddName(TComponent* Child);
  void RemoveName(TComponent* Child);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FListeners;  // the owned components Notification passes on to
  // The named owned components by lower-case name, made with the first one.
  std::unique_ptr<std::unordered_map<AnsiString, TComponent*>> FNames;
  bool FListening = false;  // in the owner's FListeners
  std::vector<TComponent*> FFreeNotifies;
  AnsiString FName;
  long FTag = 0;
  TComponentState FComponentState = 0;
};

// ---------------------------------------------------------------- palette registration

// What a development environment does with RegisterComponents: put the classes on the
// palette page Page of its form designer.
using TRegisterComponentsProc =
    std::function<void(const AnsiString& Page, const std::vector<const TClassInfo*>& ComponentClasses)>;
// Set by the development environment while it installs packages; empty in programs.
extern TRegisterComponentsProc RegisterComponentsProc;
// Called from a unit's Register function: hands the classes, in this order, to
// RegisterComponentsProc; EComponentError "Invalid component registration" when no
// environment set it.
void RegisterComponents(const AnsiString& Page, std::initializer_list<const TClassInfo*> ComponentClasses);

// Holds a batch of changes open for the length of a scope: BeginUpdate now, the matching
// EndUpdate when the scope ends, on every way out. For any list with the pair (TStrings,
// TCollection, TListItems, a card list). An EndUpdate that raises (a change handler it runs)
// passes its exception on; while another exception is already leaving the scope, that one
// goes on and EndUpdate's is dropped, since two at once would end the program.
template <class T>
class TUpdateGuard {
public:
  explicit TUpdateGuard(T& List) : FList(List), FExceptionsBefore(std::uncaught_exceptions()) {
    FList.BeginUpdate();
  }
  ~TUpdateGuard() noexcept(false) {
    if (std::uncaught_exceptions() == FExceptionsBefore) {
      FList.EndUpdate();
      return;
    }
    try {
      FList.EndUpdate();
    } catch (...) {
    }
  }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
  T& FList;
  int FExceptionsBefore;
};

}  // namespace vcl
