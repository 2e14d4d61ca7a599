#pragma once
// Lists, string lists, streams, persistent objects, filers and components.

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "SysUtils.h"
#include "System.h"

namespace vcl {

class TFiler;
class TComponent;

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

private:
  std::vector<void*> FItems;
};

// ---------------------------------------------------------------- TPersistent

class TPersistent : public TObject {
public:
  // Copies Source into this object; when neither side knows how, the assignment error.
  virtual void Assign(TPersistent* Source);

protected:
  virtual void AssignTo(TPersistent* Dest);
  virtual void DefineProperties(TFiler* Filer);
  friend class TFiler;
  friend class TWriter;
  friend class TReader;
};

// ---------------------------------------------------------------- TStrings

class TStrings : public TPersistent {
public:
  virtual int GetCount() const = 0;
  virtual AnsiString Get(int Index) const = 0;
  virtual void Put(int Index, const AnsiString& S);
  virtual void* GetObject(int Index) const;
  virtual void PutObject(int Index, void* Object);
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const AnsiString& S) = 0;
  virtual int Add(const AnsiString& S);
  int AddObject(const AnsiString& S, void* Object);
  virtual int IndexOf(const AnsiString& S) const;
  int IndexOfName(const AnsiString& Name) const;

  AnsiString operator[](int Index) const { return Get(Index); }
  // The text before the first "=", empty when there is none or it comes first.
  AnsiString GetName(int Index) const;
  AnsiString GetValueFromIndex(int Index) const;  // text after the first "="
  AnsiString GetValue(const AnsiString& Name) const;
  void SetValue(const AnsiString& Name, const AnsiString& Value);

  // Every line followed by CR LF.
  virtual AnsiString GetTextStr() const;
  // Empties the list; CR LF, lone CR and lone LF end lines; a zero byte ends the text.
  virtual void SetTextStr(const AnsiString& Value);

  bool Equals(const TStrings* Strings) const;
  void Assign(TPersistent* Source) override;
  void AddStrings(const TStrings* Strings);

  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

protected:
  virtual void SetUpdateState(bool Updating) {}

private:
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  AnsiString Get(int Index) const override;  // EStringListError outside the range
  void Put(int Index, const AnsiString& S) override;
  void* GetObject(int Index) const override;
  void PutObject(int Index, void* Object) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  void SetTextStr(const AnsiString& Value) override;

  const TNotifyEvent& GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }

protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();

private:
  struct TStringItem {
    AnsiString FString;
    void* FObject = nullptr;
  };
  std::vector<TStringItem> FItems;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

// ---------------------------------------------------------------- streams

enum : Word { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
public:
  // Transfer up to Count bytes; the number actually moved.
  virtual long Read(void* Buffer, long Count) = 0;
  virtual long Write(const void* Buffer, long Count) = 0;
  virtual std::int64_t Seek(std::int64_t Offset, Word Origin) = 0;
  // Exactly Count bytes, or EReadError / EWriteError.
  void ReadBuffer(void* Buffer, long Count);
  void WriteBuffer(const void* Buffer, long Count);
  std::int64_t GetPosition();
  void SetPosition(std::int64_t Pos);
  virtual std::int64_t GetSize();
  virtual void SetSize(std::int64_t NewSize);
  // Whether Size is known; a pipe-like stream may not know how much remains.
  virtual bool SizeKnown() const { return true; }
  std::int64_t CopyFrom(TStream* Source, std::int64_t Count);
};

class TMemoryStream : public TStream {
public:
  long Read(void* Buffer, long Count) override;
  long Write(const void* Buffer, long Count) override;
  std::int64_t Seek(std::int64_t Offset, Word Origin) override;
  void SetSize(std::int64_t NewSize) override;
  void Clear();
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName);
  const Byte* Memory() const { return FData.data(); }
  Byte* Memory() { return FData.data(); }

private:
  std::vector<Byte> FData;
  std::int64_t FPosition = 0;
};

// Classic open modes: an access mode or'ed with a share mode; fmCreate creates or empties.
enum : Word {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFFFF,
};

class TFileStream : public TStream {
public:
  // EFCreateError / EFOpenError naming the file.
  TFileStream(const AnsiString& FileName, Word Mode);
  ~TFileStream() override;
  long Read(void* Buffer, long Count) override;
  long Write(const void* Buffer, long Count) override;
  std::int64_t Seek(std::int64_t Offset, Word Origin) override;
  void SetSize(std::int64_t NewSize) override;
  // Pushes written bytes to the disk; EWriteError when the system refuses.
  void Flush();
  const AnsiString& GetFileName() const { return FFileName; }

private:
  AnsiString FFileName;
  int FHandle = -1;
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
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;  // frees the owned components, tells free-notification holders

  TComponent* GetOwner() const { return FOwner; }
  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponent(int Index) const;
  TComponent* FindComponent(const AnsiString& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  const AnsiString& GetName() const { return FName; }
  virtual void SetName(const AnsiString& NewName);
  long GetTag() const { return FTag; }
  void SetTag(long Value) { FTag = Value; }

  TComponentState GetComponentState() const { return FComponentState; }
  bool HasState(TComponentStateFlag Flag) const { return (FComponentState & Flag) != 0; }
  // Set by the form reader and the designer.
  void SetComponentState(TComponentState State) { FComponentState = State; }
  void SetDesigning(bool Value);

  // AComponent will tell this one, through Notification(opRemove), when it is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Called by the form reader once every property of the form is read.
  virtual void Loaded();
  // Starts destruction: sets csDestroying on this component and its owned ones.
  virtual void Destroying();

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  AnsiString FName;
  long FTag = 0;
  TComponentState FComponentState = 0;
};

}  // namespace vcl
