#include "engine/u_funktionen.h"

#include <algorithm>

#include "ucode/UCodeDialogs.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/ListView.h"
#include "classlib/Registry.h"
#include "classlib/ScopedHandles.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "engine/u_FileErrors.h"
#include "engine/u_WideFunc.h"
#include "engine/u_WideFuncText.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeComCtrls.h"

namespace {

// Only 7-bit characters can be part of a number; others become "?", which is none.
std::string NarrowForNumber(const std::wstring& text) {
  std::string narrow(text.size(), '?');
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] < 0x80) narrow[i] = static_cast<char>(text[i]);
  return narrow;
}

}  // namespace

bool IsIntegerStr(const std::string& text) {
  int value = 0;
  return TryStrToInt(text, value);
}

bool IsIntegerStr(const std::wstring& text) { return IsIntegerStr(NarrowForNumber(text)); }

int32_t IntegerValueOr(const std::wstring& text, int32_t fallback) {
  return StrToIntDef(NarrowForNumber(text), fallback);
}

// ---- Colour texts

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

std::string HexOfColor(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  const unsigned parts[3] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
  std::string text;
  for (unsigned part : parts) {
    text += kHexDigits[part >> 4];
    text += kHexDigits[part & 15];
  }
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ColorOfHex(const std::string& digits, TColor& color) {
  if (digits.size() != 6) return false;
  int value = 0;
  for (int pair = 0; pair < 3; ++pair) {
    const int high = HexValue(digits[2 * pair]), low = HexValue(digits[2 * pair + 1]);
    if (high < 0 || low < 0) return false;
    value |= (high * 16 + low) << (8 * pair);
  }
  color = value;
  return true;
}

}  // namespace

std::string ColorToHtml(TColor color) { return "#" + HexOfColor(color); }

bool HtmlToColor(const std::string& text, TColor& color) {
  return ColorOfHex(!text.empty() && text[0] == '#' ? text.substr(1) : text, color);
}

std::string ColorToHexStr(TColor color) { return HexOfColor(color); }

bool HexStrToColor(const std::string& text, TColor& color) { return ColorOfHex(text, color); }

// ---- File lists

namespace {

std::wstring ExtensionRemoved(const std::wstring& name, const std::wstring& extension) {
  if (extension.empty()) return name;
  const std::wstring upperName = WideUpperCase(name), upperExtension = WideUpperCase(extension);
  std::wstring out;
  size_t from = 0;
  for (size_t at = upperName.find(upperExtension); at != std::wstring::npos;
       at = upperName.find(upperExtension, from)) {
    out.append(name, from, at - from);
    from = at + extension.size();
  }
  return out + name.substr(from);
}

std::wstring SizeText(std::int64_t bytes) {
  const double kilobytes = static_cast<double>(bytes < 0 ? 0 : bytes) / 1024.0;
  return StringToWideStringEx(FloatToStrF(kilobytes, ffNumber, 8, 3), 0) + L" KB";
}

std::wstring EncodingColumn(const std::wstring& path, const std::wstring& type) {
  if (type == L"DOC" || type == L"DOCX" || type == L"ODT") return type;
  try {
    return GetFileEncodingName(path);
  } catch (const Exception&) {
    return std::wstring();  // a file that cannot be opened shows no encoding
  }
}

std::vector<std::wstring>& IconCache() {
  static std::vector<std::wstring> cache;
  return cache;
}

void AppendRow(TCustomListView* list, const std::wstring& label, const std::vector<std::wstring>& subItems,
               int imageIndex) {
  TListItem* item = WideAddListRow(list, label, subItems);
  if (imageIndex >= 0) item->SetImageIndex(imageIndex);
}

bool AddFileRow(TCustomListView* list, const std::wstring& path, const TFileListOptions& options,
                TCustomImageList* icons, TListedPaths& listed) {
  if (options.NoDoubles && listed.Contains(path)) return false;
  const std::wstring name = WideExtractFileName(path), extension = WideExtractFileExt(path);
  std::wstring label = ExtensionRemoved(name, extension);
  const std::wstring link = options.RemoveExtensions ? label : name;
  if (options.CapitalizeLabels) label = CapitalizeLabel(label);
  std::wstring type = WideUpperCase(extension);
  if (!type.empty() && type[0] == L'.') type.erase(0, 1);
  AppendRow(list, label, {link, type, EncodingColumn(path, type), SizeText(GetFileSizeW(path)), path},
            icons ? GetFileIconIndex(path, icons) : -1);
  listed.Add(path);
  return true;
}

}  // namespace

std::wstring CapitalizeLabel(const std::wstring& label) {
  if (label.empty()) return label;
  std::wstring out = label;
  out[0] = WideUpperCase(out.substr(0, 1))[0];
  for (size_t i = 0; i + 2 < out.size(); ++i)
    if (out[i] == L' ') out[i + 1] = WideUpperCase(out.substr(i + 1, 1))[0];
  return out;
}

TListedPaths::TListedPaths(TCustomListView* list) {
  TListItems* items = list->GetItems();
  const int count = items->GetCount();
  m_paths.reserve(static_cast<size_t>(count) * 2);
  for (int i = 0; i < count; ++i) {
    TListItem* item = items->GetItem(i);
    if (item->GetSubItems()->GetCount() > kFileListSourceColumn)
      m_paths.insert(WideListItemSubItem(item, kFileListSourceColumn));
  }
}

bool TListedPaths::Contains(const std::wstring& path) const { return m_paths.count(path) != 0; }
void TListedPaths::Add(const std::wstring& path) { m_paths.insert(path); }

bool AddFileToFileList(TCustomListView* list, const std::wstring& path, const TFileListOptions& options,
                       TCustomImageList* icons) {
  TListedPaths listed(list);
  return AddFileRow(list, path, options, icons, listed);
}

bool AddFileToFileList(TCustomListView* list, const std::wstring& path, const TFileListOptions& options,
                       TCustomImageList* icons, TListedPaths& listed) {
  return AddFileRow(list, path, options, icons, listed);
}

int AddFilesToFileList(TCustomListView* list, const std::vector<std::wstring>& paths,
                       const TFileListOptions& options, TCustomImageList* icons) {
  TListedPaths listed(list);
  int added = 0;
  TListItems* items = list->GetItems();
  items->BeginUpdate();
  try {
    for (const auto& path : paths) added += AddFileRow(list, path, options, icons, listed) ? 1 : 0;
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  return added;
}

int GetFileIconIndex(const std::wstring& path, TCustomImageList* icons) {
  std::wstring key = WideUpperCase(WideExtractFileExt(path));
  key.erase(std::remove(key.begin(), key.end(), L'.'), key.end());
  std::vector<std::wstring>& cache = IconCache();
  for (size_t i = 0; i < cache.size(); ++i)
    if (cache[i] == key) return static_cast<int>(i);
  // A file whose icon the shell cannot give (a name too long for it, say) is listed without
  // one; the next file of its kind may bring the icon.
  const HICON icon = GetFileIconHandle(path);
  if (!icon) return -1;
  const ScopeExit destroyIcon([icon] { DestroyIcon(icon); });
  int index = -1;
  try {
    index = icons->AddIcon(icon);
  } catch (const EInvalidOperation&) {
    return -1;  // the image list took no icon
  }
  if (index < 0) return index;
  if (cache.size() < static_cast<size_t>(index) + 1) cache.resize(static_cast<size_t>(index) + 1);
  cache[static_cast<size_t>(index)] = key;
  return index;
}

void ClearFileIconCache() { IconCache().clear(); }

void AddLinkRowToFileList(TCustomListView* list, const std::wstring& label, const std::wstring& link,
                          const std::wstring& path) {
  AppendRow(list, label, {link, L"", L"", L"", path}, -1);
}

bool ParseSizeKb(const std::string& text, double& kilobytes) {
  std::string number = text;
  const size_t unit = number.find(" KB");
  if (unit != std::string::npos) number.erase(unit, 3);
  const char thousands = FormatSettings().ThousandSeparator;
  if (thousands != FormatSettings().DecimalSeparator)
    number.erase(std::remove(number.begin(), number.end(), thousands), number.end());
  return !number.empty() && TryStrToFloat(number, kilobytes);
}

int CompareSizeTexts(const std::string& a, const std::string& b) {
  double x = 0, y = 0;
  const bool hasX = ParseSizeKb(a, x), hasY = ParseSizeKb(b, y);
  if (!hasX || !hasY) return (hasX ? 1 : 0) - (hasY ? 1 : 0);
  return x < y ? -1 : (x > y ? 1 : 0);
}

// ---- File types

namespace {

std::string WithDot(const std::string& extension) {
  return !extension.empty() && extension[0] == '.' ? extension : "." + extension;
}

bool SetDefaultValue(TRegistry& registry, const std::string& key, const std::string& value) {
  if (!registry.OpenKey(key, true)) return false;
  registry.WriteString("", value);
  registry.CloseKey();
  return true;
}

}  // namespace

const std::vector<std::string>& ProgramFileTypeKeys() {
  static const std::vector<std::string> keys = {"Index Datei", "Index File"};
  return keys;
}

bool RegisterFileExtension(const std::string& extension, const std::string& typeKey,
                           const std::string& description, const std::string& programPath,
                           const std::string& argument) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  try {
    return SetDefaultValue(registry, "\\" + WithDot(extension), typeKey) &&
           SetDefaultValue(registry, "\\" + typeKey, description) &&
           SetDefaultValue(registry, "\\" + typeKey + "\\DefaultIcon", programPath + ",0") &&
           SetDefaultValue(registry, "\\" + typeKey + "\\Shell\\Open\\Command",
                           "\"" + programPath + "\" \"" + argument + "\"");
  } catch (const Exception&) {
    return false;  // a value the registry refused: the caller tells the user
  }
}

bool UnregisterFileExtension(const std::string& extension, const std::vector<std::string>& ownTypeKeys) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  const std::string extensionKey = "\\" + WithDot(extension);
  bool removed = false, failed = false;
  try {
    if (registry.OpenKeyReadOnly(extensionKey)) {
      const std::string typeKey = registry.ValueExists("") ? registry.ReadString("") : std::string();
      registry.CloseKey();
      if (std::find(ownTypeKeys.begin(), ownTypeKeys.end(), typeKey) != ownTypeKeys.end()) {
        (registry.DeleteKey(extensionKey) ? removed : failed) = true;
      }
    }
    for (const auto& typeKey : ownTypeKeys) {
      if (typeKey.empty() || !registry.KeyExists("\\" + typeKey)) continue;
      (registry.DeleteKey("\\" + typeKey) ? removed : failed) = true;
    }
  } catch (const Exception&) {
    return false;
  }
  return removed && !failed;
}

void BroadcastIconMetricsChange() {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETICONMETRICS, 0, SMTO_ABORTIFHUNG, 10000, &result);
}

bool RefreshShellIcons() {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKey("Control Panel\\Desktop\\WindowMetrics", false)) return false;
  const char kValue[] = "Shell Icon Size";
  const std::string size = registry.ValueExists(kValue) ? registry.ReadString(kValue) : std::string();
  int value = 0;
  if (size.empty() || !TryStrToInt(size, value)) return false;
  registry.WriteString(kValue, std::to_string(value - 1));
  BroadcastIconMetricsChange();
  registry.WriteString(kValue, size);
  BroadcastIconMetricsChange();
  return true;
}

// ---- Texts read into memos

void ReplaceNulCharacters(std::wstring& text) { std::replace(text.begin(), text.end(), L'\0', L'\uFFFD'); }

size_t LongestLineLength(const std::wstring& text) {
  size_t longest = 0;
  for (size_t start = 0;;) {
    const size_t end = text.find(L"\r\n", start);
    longest = std::max(longest, (end == std::wstring::npos ? text.size() : end) - start);
    if (end == std::wstring::npos) return longest;
    start = end + 2;
  }
}

std::wstring LineTooLongMessage(size_t length, const std::string& languageCode) {
  const std::wstring found = std::to_wstring(length), most = std::to_wstring(kLongestMemoLine);
  if (languageCode == "de")
    return L"Der Text enth\u00E4lt eine Zeile von " + found +
           L" Zeichen; ein Textfeld zeigt Zeilen von h\u00F6chstens " + most + L" Zeichen.";
  return L"The text holds a line of " + found + L" characters; a text box shows lines of at most " + most +
         L" characters.";
}

void ShowTextInMemo(TCustomMemo* memo, std::wstring text, const std::wstring& fileName,
                    const std::string& languageCode) {
  text = WideAdjustLineBreaks(text);
  ReplaceNulCharacters(text);
  const size_t longest = LongestLineLength(text);
  if (longest > kLongestMemoLine) throw ETextRefused(fileName, LineTooLongMessage(longest, languageCode));
  WideSetControlText(memo, text);
}

bool LoadTextIntoMemo(TCustomMemo* memo, bool append, TUCodeOpenDialog* dialog, const std::string& languageCode) {
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return false;
  TWaitCursor busy;
  const std::wstring fileName = dialog->GetFileNameW();
  const std::wstring text = LoadTextFileW(fileName);
  ShowTextInMemo(memo, append ? WideGetControlText(memo) + L"\r\n" + text : text, fileName, languageCode);
  return true;
}

bool SaveMemoAs(TCustomMemo* memo, const std::wstring& defaultName, TUCodeSaveDialog* dialog,
                TTextSaveReport* report) {
  dialog->SetFileNameW(defaultName);
  if (!dialog->Execute() || dialog->GetFileNameW().empty()) return false;
  TWaitCursor busy;
  const TOutputEncoding& output = OutputEncoding();
  return SaveTextFileW(WideGetControlText(memo), dialog->GetFileNameW(), output.GetEncoding(), output.GetWithBOM(),
                       report);
}

std::wstring TextSaveMessage(const TTextSaveReport& report, int encoding, const std::string& languageCode) {
  const bool german = languageCode == "de";
  switch (report.Failure) {
    case TTextSaveFailure::UnknownEncoding:
      return german ? L"Die Datei wurde nicht gespeichert: die Kodierung " + std::to_wstring(encoding) +
                          L" ist unbekannt."
                    : L"The file was not saved: the encoding " + std::to_wstring(encoding) + L" is unknown.";
    case TTextSaveFailure::Picture: return PictureErrorMessage(report.Picture, languageCode);
    case TTextSaveFailure::None: break;
  }
  if (report.ReplacedChars == 0) return std::wstring();
  const std::wstring count = std::to_wstring(report.ReplacedChars);
  return german ? L"Die Datei wurde gespeichert, aber " + count +
                      L" Zeichen lassen sich in ANSI nicht darstellen und wurden ersetzt."
                : L"The file was saved, but " + count + L" characters cannot be written in ANSI and were replaced.";
}

std::wstring TextSaveErrorMessage(const std::exception& error, const std::string& languageCode) {
  const std::wstring reason = ErrorReason(error, languageCode);
  if (const auto* fileError = dynamic_cast<const EStreamError*>(&error); fileError && !fileError->GetFileName().empty())
    return FileErrorMessage(TFileAction::Save, fileError->GetFileName(), reason, languageCode);
  if (languageCode == "de") return L"Die Datei konnte nicht gespeichert werden.\r\n\r\n" + reason;
  return L"The file could not be saved.\r\n\r\n" + reason;
}


std::wstring ComposeSummary(std::initializer_list<TSummaryLine> lines, const std::string& languageCode) {
  const bool german = languageCode == "de";
  if (!german && languageCode != "en") return std::wstring();
  std::wstring summary;
  for (const TSummaryLine& line : lines)
    if (line.On) summary += (german ? line.German : line.English) + line.Tail + L"\r\n";
  return summary + L"\r\n\r\n" +
         (german ? L"Klicken Sie auf \"Index erstellen\", um den Index mit diesen Vorgaben zu schreiben."
                 : L"Click on \"Create Index\" to write your Index with these Settings.");
}

int RunProgressPosition(size_t step, size_t count) {
  if (count == 0) return 30;
  return static_cast<int>(100 * static_cast<unsigned long long>(step + 1) / (count + 2));
}

void ReplaceControlCharacters(std::wstring& text) {
  std::replace_if(
      text.begin(), text.end(), [](wchar_t c) { return c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n'; },
      L'\uFFFD');
}
