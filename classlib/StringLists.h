// String lists: the abstract 8-bit TStrings, its sorted implementation TStringList and the wide
// abstract base TWideStrings. Offered through classlib/Classes.h.
//
// A list holds (string, object) pairs; it owns its strings, never its objects. Text splits at
// CR LF, CR or LF and joins with CR LF after every line, so a text ending in a line break adds
// no empty last line, and the empty text is no line at all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/Objects.h"
#include "classlib/ScopedHandles.h"
#include "classlib/Streams.h"

// Runs `change` between the BeginUpdate and EndUpdate of a list or collection; EndUpdate comes
// also when the change throws.
template <class List, class Change>
void WhileUpdating(List& list, Change change) {
  ScopedUpdate update(list);
  change();
}

// The contract shared by TStrings (std::string) and TWideStrings (std::wstring).
template <class S>
class TStringsBase : public TPersistent {
 public:
  using TChar = typename S::value_type;

  // --- the operations a list implements (Get, GetCount, Clear, Delete, Insert at least)
  virtual S Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int index) const;  // nullptr unless the list keeps objects
  virtual void Put(int index, const S& text);     // default: delete and insert again
  virtual void PutObject(int index, TObject* object);  // default: ignored
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int) {}
  virtual void Clear() = 0;
  virtual void Delete(int index) = 0;
  virtual void Insert(int index, const S& text) = 0;
  virtual void InsertObject(int index, const S& text, TObject* object);
  // Case-insensitive by the user locale's collation; lists may compare otherwise.
  virtual int CompareStrings(const S& a, const S& b) const;

  // --- built on those
  S operator[](int index) const { return Get(index); }
  virtual int Add(const S& text);
  virtual int AddObject(const S& text, TObject* object);
  void Append(const S& text) { Add(text); }
  virtual void AddStrings(const TStringsBase& strings);
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual int IndexOf(const S& text) const;
  virtual int IndexOfName(const S& name) const;
  virtual int IndexOfObject(TObject* object) const;
  bool Equals(const TStringsBase& other) const;

  // Updates nest; the list hears SetUpdateState(true) on the first and (false) on the last.
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  virtual S GetTextStr() const;
  virtual void SetTextStr(const S& text);
  S GetText() const { return GetTextStr(); }
  void SetText(const S& text) { SetTextStr(text); }
  // Items separated by the delimiter; items that are empty or hold blanks, quotes or the
  // delimiter are quoted. CommaText: delimiter ",", quote '"'.
  S GetDelimitedText() const;
  void SetDelimitedText(const S& text);
  S GetCommaText() const;
  void SetCommaText(const S& text);
  TChar GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(TChar delimiter) { FDelimiter = delimiter; }
  TChar GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(TChar quote) { FQuoteChar = quote; }

  // Lines of the form name=value.
  static constexpr TChar kNameValueSeparator = '=';
  S GetName(int index) const;
  S GetValueFromIndex(int index) const;
  S GetValue(const S& name) const;
  // An empty value deletes the line of that name.
  void SetValue(const S& name, const S& value);

  void Assign(TPersistent* source) override;
  // The stream property "Strings": the lines as a list of strings.
  void DefineProperties(TFiler* filer) override;

  // The rest of the stream as text (8-bit: its bytes; wide: UTF-16 units), and back.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream);

 protected:
  virtual void SetUpdateState(bool) {}
  [[noreturn]] void Error(const char* pattern, int index) const;
  S JoinDelimited(TChar delimiter, TChar quote) const;
  void SplitDelimited(const S& text, TChar delimiter, TChar quote);
  // Runs the work inside one update, ended also when the work raises.
  template <class F>
  void WithinUpdate(F&& work) {
    ScopedUpdate update(*this);
    work();
  }

 private:
  int FUpdateCount = 0;
  TChar FDelimiter = ',';
  TChar FQuoteChar = '"';
};

extern template class TStringsBase<std::string>;
extern template class TStringsBase<std::wstring>;

class TStrings : public TStringsBase<std::string> {
  KX_CLASS(TStrings, TStringsBase<std::string>)
 public:
  // Opened for reading with others allowed to read; saving creates or replaces the file.
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName);
};

class TWideStrings : public TStringsBase<std::wstring> {
  KX_CLASS(TWideStrings, TStringsBase<std::wstring>)
 public:
  // By wide file name; the file's bytes are UTF-16 units, as LoadFromStream reads them.
  virtual void LoadFromFile(const std::wstring& fileName);
  virtual void SaveToFile(const std::wstring& fileName);
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

// A list of 8-bit strings with objects, sorted on demand. A new list is unsorted, ignores
// duplicates (when sorted) and compares without regard to case.
class TStringList : public TStrings {
  KX_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  ~TStringList() override;

  std::string Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& text) override;
  void PutObject(int index, TObject* object) override;
  int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int capacity) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& text) override;
  void InsertObject(int index, const std::string& text, TObject* object) override;
  int CompareStrings(const std::string& a, const std::string& b) const override;
  int Add(const std::string& text) override;
  int AddObject(const std::string& text, TObject* object) override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const std::string& text) const override;
  int IndexOfName(const std::string& name) const override;

  // Binary search: true with the first equal item's index, or false with the insertion index.
  virtual bool Find(const std::string& text, int& index) const;
  virtual void Sort();
  // Quicksort by the given comparison; does nothing on a sorted list or below two items.
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool sorted);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool caseSensitive);

  // Both fire on every change, or once around an update (OnChanging at its start, OnChange at
  // its end).
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int index, const std::string& text, TObject* object);
  void SetUpdateState(bool updating) override;

 private:
  struct TItem {
    std::string FString;
    TObject* FObject;
  };
  void CheckIndex(int index) const;
  void Grow();
  static int CompareItems(TStringList* list, int index1, int index2);
  void SortBy(const TStringListSortCompare& compare);
  void QuickSort(int left, int right, const TStringListSortCompare& compare);
  void ExchangeItems(int index1, int index2);

  std::vector<TItem> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
};
