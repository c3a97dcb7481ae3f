#include "classlib/FormReader.h"

#include <cmath>
#include <cwctype>

namespace {

std::wstring Decode(const std::string& text, UINT codePage, DWORD flags) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

// Form descriptions are UTF-8; a text that is no valid UTF-8 is read in the system code page.
std::wstring DecodeFormText(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::wstring wide = Decode(text, CP_UTF8, MB_ERR_INVALID_CHARS);
  return wide.empty() && !text.empty() ? Decode(text, CP_ACP, 0) : wide;
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

bool IsIdentStart(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; }
bool IsIdentChar(wchar_t c) { return IsIdentStart(c) || (c >= L'0' && c <= L'9') || c == L'.'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Parsing

struct TToken {
  enum Kind { End, Ident, Integer, Float, String, Symbol } kind = End;
  std::wstring text;
  long long integer = 0;
  double real = 0;
  wchar_t symbol = 0;
  int line = 1;
};

class TFormParser {
 public:
  TFormParser(std::wstring text, std::string source) : FText(std::move(text)), FSource(std::move(source)) {}

  TFormObject ParseRoot() {
    Next();
    TFormObject root = ParseObject();
    if (FToken.kind != TToken::End) Error("Text after the last 'end'");
    return root;
  }

 private:
  [[noreturn]] void Error(const std::string& message) const {
    throw EReadError(Format("%s(%d): %s", FSource, FToken.line, message));
  }

  bool IsIdent(const wchar_t* word) const {
    return FToken.kind == TToken::Ident && SameText(Narrow(FToken.text), Narrow(word));
  }
  bool IsSymbol(wchar_t symbol) const { return FToken.kind == TToken::Symbol && FToken.symbol == symbol; }
  bool IsObjectStart() const { return IsIdent(L"object") || IsIdent(L"inherited") || IsIdent(L"inline"); }

  void Expect(wchar_t symbol) {
    if (!IsSymbol(symbol)) Error(Format("'%s' expected", std::string(1, static_cast<char>(symbol))));
    Next();
  }

  std::string ExpectIdent(const char* what) {
    if (FToken.kind != TToken::Ident) Error(Format("%s expected", what));
    std::string ident = Narrow(FToken.text);
    Next();
    return ident;
  }

  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] <= L' ') {
      if (FText[FPos] == L'\n') ++FLine;
      ++FPos;
    }
  }

  void Next() {
    SkipBlanks();
    FToken = TToken();
    FToken.line = FLine;
    if (FPos >= FText.size()) return;
    const wchar_t c = FText[FPos];
    if (IsIdentStart(c)) {
      FToken.kind = TToken::Ident;
      while (FPos < FText.size() && IsIdentChar(FText[FPos])) FToken.text += FText[FPos++];
    } else if (c == L'\'' || c == L'#') {
      ReadString();
    } else if (IsDigit(c) || c == L'$' || (c == L'-' && FPos + 1 < FText.size() &&
                                             (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == L'$'))) {
      ReadNumber();
    } else {
      FToken.kind = TToken::Symbol;
      FToken.symbol = c;
      ++FPos;
    }
  }

  // Quoted parts and #codes standing together form one string.
  void ReadString() {
    FToken.kind = TToken::String;
    while (FPos < FText.size() && (FText[FPos] == L'\'' || FText[FPos] == L'#')) {
      if (FText[FPos] == L'#') {
        ++FPos;
        long long code = ReadUnsigned();
        if (code > 0xFFFF) Error("Character code out of range");
        FToken.text += static_cast<wchar_t>(code);
        continue;
      }
      for (++FPos;; ++FPos) {
        if (FPos >= FText.size() || FText[FPos] == L'\n') Error("Unterminated string");
        if (FText[FPos] == L'\'') {
          if (FPos + 1 < FText.size() && FText[FPos + 1] == L'\'') ++FPos;
          else break;
        }
        FToken.text += FText[FPos];
      }
      ++FPos;
    }
  }

  // Decimal digits, or hexadecimal ones after "$".
  long long ReadUnsigned() {
    const bool hex = FPos < FText.size() && FText[FPos] == L'$';
    if (hex) ++FPos;
    const size_t start = FPos;
    unsigned long long value = 0;
    for (; FPos < FText.size(); ++FPos) {
      int digit = hex ? HexValue(FText[FPos]) : (IsDigit(FText[FPos]) ? FText[FPos] - L'0' : -1);
      if (digit < 0) break;
      value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFull) Error("Number out of range");
    }
    if (FPos == start) Error("Number expected");
    return static_cast<long long>(value);
  }

  void ReadNumber() {
    const size_t start = FPos;
    const bool negative = FText[FPos] == L'-';
    if (negative) ++FPos;
    const bool hex = FText[FPos] == L'$';
    long long value = ReadUnsigned();
    if (hex && value > 0x7FFFFFFF) value -= 0x100000000LL;  // hexadecimal fills 32 bits
    if (!hex && FPos < FText.size() && (FText[FPos] == L'.' || FText[FPos] == L'e' || FText[FPos] == L'E')) {
      while (FPos < FText.size() && (IsDigit(FText[FPos]) || FText[FPos] == L'.' || FText[FPos] == L'e' ||
                                     FText[FPos] == L'E' || FText[FPos] == L'+' || FText[FPos] == L'-'))
        ++FPos;
      const std::string number = Narrow(FText.substr(start, FPos - start));
      char* end = nullptr;
      FToken.kind = TToken::Float;
      FToken.real = std::strtod(number.c_str(), &end);
      if (end != number.c_str() + number.size()) Error("Invalid number " + number);
      return;
    }
    if (!hex && value > (negative ? 0x80000000LL : 0x7FFFFFFFLL)) Error("Number out of range");
    FToken.kind = TToken::Integer;
    FToken.integer = negative ? -value : value;
  }

  TFormObject ParseObject() {
    if (!IsObjectStart()) Error("'object' expected");
    TFormObject object;
    object.Line = FToken.line;
    Next();
    std::string first = ExpectIdent("Name or class");
    if (IsSymbol(L':')) {
      Next();
      object.Name = first;
      object.ClassName = ExpectIdent("Class name");
    } else {
      object.ClassName = first;
    }
    for (;;) {
      if (IsIdent(L"end")) {
        Next();
        return object;
      }
      if (IsObjectStart()) object.Children.push_back(ParseObject());
      else if (FToken.kind == TToken::Ident) object.Properties.push_back(ParseProperty());
      else Error("'end' expected");
    }
  }

  TFormProperty ParseProperty() {
    TFormProperty property;
    property.Line = FToken.line;
    property.Name = ExpectIdent("Property name");
    Expect(L'=');
    property.Value = ParseValue();
    return property;
  }

  TFormValue ParseValue() {
    TFormValue value;
    switch (FToken.kind) {
      case TToken::End: Error("Value expected");
      case TToken::Integer:
        value.Type = vaInt;
        value.Integer = FToken.integer;
        Next();
        return value;
      case TToken::Float:
        value.Type = vaFloat;
        value.Float = FToken.real;
        Next();
        return value;
      case TToken::String: return ParseString();
      case TToken::Ident: return ParseIdent();
      case TToken::Symbol: break;
    }
    switch (FToken.symbol) {
      case L'(': return ParseList();
      case L'[': return ParseSet();
      case L'<': return ParseCollection();
      case L'{': return ParseBinary();
      default: Error("Value expected");
    }
  }

  TFormValue ParseString() {
    TFormValue value;
    value.Type = vaString;
    value.Text = FToken.text;
    for (Next(); IsSymbol(L'+'); Next()) {
      Next();
      if (FToken.kind != TToken::String) Error("String expected");
      value.Text += FToken.text;
    }
    for (wchar_t c : value.Text)
      if (c > 0xFF) value.Type = vaWString;
    return value;
  }

  TFormValue ParseIdent() {
    TFormValue value;
    value.Type = IsIdent(L"True") ? vaTrue : IsIdent(L"False") ? vaFalse : IsIdent(L"nil") ? vaNil : vaIdent;
    value.Text = FToken.text;
    Next();
    return value;
  }

  TFormValue ParseList() {
    TFormValue value;
    value.Type = vaList;
    for (Next(); !IsSymbol(L')');) value.Items.push_back(ParseValue());
    Next();
    return value;
  }

  TFormValue ParseSet() {
    TFormValue value;
    value.Type = vaSet;
    Next();
    while (!IsSymbol(L']')) {
      if (!value.Items.empty()) Expect(L',');
      TFormValue element;
      element.Type = vaIdent;
      element.Text = FToken.text;
      ExpectIdent("Set element");
      value.Items.push_back(element);
    }
    Next();
    return value;
  }

  TFormValue ParseCollection() {
    TFormValue value;
    value.Type = vaCollection;
    Next();
    while (!IsSymbol(L'>')) {
      if (!IsIdent(L"item")) Error("'item' expected");
      Next();
      TFormItem item;
      while (!IsIdent(L"end")) {
        if (FToken.kind != TToken::Ident) Error("'end' expected");
        item.Properties.push_back(ParseProperty());
      }
      Next();
      value.CollectionItems.push_back(std::move(item));
    }
    Next();
    return value;
  }

  // The token is "{": the bytes follow as hexadecimal digit pairs up to "}".
  TFormValue ParseBinary() {
    TFormValue value;
    value.Type = vaBinary;
    int high = -1;
    for (;; ++FPos) {
      if (FPos >= FText.size()) Error("'}' expected");
      const wchar_t c = FText[FPos];
      if (c == L'}') break;
      if (c == L'\n') ++FLine;
      if (c <= L' ') continue;
      int digit = HexValue(c);
      if (digit < 0) Error("Invalid binary value");
      if (high < 0) high = digit;
      else value.Bytes += static_cast<char>(high * 16 + digit), high = -1;
    }
    if (high >= 0) Error("Odd number of hexadecimal digits");
    ++FPos;
    Next();
    return value;
  }

  std::wstring FText;
  std::string FSource;
  size_t FPos = 0;
  int FLine = 1;
  TToken FToken;
};

std::string BytesToHex(const std::string& bytes) {
  std::string hex;
  for (unsigned char b : bytes) hex += IntToHex(b, 2);
  return hex;
}

// A string as quoted parts of printable ASCII and #codes for everything else.
std::string QuoteFormString(const std::wstring& text) {
  if (text.empty()) return "''";
  std::string result;
  bool quoted = false;
  for (wchar_t c : text) {
    const bool printable = c >= L' ' && c < 0x7F;
    if (printable != quoted) {
      result += '\'';
      quoted = printable;
    }
    if (printable) result += static_cast<char>(c) == '\'' ? "''" : std::string(1, static_cast<char>(c));
    else result.append("#").append(std::to_string(static_cast<unsigned>(c)));
  }
  if (quoted) result += '\'';
  return result;
}

}  // namespace

TFormObject ParseFormText(const std::string& text, const std::string& source) {
  return TFormParser(DecodeFormText(text), source).ParseRoot();
}

// ---------------------------------------------------------------------------------------------
// Reading

TReader::TReader(std::string source) : FSource(std::move(source)) {}

void TReader::Fail(int line, const std::string& context, const std::string& property,
                   const std::string& message) const {
  std::string where = property.empty() ? context : context + "." + property;
  throw EReadError(Format("%s(%d): Error reading %s: %s", FSource, line, where, message));
}

void TReader::ReadRootComponent(TComponent* root, const TFormObject& description) {
  FRoot = root;
  FLoaded.assign(1, root);
  root->FComponentState.Include(csLoading).Include(csReading);
  if (!description.Name.empty() && !SameText(root->GetName(), description.Name)) {
    // A second window of the same form takes the next free name, as the first keeps its own.
    std::string name = description.Name;
    for (int i = 1;; ++i) {
      try {
        root->SetName(name);
        break;
      } catch (const EComponentError&) {
        if (i > 1000) throw;
        name = description.Name + "_" + std::to_string(i);
      }
    }
  }
  ReadProperties(root, description.Properties, root->GetName());
  for (const TFormObject& child : description.Children) ReadChild(root, child);
  ResolveFixups();
  for (TComponent* component : FLoaded) component->FComponentState.Exclude(csReading);
  for (TComponent* component : FLoaded) component->Loaded();
}

void TReader::ReadChild(TComponent* parent, const TFormObject& node) {
  TClass cls = GetClass(node.ClassName);
  if (cls == nullptr || !cls->CanCreate()) Fail(node.Line, node.Name, "", Format(SClassNotFound, node.ClassName));
  TComponent* component = cls->Create(FRoot);
  component->FComponentState.Include(csLoading).Include(csReading);
  FLoaded.push_back(component);
  try {
    component->SetName(node.Name);
    component->SetParentComponent(parent);
  } catch (const Exception& e) {
    Fail(node.Line, node.Name, "", e.GetMessage());
  }
  if (const TFieldInfo* field = FindField(FRoot->ClassType(), node.Name))
    if (!field->Assign(FRoot, component))
      Fail(node.Line, node.Name, "", "Field " + node.Name + " does not hold a " + node.ClassName);
  ReadProperties(component, node.Properties, node.Name);
  for (const TFormObject& child : node.Children) ReadChild(component, child);
}

void TReader::ReadProperties(TPersistent* instance, const std::vector<TFormProperty>& properties,
                             const std::string& context) {
  for (const TFormProperty& property : properties) {
    FLine = property.Line;
    FContext = context;
    try {
      ReadProperty(instance, property);
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      Fail(property.Line, context, property.Name, e.GetMessage());
    }
  }
}

void TReader::ReadProperty(TPersistent* instance, const TFormProperty& property) {
  // A path walks through nested objects: "Font.Name", "Items.Strings".
  TPersistent* target = instance;
  std::string name = property.Name;
  for (size_t dot = name.find('.'); dot != std::string::npos; dot = name.find('.')) {
    const std::string step = name.substr(0, dot);
    const TPropInfo* info = GetPropInfo(target->ClassType(), step);
    if (info == nullptr || info->Kind != TPropKind::Object) throw EPropertyError("Property " + step + " does not exist");
    target = info->GetObject(target);
    if (target == nullptr) throw EPropertyError("Property " + step + " holds no object");
    name.erase(0, dot + 1);
  }
  if (const TPropInfo* info = GetPropInfo(target->ClassType(), name)) ApplyValue(target, *info, property.Value);
  else ReadDefinedProperty(target, name, property.Value);
}

void TReader::ReadDefinedProperty(TPersistent* instance, const std::string& name, const TFormValue& value) {
  FFrames.assign(1, TFrame{&value, 1, 0});
  FPropName = name;
  FPropHandled = false;
  TPersistent* previous = FCurrent;
  FCurrent = instance;
  instance->DefineProperties(this);
  FCurrent = previous;
  FPropName.clear();
  if (!FPropHandled) throw EPropertyError("Property " + name + " does not exist");
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc&, bool) {
  if (FPropHandled || !readData || !SameText(name, FPropName)) return;
  FPropHandled = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc&, bool) {
  if (FPropHandled || !readData || !SameText(name, FPropName)) return;
  FPropHandled = true;
  TMemoryStream stream;
  const std::string& bytes = Take(vaBinary).Bytes;
  stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  readData(stream);
}

void TReader::ApplyValue(TPersistent* target, const TPropInfo& info, const TFormValue& value) {
  auto invalid = [] { throw EPropertyError(SInvalidPropertyValue); };
  auto isString = [&] { return value.Type == vaString || value.Type == vaWString; };
  long long number = 0;
  switch (info.Kind) {
    case TPropKind::String:
      if (!isString()) invalid();
      return info.SetString(target, ToAnsi(value.Text));
    case TPropKind::WideString:
      if (!isString()) invalid();
      return info.SetWideString(target, value.Text);
    case TPropKind::Integer:
    case TPropKind::Enum:
      if (value.Type == vaInt && info.Kind == TPropKind::Integer) number = value.Integer;
      else if (value.Type != vaIdent || !info.Idents || !IdentToInt(*info.Idents, Narrow(value.Text), number)) invalid();
      return info.SetOrdinal(target, number);
    case TPropKind::WideChar:
      if (value.Type == vaInt && value.Integer >= 0 && value.Integer <= 0xFFFF) number = value.Integer;
      else if (isString() && value.Text.size() <= 1) number = value.Text.empty() ? 0 : value.Text[0];
      else invalid();
      return info.SetOrdinal(target, number);
    case TPropKind::Boolean:
      if (value.Type != vaTrue && value.Type != vaFalse) invalid();
      return info.SetOrdinal(target, value.Type == vaTrue ? 1 : 0);
    case TPropKind::Float:
      if (value.Type != vaFloat && value.Type != vaInt) invalid();
      return info.SetFloat(target, value.Type == vaFloat ? value.Float : static_cast<double>(value.Integer));
    case TPropKind::Set:
      if (value.Type != vaSet) invalid();
      for (const TFormValue& element : value.Items) {
        long long bit = 0;
        if (!IdentToInt(*info.Idents, Narrow(element.Text), bit) || bit < 0 || bit > 63) invalid();
        number |= 1LL << bit;
      }
      return info.SetOrdinal(target, number);
    case TPropKind::Binary:
      if (value.Type != vaBinary) invalid();
      return info.SetString(target, value.Bytes);
    case TPropKind::Component:
      if (value.Type == vaNil) return static_cast<void>(info.SetComponent(target, nullptr));
      if (value.Type != vaIdent) invalid();
      FFixups.push_back(TFixup{target, &info, Narrow(value.Text), FLine, FContext});
      return;
    case TPropKind::Object: return ApplyObject(target, info, value);
    case TPropKind::Event: return ApplyEvent(target, info, value);
  }
}

void TReader::ApplyObject(TPersistent* target, const TPropInfo& info, const TFormValue& value) {
  TPersistent* object = info.GetObject(target);
  auto* strings = dynamic_cast<TStrings*>(object);
  auto* wideStrings = dynamic_cast<TWideStrings*>(object);
  auto* collection = dynamic_cast<TCollection*>(object);
  if (value.Type == vaList && (strings || wideStrings)) {
    FFrames.assign(1, TFrame{&value, 1, 0});
    ReadListBegin();
    if (strings) strings->Clear();
    else wideStrings->Clear();
    while (!EndOfList()) {
      if (strings) strings->Add(ReadString());
      else wideStrings->Add(ReadWideString());
    }
    ReadListEnd();
  } else if (value.Type == vaCollection && collection) {
    const std::string context = FContext, path = context + "." + info.Name;
    WhileUpdating(*collection, [&] {
      collection->Clear();
      for (size_t i = 0; i < value.CollectionItems.size(); ++i)
        ReadProperties(collection->Add(), value.CollectionItems[i].Properties, path + "[" + std::to_string(i) + "]");
    });
    FContext = context;
  } else {
    throw EPropertyError(SInvalidPropertyValue);
  }
}

void TReader::ApplyEvent(TPersistent* target, const TPropInfo& info, const TFormValue& value) {
  if (value.Type == vaNil) return info.ClearEvent(target);
  if (value.Type != vaIdent) throw EPropertyError(SInvalidPropertyValue);
  const std::string name = Narrow(value.Text);
  const THandlerInfo* handler = FindHandler(FRoot->ClassType(), name);
  if (handler == nullptr) throw EPropertyError("Handler " + name + " not found in " + FRoot->ClassName());
  if (!info.BindEvent(target, *handler, FRoot))
    throw EPropertyError("Handler " + name + " does not fit the event " + info.Name);
}

void TReader::ResolveFixups() {
  for (const TFixup& fixup : FFixups) {
    TComponent* component = SameText(fixup.Name, FRoot->GetName()) ? FRoot : FRoot->FindComponent(fixup.Name);
    if (component == nullptr) Fail(fixup.Line, fixup.Context, fixup.Info->Name, "Component " + fixup.Name + " not found");
    if (!fixup.Info->SetComponent(fixup.Target, component))
      Fail(fixup.Line, fixup.Context, fixup.Info->Name, SInvalidPropertyValue);
  }
  FFixups.clear();
}

const TFormValue& TReader::Take(TValueType expected1, TValueType expected2, TValueType expected3) {
  if (FFrames.empty() || FFrames.back().Index >= FFrames.back().Count) throw EReadError("No value to read");
  TFrame& frame = FFrames.back();
  const TFormValue& value = frame.Values[frame.Index];
  if (value.Type != expected1 && value.Type != expected2 && value.Type != expected3)
    throw EPropertyError(SInvalidPropertyValue);
  ++frame.Index;
  return value;
}

TValueType TReader::NextValue() const {
  if (FFrames.empty() || FFrames.back().Index >= FFrames.back().Count) return vaNull;
  return FFrames.back().Values[FFrames.back().Index].Type;
}

TValueType TReader::ReadValue() {
  TValueType type = NextValue();
  if (type != vaNull) ++FFrames.back().Index;
  return type;
}

std::string TReader::ReadString() { return ToAnsi(Take(vaString, vaWString).Text); }
std::wstring TReader::ReadWideString() { return Take(vaString, vaWString).Text; }
int TReader::ReadInteger() { return static_cast<int>(Take(vaInt).Integer); }
bool TReader::ReadBoolean() { return Take(vaTrue, vaFalse).Type == vaTrue; }
std::string TReader::ReadIdent() { return Narrow(Take(vaIdent, vaTrue, vaFalse).Text); }

double TReader::ReadFloat() {
  const TFormValue& value = Take(vaFloat, vaInt);
  return value.Type == vaFloat ? value.Float : static_cast<double>(value.Integer);
}

void TReader::ReadListBegin() {
  const TFormValue& list = Take(vaList);
  FFrames.push_back(TFrame{list.Items.data(), list.Items.size(), 0});
}

bool TReader::EndOfList() const { return FFrames.empty() || FFrames.back().Index >= FFrames.back().Count; }

void TReader::ReadListEnd() {
  if (!EndOfList() || FFrames.size() < 2) throw EPropertyError(SInvalidPropertyValue);
  FFrames.pop_back();
}

// ---------------------------------------------------------------------------------------------
// Writing

TWriter::TWriter(TComponent* root) { FRoot = root; }

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& writeData,
                             bool hasData) {
  if (!hasData || !writeData) return;
  FText += Indent() + FPrefix + name + " = ";
  writeData(*this);
  FText += "\n";
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream stream;
  writeData(stream);
  FText += Indent() + FPrefix + name + " = {" + BytesToHex(std::string(stream.GetMemory(), stream.GetSize())) + "}\n";
}

void TWriter::WriteValueText(const std::string& text) {
  if (FListDepth > 0) FText.append("\n").append(Indent()).append(static_cast<size_t>(FListDepth) * 2, ' ');
  FText += text;
}

void TWriter::WriteString(const std::string& text) { WriteValueText(QuoteFormString(Decode(text, CP_ACP, 0))); }
void TWriter::WriteWideString(const std::wstring& text) { WriteValueText(QuoteFormString(text)); }
void TWriter::WriteInteger(long long value) { WriteValueText(std::to_string(value)); }
void TWriter::WriteBoolean(bool value) { WriteValueText(value ? "True" : "False"); }
void TWriter::WriteIdent(const std::string& ident) { WriteValueText(ident); }

void TWriter::WriteFloat(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  std::string text = buffer;
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  WriteValueText(text);
}

void TWriter::WriteListBegin() {
  WriteValueText("(");
  ++FListDepth;
}

void TWriter::WriteListEnd() {
  --FListDepth;
  FText += ")";
}

void TWriter::WriteDefinedProperties(TPersistent* instance, const std::string& prefix) {
  const std::string saved = FPrefix;
  FPrefix = prefix;
  instance->DefineProperties(this);
  // Nested objects store their own extras under their path: "Items.WideStrings_UTF7".
  for (const TPropInfo* info : GetPropList(instance->ClassType()))
    if (info->Kind == TPropKind::Object)
      if (TPersistent* object = info->GetObject(instance))
        if (!dynamic_cast<TCollection*>(object)) WriteDefinedProperties(object, prefix + info->Name + ".");
  FPrefix = saved;
}

void TWriter::WriteComponent(TComponent* component) {
  FText += Indent() + "object " + component->GetName() + ": " + component->ClassName() + "\n";
  ++FDepth;
  WriteDefinedProperties(component, "");
  for (int i = 0; i < FRoot->GetComponentCount(); ++i) {
    TComponent* child = FRoot->GetComponent(i);
    TComponent* parent = child->HasParent() ? child->GetParentComponent() : FRoot;
    if (parent == component || (component == FRoot && parent == nullptr)) WriteComponent(child);
  }
  --FDepth;
  FText += Indent() + "end\n";
}

void TWriter::WriteRootComponent() {
  FText.clear();
  WriteComponent(FRoot);
}

// ---------------------------------------------------------------------------------------------

void ReadComponentFromText(TComponent* root, const std::string& text, const std::string& source) {
  TReader reader(source);
  reader.ReadRootComponent(root, ParseFormText(text, source));
}

bool ReadComponentRes(TComponent* root, const std::string& resourceName, HINSTANCE module) {
  if (module == nullptr) module = GetModuleHandleA(nullptr);
  if (FindResourceA(module, resourceName.c_str(), RT_RCDATA) == nullptr) return false;
  TResourceStream stream(module, resourceName);
  ReadComponentFromText(root, std::string(stream.GetMemory(), static_cast<size_t>(stream.GetSize())), resourceName);
  return true;
}

bool InitComponentFromResource(TComponent* root, HINSTANCE module) {
  return ReadComponentRes(root, root->ClassName(), module);
}

std::string WriteComponentText(TComponent* root) {
  TWriter writer(root);
  writer.WriteRootComponent();
  return writer.GetText();
}

// ---- string lists -----------------------------------------------------------------------------
// A string list keeps its lines in a description as the list property "Strings"; the reader
// and writer know that format, so the string lists' unit need not know them.
template <class S>
void TStringsBase<S>::DefineProperties(TFiler* filer) {
  auto read = [this](TReader& reader) {
    WithinUpdate([&] {
      reader.ReadListBegin();
      Clear();
      while (!reader.EndOfList()) {
        if constexpr (sizeof(TChar) == 1) Add(reader.ReadString());
        else Add(reader.ReadWideString());
      }
      reader.ReadListEnd();
    });
  };
  auto write = [this](TWriter& writer) {
    writer.WriteListBegin();
    for (int i = 0; i < GetCount(); ++i) {
      if constexpr (sizeof(TChar) == 1) writer.WriteString(Get(i));
      else writer.WriteWideString(Get(i));
    }
    writer.WriteListEnd();
  };
  filer->DefineProperty("Strings", read, write, GetCount() > 0);
}

template void TStringsBase<std::string>::DefineProperties(TFiler* filer);
template void TStringsBase<std::wstring>::DefineProperties(TFiler* filer);
