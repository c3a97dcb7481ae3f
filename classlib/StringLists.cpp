#include "classlib/StringLists.h"

#include <algorithm>

namespace {

int CompareIgnoringCase(const std::string& a, const std::string& b) { return AnsiCompareText(a, b); }

int CompareIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

template <class S>
bool NeedsQuotes(const S& text, typename S::value_type quote, typename S::value_type delimiter) {
  for (auto c : text)
    if ((c >= 0 && c <= ' ') || c == quote || c == delimiter) return true;
  return false;
}

template <class C>
bool IsBlank(C c) {
  return c >= 1 && c <= ' ';
}

}  // namespace

template <class S>
TObject* TStringsBase<S>::GetObject(int) const {
  return nullptr;
}

template <class S>
void TStringsBase<S>::Put(int index, const S& text) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, text, object);
}

template <class S>
void TStringsBase<S>::PutObject(int, TObject*) {}

template <class S>
void TStringsBase<S>::InsertObject(int index, const S& text, TObject* object) {
  Insert(index, text);
  PutObject(index, object);
}

template <class S>
int TStringsBase<S>::CompareStrings(const S& a, const S& b) const {
  return CompareIgnoringCase(a, b);
}

template <class S>
int TStringsBase<S>::Add(const S& text) {
  int index = GetCount();
  Insert(index, text);
  return index;
}

template <class S>
int TStringsBase<S>::AddObject(const S& text, TObject* object) {
  int index = Add(text);
  PutObject(index, object);
  return index;
}

template <class S>
void TStringsBase<S>::AddStrings(const TStringsBase& strings) {
  WithinUpdate([&] {
    for (int i = 0; i < strings.GetCount(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  });
}

template <class S>
void TStringsBase<S>::Exchange(int index1, int index2) {
  WithinUpdate([&] {
    TObject* object = GetObject(index1);
    S text = Get(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, text);
    PutObject(index2, object);
  });
}

template <class S>
void TStringsBase<S>::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  WithinUpdate([&] {
    TObject* object = GetObject(curIndex);
    S text = Get(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, text, object);
  });
}

template <class S>
int TStringsBase<S>::IndexOf(const S& text) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), text) == 0) return i;
  return -1;
}

template <class S>
int TStringsBase<S>::IndexOfName(const S& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    S line = Get(i);
    size_t separator = line.find(kNameValueSeparator);
    if (separator != S::npos && CompareStrings(line.substr(0, separator), name) == 0) return i;
  }
  return -1;
}

template <class S>
int TStringsBase<S>::IndexOfObject(TObject* object) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

template <class S>
bool TStringsBase<S>::Equals(const TStringsBase& other) const {
  if (GetCount() != other.GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

template <class S>
void TStringsBase<S>::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

template <class S>
void TStringsBase<S>::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

template <class S>
S TStringsBase<S>::GetTextStr() const {
  S text;
  for (int i = 0; i < GetCount(); ++i) {
    text += Get(i);
    text += TChar('\r');
    text += TChar('\n');
  }
  return text;
}

template <class S>
void TStringsBase<S>::SetTextStr(const S& text) {
  WithinUpdate([&] {
    Clear();
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = pos;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      Add(text.substr(pos, end - pos));
      pos = end;
      if (pos < text.size() && text[pos] == '\r') ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    }
  });
}

template <class S>
S TStringsBase<S>::JoinDelimited(TChar delimiter, TChar quote) const {
  const int count = GetCount();
  if (count == 1 && Get(0).empty()) return S(2, quote);
  S result;
  for (int i = 0; i < count; ++i) {
    S item = Get(i);
    if (NeedsQuotes(item, quote, delimiter)) item = QuoteText(item, quote);
    if (i > 0) result += delimiter;
    result += item;
  }
  return result;
}

template <class S>
void TStringsBase<S>::SplitDelimited(const S& text, TChar delimiter, TChar quote) {
  WithinUpdate([&] {
    Clear();
    size_t pos = 0;
    const size_t n = text.size();
    while (pos < n && IsBlank(text[pos])) ++pos;
    while (pos < n) {
      if (text[pos] == quote) {
        Add(ExtractQuotedText(text, pos, quote));
      } else {
        size_t start = pos;
        while (pos < n && !(text[pos] >= 0 && text[pos] <= ' ') && text[pos] != delimiter) ++pos;
        Add(text.substr(start, pos - start));
      }
      while (pos < n && IsBlank(text[pos])) ++pos;
      if (pos < n && text[pos] == delimiter) {
        if (pos + 1 == n) Add(S());
        do ++pos;
        while (pos < n && IsBlank(text[pos]));
      }
    }
  });
}

template <class S>
S TStringsBase<S>::GetDelimitedText() const {
  return JoinDelimited(FDelimiter, FQuoteChar);
}

template <class S>
void TStringsBase<S>::SetDelimitedText(const S& text) {
  SplitDelimited(text, FDelimiter, FQuoteChar);
}

template <class S>
S TStringsBase<S>::GetCommaText() const {
  return JoinDelimited(',', '"');
}

template <class S>
void TStringsBase<S>::SetCommaText(const S& text) {
  SplitDelimited(text, ',', '"');
}

template <class S>
S TStringsBase<S>::GetName(int index) const {
  S line = Get(index);
  size_t separator = line.find(kNameValueSeparator);
  return separator == S::npos ? S() : line.substr(0, separator);
}

template <class S>
S TStringsBase<S>::GetValueFromIndex(int index) const {
  S line = Get(index);
  size_t separator = line.find(kNameValueSeparator);
  return separator == S::npos ? S() : line.substr(separator + 1);
}

template <class S>
S TStringsBase<S>::GetValue(const S& name) const {
  int index = IndexOfName(name);
  return index < 0 ? S() : GetValueFromIndex(index);
}

template <class S>
void TStringsBase<S>::SetValue(const S& name, const S& value) {
  int index = IndexOfName(name);
  if (!value.empty()) {
    S line = name + kNameValueSeparator + value;
    if (index < 0) Add(line);
    else Put(index, line);
  } else if (index >= 0) {
    Delete(index);
  }
}

template <class S>
void TStringsBase<S>::Assign(TPersistent* source) {
  auto* strings = dynamic_cast<TStringsBase*>(source);
  if (strings == nullptr) return TPersistent::Assign(source);
  if (strings == this) return;
  WithinUpdate([&] {
    Clear();
    FDelimiter = strings->FDelimiter;
    FQuoteChar = strings->FQuoteChar;
    AddStrings(*strings);
  });
}

template <class S>
void TStringsBase<S>::LoadFromStream(TStream& stream) {
  const int64_t size = stream.GetSize() - stream.GetPosition();
  S text(static_cast<size_t>(std::max<int64_t>(size, 0)) / sizeof(TChar), TChar());
  stream.ReadBuffer(text.data(), static_cast<int>(text.size() * sizeof(TChar)));
  SetTextStr(text);
}

template <class S>
void TStringsBase<S>::SaveToStream(TStream& stream) {
  S text = GetTextStr();
  stream.WriteBuffer(text.data(), static_cast<int>(text.size() * sizeof(TChar)));
}

template <class S>
void TStringsBase<S>::Error(const char* pattern, int index) const {
  throw EStringListError(Format(pattern, index));
}

template class TStringsBase<std::string>;
template class TStringsBase<std::wstring>;

// ---------------------------------------------------------------------------------------------

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

namespace {

// A file opened by wide name, closed with the stream.
class TWideFileStream : public THandleStream {
 public:
  TWideFileStream(const std::wstring& fileName, bool create)
      : THandleStream(CreateFileW(fileName.c_str(), create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                                  create ? 0 : FILE_SHARE_READ, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (FHandle != INVALID_HANDLE_VALUE) return;
    const std::string reason = SysErrorMessage(GetLastError());
    const std::string name = AnsiName(fileName);
    if (create) throw EFCreateError(Format(SFCreateErrorEx, name, reason));
    throw EFOpenError(Format(SFOpenErrorEx, name, reason));
  }
  ~TWideFileStream() override { FileClose(FHandle); }
  TWideFileStream(const TWideFileStream&) = delete;
  TWideFileStream& operator=(const TWideFileStream&) = delete;

 private:
  // The name for an 8-bit message.
  static std::string AnsiName(const std::wstring& name) {
    int length = WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), text.data(), length, nullptr, nullptr);
    return text;
  }
};

}  // namespace

void TWideStrings::LoadFromFile(const std::wstring& fileName) {
  TWideFileStream stream(fileName, false);
  LoadFromStream(stream);
}

void TWideStrings::SaveToFile(const std::wstring& fileName) {
  TWideFileStream stream(fileName, true);
  SaveToStream(stream);
}

// ---------------------------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return FList[index].FString;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FList[index].FObject;
}

void TStringList::Put(int index, const std::string& text) {
  if (FSorted) Error(SSortedListError, 0);
  CheckIndex(index);
  Changing();
  FList[index].FString = text;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  FList[index].FObject = object;
  Changed();
}

void TStringList::SetCapacity(int capacity) {
  if (capacity < GetCount()) Error(SListCapacityError, capacity);
  if (capacity > GetCapacity()) {
    FList.reserve(static_cast<size_t>(capacity));
  } else if (capacity < GetCapacity()) {
    std::vector<TItem> smaller;
    smaller.reserve(static_cast<size_t>(capacity));
    smaller.assign(FList.begin(), FList.end());
    FList.swap(smaller);
  }
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TItem>().swap(FList);
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  FList.erase(FList.begin() + index);
  Changed();
}

void TStringList::Insert(int index, const std::string& text) { InsertObject(index, text, nullptr); }

void TStringList::InsertObject(int index, const std::string& text, TObject* object) {
  if (FSorted) Error(SSortedListError, 0);
  if (index < 0 || index > GetCount()) Error(SListIndexError, index);
  InsertItem(index, text, object);
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::Add(const std::string& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const std::string& text, TObject* object) {
  int index = GetCount();
  if (FSorted && Find(text, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error(SDuplicateString, 0);
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  ExchangeItems(index1, index2);
  Changed();
}

int TStringList::IndexOf(const std::string& text) const {
  if (!FSorted) return TStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

int TStringList::IndexOfName(const std::string& name) const {
  if (!FSorted) return TStrings::IndexOfName(name);
  const std::string key = name + kNameValueSeparator;
  int index = 0;
  Find(key, index);
  if (index < GetCount() && CompareStrings(FList[index].FString.substr(0, key.size()), key) == 0) return index;
  return -1;
}

bool TStringList::Find(const std::string& text, int& index) const {
  bool found = false;
  int low = 0, high = GetCount() - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int c = CompareStrings(FList[middle].FString, text);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) low = middle;
      }
    }
  }
  index = low;
  return found;
}

int TStringList::CompareItems(TStringList* list, int index1, int index2) {
  return list->CompareStrings(list->FList[index1].FString, list->FList[index2].FString);
}

void TStringList::Sort() { CustomSort(&CompareItems); }

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (!FSorted) SortBy(compare);
}

void TStringList::SortBy(const TStringListSortCompare& compare) {
  if (GetCount() < 2) return;
  Changing();
  QuickSort(0, GetCount() - 1, compare);
  Changed();
}

void TStringList::QuickSort(int left, int right, const TStringListSortCompare& compare) {
  int i;
  do {
    i = left;
    int j = right, pivot = (left + right) / 2;
    do {
      // The bounds keep a comparison that contradicts itself inside the list.
      while (i < right && compare(this, i, pivot) < 0) ++i;
      while (j > left && compare(this, j, pivot) > 0) --j;
      if (i <= j) {
        ExchangeItems(i, j);
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

void TStringList::ExchangeItems(int index1, int index2) { std::swap(FList[index1], FList[index2]); }

void TStringList::SetSorted(bool sorted) {
  if (sorted == FSorted) return;
  if (sorted) Sort();
  FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == FCaseSensitive) return;
  FCaseSensitive = caseSensitive;
  // A sorted list must stay in the order its searches assume.
  if (FSorted) SortBy(&CompareItems);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0) OnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0) OnChanging(this);
}

void TStringList::InsertItem(int index, const std::string& text, TObject* object) {
  Changing();
  if (FList.size() == FList.capacity()) Grow();
  FList.insert(FList.begin() + index, TItem{text, object});
  Changed();
}

void TStringList::Grow() {
  const int capacity = GetCapacity();
  const int delta = capacity > 64 ? capacity / 4 : (capacity > 8 ? 16 : 4);
  FList.reserve(static_cast<size_t>(capacity + delta));
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}
