#include "ucode/UCodeClasses.h"

#include "ucode/UCodeSysUtils.h"

#include <algorithm>

namespace {

std::string ReadRest(TStream& stream) {
  const int64_t size = std::max<int64_t>(stream.GetSize() - stream.GetPosition(), 0);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size > 0) stream.ReadBuffer(bytes.data(), static_cast<int>(size));
  return bytes;
}

// A text whose mark says UTF-8 is UTF-8 even where a sequence is broken: the broken ones become
// U+FFFD instead of the whole text being dropped.
std::wstring DecodeMarkedUtf8(const std::string& bytes) {
  std::wstring text = UCodeUTF8Decode(bytes);
  if (!text.empty() || bytes.empty()) return text;
  int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  text.assign(static_cast<size_t>(std::max(length, 0)), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

std::wstring ReadUtf16(TStream& stream, bool swapped) {
  const int64_t size = std::max<int64_t>(stream.GetSize() - stream.GetPosition(), 0);
  std::wstring text(static_cast<size_t>(size / 2), L'\0');  // an odd last byte is no character
  if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<int>(text.size() * 2));
  if (swapped) StrSwapByteOrder(text);
  return text;
}

int CompareWide(const std::wstring& a, const std::wstring& b, bool caseSensitive) {
  const DWORD flags = caseSensitive ? 0 : NORM_IGNORECASE;
  if (Win32PlatformIsUnicode)
    return CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
  const std::string narrowA = WideStringToStringEx(a, CP_ACP);
  const std::string narrowB = WideStringToStringEx(b, CP_ACP);
  return CompareStringA(LOCALE_USER_DEFAULT, flags, narrowA.data(), static_cast<int>(narrowA.size()), narrowB.data(),
                        static_cast<int>(narrowB.size())) - CSTR_EQUAL;
}

std::string AnsiFileName(const std::wstring& fileName) {
  return WideStringToStringEx(WideExpandFileName(fileName), CP_ACP);
}

HANDLE OpenFileStreamHandle(const std::wstring& fileName, unsigned mode) {
  const bool create = mode == fmCreate;
  HANDLE handle = create ? WideFileCreate(fileName) : WideFileOpen(fileName, mode);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    RaiseFileStreamError(create, error, AnsiFileName(fileName), fileName);
  }
  return handle;
}

}  // namespace

// ---- DetectStreamBOM

int DetectStreamBOM(TStream& stream) {
  const int64_t start = stream.GetPosition();
  const int64_t remaining = stream.GetSize() - start;
  if (remaining < 2) return ckAnsi;
  unsigned char mark[3] = {};
  stream.ReadBuffer(mark, 2);
  if (mark[0] == 0xFF && mark[1] == 0xFE) return ckUnicode;
  if (mark[0] == 0xFE && mark[1] == 0xFF) return ckUnicodeSwapped;
  stream.SetPosition(start);
  if (remaining >= 3) {
    stream.ReadBuffer(mark, 3);
    if (mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) return ckUtf8;
    stream.SetPosition(start);
  }
  return ckAnsi;
}

// ---- TUCodeStrings

TUCodeStrings::TUCodeStrings() : FAnsiStrings(std::make_unique<TAnsiStringsForWideStringsAdapter>(this)) {}

TUCodeStrings::~TUCodeStrings() = default;

TAnsiStrings* TUCodeStrings::GetAnsiStrings() const { return FAnsiStrings.get(); }

void TUCodeStrings::SetAnsiStrings(TStrings* value) { FAnsiStrings->Assign(value); }

void TUCodeStrings::LoadFromStreamBOM(TStream& stream, bool withBOM) {
  WhileUpdating(*this, [&] {
    const int kind = withBOM ? DetectStreamBOM(stream) : ckUnicode;
    std::wstring text;
    switch (kind) {
      case ckUnicode:
      case ckUnicodeSwapped: text = ReadUtf16(stream, kind == ckUnicodeSwapped); break;
      case ckUtf8: text = DecodeMarkedUtf8(ReadRest(stream)); break;
      default: text = StringToWideStringEx(ReadRest(stream), CP_ACP); break;
    }
    SetTextStr(text);
  });
}

void TUCodeStrings::SaveToStreamBOM(TStream& stream, bool withBOM) {
  if (withBOM) stream.WriteBuffer("\xFF\xFE", 2);
  const std::wstring text = GetTextStr();
  if (!text.empty()) stream.WriteBuffer(text.data(), static_cast<int>(text.size() * sizeof(wchar_t)));
}

void TUCodeStrings::LoadFromFile(const std::wstring& fileName) {
  TUCodeFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TUCodeStrings::LoadFromStream(TStream& stream) { LoadFromStreamBOM(stream, true); }

void TUCodeStrings::SaveToFile(const std::wstring& fileName) {
  TUCodeFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

void TUCodeStrings::SaveToStream(TStream& stream) { SaveToStreamBOM(stream, true); }

namespace {

bool WideValuesTakeEffect(TFiler* filer) {
  TComponent* root = filer->GetRoot();
  return WideFormValuesEnabled && !(root && root->GetComponentState().Contains(csDesigning));
}

// The bytes of an encoded (UTF-8 or UTF-7) string value: each character of the value is one byte.
// Going through the code page instead would turn bytes such as 0x97 into "?".
std::string ReadByteString(TReader& reader) {
  const std::wstring text = reader.ReadWideString();
  std::string bytes(text.size(), '?');
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] < 256) bytes[i] = static_cast<char>(text[i]);
  return bytes;
}

// A list value's strings, each decoded.
std::vector<std::wstring> ReadStringList(TReader& reader, std::wstring (*decode)(const std::string&)) {
  std::vector<std::wstring> lines;
  reader.ReadListBegin();
  while (!reader.EndOfList()) lines.push_back(decode(ReadByteString(reader)));
  reader.ReadListEnd();
  return lines;
}

void ReplaceLines(TWideStrings& strings, const std::vector<std::wstring>& lines) {
  WhileUpdating(strings, [&] {
    strings.Clear();
    for (const auto& line : lines) strings.Add(line);
  });
}

}  // namespace

bool WideFormValuesEnabled = false;

void TUCodeStrings::DefineProperties(TFiler* filer) {
  TWideStrings::DefineProperties(filer);
  auto readWide = [this](TReader& reader) {
    if (reader.NextValue() != vaList) {
      SetTextStr(reader.ReadWideString());
      return;
    }
    std::vector<std::wstring> lines;
    reader.ReadListBegin();
    while (!reader.EndOfList()) lines.push_back(reader.ReadWideString());
    reader.ReadListEnd();
    ReplaceLines(*this, lines);
  };
  auto readUtf8 = [this, filer](TReader& reader) {
    std::vector<std::wstring> lines = ReadStringList(reader, &UCodeUTF8Decode);
    if (WideValuesTakeEffect(filer) || GetCount() == 0) ReplaceLines(*this, lines);
  };
  auto readUtf7 = [this, filer](TReader& reader) {
    std::vector<std::wstring> lines = ReadStringList(reader, &UTF7ToWideString);
    if (WideValuesTakeEffect(filer)) ReplaceLines(*this, lines);
  };
  auto writeUtf7 = [this](TWriter& writer) {
    writer.WriteListBegin();
    for (int i = 0; i < GetCount(); ++i) writer.WriteString(WideStringToUTF7(Get(i)));
    writer.WriteListEnd();
  };
  filer->DefineProperty("WideStrings", readWide, nullptr, false);
  filer->DefineProperty("WideStringsW", readUtf8, nullptr, false);
  filer->DefineProperty("WideStrings_UTF7", readUtf7, writeUtf7, GetCount() > 0);
}

namespace {

void DefineWideStringProperty(TFiler* filer, TPersistent* instance, const TPropInfo* info) {
  auto take = [filer, info, instance](const std::wstring& value) {
    if (WideValuesTakeEffect(filer)) info->SetWideString(instance, value);
  };
  filer->DefineProperty(info->Name + "W", [take](TReader& reader) { take(UCodeUTF8Decode(ReadByteString(reader))); },
                        nullptr, false);
  // A value that something else supplies (a linked action's caption) is not the component's to store.
  const bool stored = IsStoredProp(*info, instance);
  const std::wstring value = stored ? info->GetWideString(instance) : std::wstring();
  filer->DefineProperty(
      info->Name + "_UTF7", [take](TReader& reader) { take(UTF7ToWideString(ReadByteString(reader))); },
      [value](TWriter& writer) { writer.WriteString(WideStringToUTF7(value)); }, !value.empty());
}

// A character property's wide forms always take effect: the 8-bit form cannot hold the character.
void DefineWideCharProperty(TFiler* filer, TPersistent* instance, const TPropInfo* info) {
  filer->DefineProperty(
      info->Name + "W",
      [info, instance](TReader& reader) {
        const std::wstring text = reader.ReadWideString();
        if (text.size() > 1) throw EPropertyError(SInvalidPropertyValue);
        info->SetOrdinal(instance, text.empty() ? 0 : text[0]);
      },
      nullptr, false);
  const wchar_t value = static_cast<wchar_t>(info->GetOrdinal(instance));
  filer->DefineProperty(
      info->Name + "_UTF7",
      [info, instance](TReader& reader) {
        const std::wstring text = UTF7ToWideString(ReadByteString(reader));
        info->SetOrdinal(instance, text.empty() ? 0 : text[0]);
      },
      [value](TWriter& writer) { writer.WriteString(WideStringToUTF7(std::wstring(1, value))); }, value != 0);
}

}  // namespace

void DefineWideProperties(TFiler* filer, TPersistent* instance) {
  for (const TPropInfo* info : GetPropList(instance->ClassType())) {
    if (info->Kind == TPropKind::WideString) DefineWideStringProperty(filer, instance, info);
    else if (info->Kind == TPropKind::WideChar) DefineWideCharProperty(filer, instance, info);
  }
}

// ---- TUCodeStringList

int TUCodeStringList::CompareStrings(const std::wstring& a, const std::wstring& b) const {
  return CompareWide(a, b, GetCaseSensitive());
}

// ---- TUCodeFileStream

TUCodeFileStream::TUCodeFileStream(const std::wstring& fileName, unsigned mode)
    : THandleStream(OpenFileStreamHandle(fileName, mode)) {}

TUCodeFileStream::~TUCodeFileStream() {
  if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

// ---- TAnsiStringsForWideStringsAdapter

TAnsiStringsForWideStringsAdapter::TAnsiStringsForWideStringsAdapter(TWideStrings* wideStrings, UINT codePage)
    : FWideStrings(wideStrings), FCodePage(codePage) {}

std::string TAnsiStringsForWideStringsAdapter::Get(int index) const {
  return WideStringToStringEx(FWideStrings->Get(index), FCodePage);
}

int TAnsiStringsForWideStringsAdapter::GetCount() const { return FWideStrings->GetCount(); }

TObject* TAnsiStringsForWideStringsAdapter::GetObject(int index) const { return FWideStrings->GetObject(index); }

void TAnsiStringsForWideStringsAdapter::Put(int index, const std::string& text) {
  FWideStrings->Put(index, StringToWideStringEx(text, FCodePage));
}

void TAnsiStringsForWideStringsAdapter::PutObject(int index, TObject* object) { FWideStrings->PutObject(index, object); }

void TAnsiStringsForWideStringsAdapter::Clear() { FWideStrings->Clear(); }

void TAnsiStringsForWideStringsAdapter::Delete(int index) { FWideStrings->Delete(index); }

void TAnsiStringsForWideStringsAdapter::Insert(int index, const std::string& text) {
  FWideStrings->Insert(index, StringToWideStringEx(text, FCodePage));
}

void TAnsiStringsForWideStringsAdapter::SetUpdateState(bool updating) {
  if (updating) FWideStrings->BeginUpdate();
  else FWideStrings->EndUpdate();
}

void TAnsiStringsForWideStringsAdapter::LoadFromStreamEx(TStream& stream, UINT codePage) {
  FWideStrings->SetTextStr(StringToWideStringEx(ReadRest(stream), codePage));
}

void TAnsiStringsForWideStringsAdapter::SaveToStreamEx(TStream& stream, UINT codePage) {
  const std::string text = WideStringToStringEx(FWideStrings->GetTextStr(), codePage);
  if (!text.empty()) stream.WriteBuffer(text.data(), static_cast<int>(text.size()));
}

// ---- TWideComponentHelper

TWideComponentHelper::TWideComponentHelper(TComponent* owner) : TComponent(owner) {
  throw EUCodeInternalError("UCode Internal Error: TWideComponentHelper.Create should never be encountered.");
}

TWideComponentHelper::TWideComponentHelper(TComponent* component, TList* list)
    : TComponent(nullptr), FComponent(component), FList(list) {
  FreeNotification(component);
  int index = 0;
  FindWideComponentHelperIndex(list, component, index);
  list->Insert(index, this);
}

TWideComponentHelper::~TWideComponentHelper() {
  if (FList) FList->Remove(this);
}

TWideComponentHelper* TWideComponentHelper::CreateHelper(TComponent* component, TList* list) {
  return new TWideComponentHelper(component, list);
}

void TWideComponentHelper::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FComponent) {
    FComponent = nullptr;
    Free();
  }
}

bool FindWideComponentHelperIndex(TList* list, TComponent* component, int& index) {
  const auto key = reinterpret_cast<std::uintptr_t>(component);
  int low = 0;
  int high = list->GetCount() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const auto served = reinterpret_cast<std::uintptr_t>(static_cast<TWideComponentHelper*>(list->Get(middle))->GetComponent());
    if (served < key) {
      low = middle + 1;
    } else if (served > key) {
      high = middle - 1;
    } else {
      index = middle;
      return true;
    }
  }
  index = low;
  return false;
}

TWideComponentHelper* FindWideComponentHelper(TList* list, TComponent* component) {
  int index = 0;
  if (!FindWideComponentHelperIndex(list, component, index)) return nullptr;
  auto* helper = static_cast<TWideComponentHelper*>(list->Get(index));
  if (helper->GetComponent() != component)
    throw EUCodeInternalError("UCode Internal Error: FindWideComponentHelperIndex failed.");
  return helper;
}

// Controls of forms freed at program end drop their helpers after other statics are gone: the
// list is never destroyed.
TList* WideComponentHelpers() {
  static auto* helpers = new TList;
  return helpers;
}

// ---- Wide text beside 8-bit text

std::wstring GetSyncedWideString(std::wstring& stored, const std::string& current) {
  if (WideStringToStringEx(stored, CP_ACP) != current) stored = StringToWideStringEx(current, CP_ACP);
  return stored;
}

void SetSyncedWideString(const std::wstring& value, std::wstring& stored, const std::string& current,
                         const std::function<void(const std::string&)>& setter) {
  if (value == GetSyncedWideString(stored, current)) return;
  const std::string narrow = WideStringToStringEx(value, CP_ACP);
  if (StringToWideStringEx(narrow, CP_ACP) != value && narrow == current) setter(std::string());
  stored = value;
  setter(narrow);
}
