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
    const DWORD error = GetLastError();
    RaiseFileStreamError(create, error, WideToAnsi(fileName), fileName);
  }
  ~TWideFileStream() override { FileClose(FHandle); }
  TWideFileStream(const TWideFileStream&) = delete;
  TWideFileStream& operator=(const TWideFileStream&) = delete;
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

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return GetCaseSensitive() ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}
