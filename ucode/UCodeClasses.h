// Container and stream classes of the Unicode layer: the wide string list that reads byte-order
// marks and saves UTF-16 LE, a file stream opened by wide name, 8-bit views of wide lists, the
// per-component store of wide values (TWideComponentHelper) and the rule that keeps a wide text
// in step with a control's 8-bit text.
#pragma once

#include "classlib/Classes.h"
#include "classlib/FormReader.h"
#include "ucode/UCodeSystem.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAnsiStrings;
class TAnsiStringsForWideStringsAdapter;

// Character kinds of DetectStreamBOM.
enum TStreamCharKind { ckAnsi = 0, ckUnicode = 1, ckUnicodeSwapped = 2, ckUtf8 = 3 };

// The character kind a stream's byte-order mark names; the stream is left behind the mark, or where
// it was when there is none.
int DetectStreamBOM(TStream& stream);

// A wide string list that loads text with byte-order-mark detection and always saves UTF-16 LE.
class TUCodeStrings : public TWideStrings {
  KX_CLASS(TUCodeStrings, TWideStrings)
 public:
  TUCodeStrings();
  ~TUCodeStrings() override;

  // The lines as 8-bit text in the system code page; assigning copies 8-bit lines into this list.
  TAnsiStrings* GetAnsiStrings() const;
  void SetAnsiStrings(TStrings* value);

  // Kind by mark (UTF-16 LE when withBOM is false); replaces the list's text.
  virtual void LoadFromStreamBOM(TStream& stream, bool withBOM);
  // The text as UTF-16 LE, after the mark FF FE when withBOM is set.
  virtual void SaveToStreamBOM(TStream& stream, bool withBOM);

  void LoadFromFile(const std::wstring& fileName) override;
  void LoadFromStream(TStream& stream) override;
  void SaveToFile(const std::wstring& fileName) override;
  void SaveToStream(TStream& stream) override;

  // Besides "Strings": "WideStrings" (one text or a list; always read), "WideStringsW" (UTF-8
  // lines; read while wide form values are on or the list is empty) and "WideStrings_UTF7" (UTF-7
  // lines; the one written; read while wide form values are on).
  void DefineProperties(TFiler* filer) override;

 private:
  std::unique_ptr<TAnsiStringsForWideStringsAdapter> FAnsiStrings;
};

class TUCodeStringList;
using TUCodeStringListSortCompare = std::function<int(TUCodeStringList* list, int index1, int index2)>;

// The wide list with an object per line, sorted on demand (the class library's string list
// over wide strings). A new list is unsorted, ignores duplicates and compares without regard
// to case.
class TUCodeStringList : public TStringListOf<TUCodeStrings, TUCodeStringList> {
  KX_CLASS(TUCodeStringList, TUCodeStrings)
 public:
  // Wide comparison, with or without regard to case (CaseSensitive).
  int CompareStrings(const std::wstring& a, const std::wstring& b) const override;
};

// A file stream opened by wide file name: mode fmCreate creates or truncates the file, any other
// mode opens an existing one. Raises EFCreateError or EFOpenError naming the expanded file name
// and the system's reason.
class TUCodeFileStream : public THandleStream {
  KX_CLASS(TUCodeFileStream, THandleStream)
 public:
  TUCodeFileStream(const std::wstring& fileName, unsigned mode);
  ~TUCodeFileStream() override;
  TUCodeFileStream(const TUCodeFileStream&) = delete;
  TUCodeFileStream& operator=(const TUCodeFileStream&) = delete;
};

// An 8-bit string list that reads and writes its text in a chosen code page.
class TAnsiStrings : public TStrings {
  KX_CLASS(TAnsiStrings, TStrings)
 public:
  // The rest of the stream as 8-bit text in the code page (0 = the system's ANSI code page).
  virtual void LoadFromStreamEx(TStream& stream, UINT codePage) = 0;
  // The text in the code page, without a byte-order mark.
  virtual void SaveToStreamEx(TStream& stream, UINT codePage) = 0;
};

// The 8-bit view of a wide list: every operation goes to the wide list, each string converted
// with the adapter's code page (0 = the system's ANSI code page).
class TAnsiStringsForWideStringsAdapter : public TAnsiStrings {
  KX_CLASS(TAnsiStringsForWideStringsAdapter, TAnsiStrings)
 public:
  explicit TAnsiStringsForWideStringsAdapter(TWideStrings* wideStrings, UINT codePage = 0);

  std::string Get(int index) const override;
  int GetCount() const override;
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& text) override;
  void PutObject(int index, TObject* object) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& text) override;
  void LoadFromStreamEx(TStream& stream, UINT codePage) override;
  void SaveToStreamEx(TStream& stream, UINT codePage) override;

  UINT GetCodePage() const { return FCodePage; }

 protected:
  void SetUpdateState(bool updating) override;

 private:
  TWideStrings* FWideStrings;
  UINT FCodePage;
};

// The store of wide values that one component needs beside its 8-bit ones. A helper is made by
// CreateHelper, stands in a list sorted by the address of its component, and frees itself (and
// leaves the list) when its component is freed.
class TWideComponentHelper : public TComponent {
  KX_CLASS(TWideComponentHelper, TComponent)
 public:
  // Helpers are made by CreateHelper only: this raises EUCodeInternalError.
  explicit TWideComponentHelper(TComponent* owner);
  ~TWideComponentHelper() override;

  static TWideComponentHelper* CreateHelper(TComponent* component, TList* list);
  TComponent* GetComponent() const { return FComponent; }

 protected:
  // For helpers of derived kinds: serves component and joins list.
  TWideComponentHelper(TComponent* component, TList* list);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* FComponent = nullptr;
  TList* FList = nullptr;
};

// Binary search by component address: true with the helper's index, or false with the index at
// which a helper for the component would stand.
bool FindWideComponentHelperIndex(TList* list, TComponent* component, int& index);
// The component's helper in the list, or nullptr.
TWideComponentHelper* FindWideComponentHelper(TList* list, TComponent* component);
// The list in which the wide controls keep their helpers.
TList* WideComponentHelpers();

// The wide text of a control, kept beside its 8-bit text: the stored wide value counts while its
// 8-bit form equals the control's 8-bit value; otherwise the 8-bit value, widened, replaces it.
std::wstring GetSyncedWideString(std::wstring& stored, const std::string& current);
// Stores a new wide value and hands its 8-bit form to the setter. When the 8-bit form cannot
// carry the value and equals the current 8-bit text, the setter first gets an empty text, so the
// control sees a change.
void SetSyncedWideString(const std::wstring& value, std::wstring& stored, const std::string& current,
                         const std::function<void(const std::string&)>& setter);

// Whether the UTF-8 and UTF-7 forms of wide properties in form descriptions take effect (outside
// design). Off: they are read and dropped, and the 8-bit values stand.
extern bool WideFormValuesEnabled;

// Defines, for each published wide-string property P of instance, the form-description
// properties P + "W" (UTF-8 text) and P + "_UTF7" (UTF-7 text; the one written). Wide components
// call it from DefineProperties after the class library's own definitions.
void DefineWideProperties(TFiler* filer, TPersistent* instance);
