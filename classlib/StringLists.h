// String lists: the abstract 8-bit TStrings, its sorted implementation TStringList and the wide
// abstract base TWideStrings. Offered through classlib/Classes.h.
//
// A list holds (string, object) pairs; it owns its strings, never its objects. Text splits at
// CR LF, CR or LF and joins with CR LF after every line, so a text ending in a line break adds
// no empty last line, and the empty text is no line at all.
#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/Objects.h"
#include "classlib/ScopedHandles.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

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

// The list of strings with an object per line, sorted on demand: one implementation for the
// 8-bit list (TStringList, over TStrings) and the wide list of the Unicode layer. `Base` is the
// strings class the list derives from; `Self` is the concrete list, which custom sort
// comparisons receive and which says how two strings compare (CompareStrings). A new list is
// unsorted, ignores duplicates (when sorted) and compares without regard to case. The list owns
// its strings, not its objects.
template <class Base, class Self>
class TStringListOf : public Base {
 public:
  using S = std::remove_cvref_t<decltype(std::declval<const Base&>().Get(0))>;
  using TSortCompare = std::function<int(Self* list, int index1, int index2)>;

  TStringListOf() = default;
  ~TStringListOf() override {
    OnChange = nullptr;
    OnChanging = nullptr;
  }

  S Get(int index) const override {
    CheckIndex(index);
    return FList[index].FString;
  }
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int index) const override {
    CheckIndex(index);
    return FList[index].FObject;
  }
  void Put(int index, const S& text) override {
    if (FSorted) this->Error(SSortedListError, 0);
    CheckIndex(index);
    Changing();
    FList[index].FString = text;
    Changed();
  }
  void PutObject(int index, TObject* object) override {
    CheckIndex(index);
    Changing();
    FList[index].FObject = object;
    Changed();
  }
  int GetCapacity() const override { return FCapacity; }
  void SetCapacity(int capacity) override {
    if (capacity < GetCount()) this->Error(SListCapacityError, capacity);
    if (capacity < FCapacity) FList.shrink_to_fit();
    FList.reserve(static_cast<size_t>(capacity));
    FCapacity = capacity;
  }
  void Clear() override {
    if (FList.empty()) return;
    Changing();
    std::vector<TItem>().swap(FList);
    FCapacity = 0;
    Changed();
  }
  void Delete(int index) override {
    CheckIndex(index);
    Changing();
    FList.erase(FList.begin() + index);
    Changed();
  }
  void Insert(int index, const S& text) override { InsertObject(index, text, nullptr); }
  void InsertObject(int index, const S& text, TObject* object) override {
    if (FSorted) this->Error(SSortedListError, 0);
    if (index < 0 || index > GetCount()) this->Error(SListIndexError, index);
    InsertItem(index, text, object);
  }
  int Add(const S& text) override { return AddObject(text, nullptr); }
  int AddObject(const S& text, TObject* object) override {
    int index = GetCount();
    if (FSorted && Find(text, index)) {
      if (FDuplicates == dupIgnore) return index;
      if (FDuplicates == dupError) this->Error(SDuplicateString, 0);
    }
    InsertItem(index, text, object);
    return index;
  }
  void Exchange(int index1, int index2) override {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FList[index1], FList[index2]);
    Changed();
  }
  int IndexOf(const S& text) const override {
    if (!FSorted) return Base::IndexOf(text);
    int index = 0;
    return Find(text, index) ? index : -1;
  }
  int IndexOfName(const S& name) const override {
    if (!FSorted) return Base::IndexOfName(name);
    const S key = name + Base::kNameValueSeparator;
    int index = 0;
    Find(key, index);
    if (index < GetCount() && this->CompareStrings(FList[index].FString.substr(0, key.size()), key) == 0)
      return index;
    return -1;
  }

  // Binary search: true with the first equal item's index, or false with the insertion index.
  virtual bool Find(const S& text, int& index) const {
    bool found = false;
    int low = 0, high = GetCount() - 1;
    while (low <= high) {
      int middle = (low + high) / 2;
      int order = this->CompareStrings(FList[middle].FString, text);
      if (order < 0) {
        low = middle + 1;
      } else {
        high = middle - 1;
        if (order == 0) {
          found = true;
          if (FDuplicates != dupAccept) low = middle;
        }
      }
    }
    index = low;
    return found;
  }
  virtual void Sort() { CustomSort(&CompareItems); }
  // Quicksort by the given comparison; does nothing on a sorted list or below two items.
  virtual void CustomSort(const TSortCompare& compare) {
    if (!FSorted) SortBy(compare);
  }

  bool GetSorted() const { return FSorted; }
  // Switching on sorts the list first; switching off keeps the order.
  void SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    if (sorted) Sort();
    FSorted = sorted;
  }
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == FCaseSensitive) return;
    FCaseSensitive = caseSensitive;
    // A sorted list must stay in the order its searches assume.
    if (FSorted) SortBy(&CompareItems);
  }

  // Both fire on every change, or once around an update (OnChanging at its start, OnChange at
  // its end).
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed() {
    if (!FUpdating) OnChange(this);
  }
  virtual void Changing() {
    if (!FUpdating) OnChanging(this);
  }
  virtual void InsertItem(int index, const S& text, TObject* object) {
    Changing();
    if (GetCount() == FCapacity) Grow();
    FList.insert(FList.begin() + index, TItem{text, object});
    Changed();
  }
  void SetUpdateState(bool updating) override {
    if (updating) {
      Changing();
      FUpdating = true;
    } else {
      FUpdating = false;
      Changed();
    }
  }

 private:
  struct TItem {
    S FString;
    TObject* FObject;
  };

  void CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) this->Error(SListIndexError, index);
  }
  void Grow() {
    const int delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
    SetCapacity(FCapacity + delta);
  }
  static int CompareItems(Self* list, int index1, int index2) {
    const auto& items = static_cast<TStringListOf*>(list)->FList;
    return list->CompareStrings(items[index1].FString, items[index2].FString);
  }
  void SortBy(const TSortCompare& compare) {
    if (GetCount() < 2) return;
    Changing();
    QuickSort(0, GetCount() - 1, compare);
    Changed();
  }
  void QuickSort(int left, int right, const TSortCompare& compare) {
    Self* self = static_cast<Self*>(this);
    int i;
    do {
      i = left;
      int j = right, pivot = (left + right) / 2;
      do {
        // The bounds keep a comparison that contradicts itself inside the list.
        while (i < right && compare(self, i, pivot) < 0) ++i;
        while (j > left && compare(self, j, pivot) > 0) --j;
        if (i <= j) {
          std::swap(FList[i], FList[j]);
          if (pivot == i) pivot = j;
          else if (pivot == j) pivot = i;
          ++i;
          --j;
        }
      } while (i <= j);
      if (left < j) QuickSort(left, j, compare);
      left = i;
    } while (i < right);
  }

  std::vector<TItem> FList;
  int FCapacity = 0;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FUpdating = false;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

// A list of 8-bit strings with objects, sorted on demand.
class TStringList : public TStringListOf<TStrings, TStringList> {
  KX_CLASS(TStringList, TStrings)
 public:
  // By the user locale's collation, with or without regard to case (CaseSensitive).
  int CompareStrings(const std::string& a, const std::string& b) const override;
};
