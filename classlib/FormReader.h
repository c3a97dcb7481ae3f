// Form descriptions: the text that builds a window's components, its reader and a writer for
// the extra properties that components define themselves.
//
// The text (UTF-8, or the system code page when it is no valid UTF-8) is a tree of objects:
//
//   object prog: Tprog
//     Caption = 'Kaptorix ' + #8211 + ' Index'      strings: quoted parts and #codes, joined by +
//     Left = 10                                       integers (also $1F), floats (1.5)
//     Visible = True                                  True, False
//     Align = alClient                                identifiers of an enumeration or constant
//     Anchors = [akLeft, akTop]                       sets
//     Font.Name = 'Tahoma'                            properties of nested objects
//     Lines.Strings = ('first' 'second')              lists
//     Picture.Data = {0A0B0C}                         bytes in hexadecimal
//     Columns = <item Caption = 'Name' end item end>  collection items
//     OnCreate = FormCreate                           events name a handler of the form
//     object ft_start: TButton                        owned components, made in this order
//       OnClick = ft_startClick
//     end
//   end
//
// The reader makes each component by its registered class name (RegisterClass) with the form
// as owner, names it, gives it its parent component, stores it in the form's field of that name,
// sets its properties through the class's property table (TypInfo.h), asks DefineProperties for
// names the table lacks, resolves component references at the end and then calls Loaded on the
// form and every component in the order they were made. Errors name the source, line, object
// and property: "Tprog(12): Error reading ft_start.Foo: Property Foo does not exist".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

class TReader;
class TWriter;

enum TValueType { vaNull, vaList, vaInt, vaFloat, vaString, vaWString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
                  vaCollection, vaNil };

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

// What DefineProperties talks to: the reader or the writer.
class TFiler : public TObject {
  KX_CLASS(TFiler, TObject)
 public:
  // A stream property read by readData and, when hasData says there is something to store,
  // written by writeData.
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                              bool hasData) = 0;
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;
  // The form being read or written.
  TComponent* GetRoot() const { return FRoot; }

 protected:
  TComponent* FRoot = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The parsed description

struct TFormProperty;

struct TFormItem {
  std::vector<TFormProperty> Properties;
};

struct TFormValue {
  TValueType Type = vaNull;
  long long Integer = 0;
  double Float = 0;
  std::wstring Text;               // strings and identifiers
  std::vector<TFormValue> Items;   // list items; set elements (identifiers)
  std::string Bytes;               // binary
  std::vector<TFormItem> CollectionItems;
};

struct TFormProperty {
  std::string Name;  // may be a path: "Font.Name"
  TFormValue Value;
  int Line = 0;
};

struct TFormObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
};

// Raises EReadError "source(line): message" for text that is no form description.
TFormObject ParseFormText(const std::string& text, const std::string& source);

// ---------------------------------------------------------------------------------------------

class TReader : public TFiler {
  KX_CLASS(TReader, TFiler)
 public:
  // source names the description in error messages (a file or resource name).
  explicit TReader(std::string source);

  // Reads the description into root (which exists already) and the components it lists.
  void ReadRootComponent(TComponent* root, const TFormObject& description);

  void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  // The value reader for DefineProperties: the property's value, and list items in turn.
  TValueType NextValue() const;  // vaNull at the end of a list
  TValueType ReadValue();        // the type of the next value, which is skipped
  void SkipValue() { ReadValue(); }
  std::string ReadString();      // any string, in the system code page
  std::wstring ReadWideString(); // any string
  int ReadInteger();
  double ReadFloat();
  bool ReadBoolean();
  std::string ReadIdent();
  void ReadListBegin();
  bool EndOfList() const;
  void ReadListEnd();
  // The component whose properties are being read.
  TPersistent* GetCurrent() const { return FCurrent; }

 private:
  struct TFixup {
    TPersistent* Target;
    const TPropInfo* Info;
    std::string Name;
    int Line;
    std::string Context;
  };
  struct TFrame {
    const TFormValue* Values;
    size_t Count;
    size_t Index;
  };

  void ReadChild(TComponent* parent, const TFormObject& node);
  void ReadProperties(TPersistent* instance, const std::vector<TFormProperty>& properties, const std::string& context);
  void ReadProperty(TPersistent* instance, const TFormProperty& property);
  void ReadDefinedProperty(TPersistent* instance, const std::string& name, const TFormValue& value);
  void ApplyValue(TPersistent* target, const TPropInfo& info, const TFormValue& value);
  void ApplyObject(TPersistent* target, const TPropInfo& info, const TFormValue& value);
  void ApplyEvent(TPersistent* target, const TPropInfo& info, const TFormValue& value);
  void ResolveFixups();
  const TFormValue& Take(TValueType expected1, TValueType expected2 = vaNull, TValueType expected3 = vaNull);
  [[noreturn]] void Fail(int line, const std::string& context, const std::string& property,
                         const std::string& message) const;

  std::string FSource;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
  std::vector<TFrame> FFrames;
  TPersistent* FCurrent = nullptr;
  std::string FPropName;
  bool FPropHandled = false;
  int FLine = 0;
  std::string FContext;
};

// Writes components with the extra properties their DefineProperties store (published
// properties are not written).
class TWriter : public TFiler {
  KX_CLASS(TWriter, TFiler)
 public:
  explicit TWriter(TComponent* root);

  void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc& writeData,
                            bool hasData) override;

  // Values for DefineProperties' write procedures.
  void WriteString(const std::string& text);  // in the system code page
  void WriteWideString(const std::wstring& text);
  void WriteInteger(long long value);
  void WriteFloat(double value);
  void WriteBoolean(bool value);
  void WriteIdent(const std::string& ident);
  void WriteListBegin();
  void WriteListEnd();

  // The root and the components it owns, nested by parent component.
  void WriteRootComponent();
  const std::string& GetText() const { return FText; }

 private:
  void WriteComponent(TComponent* component);
  void WriteDefinedProperties(TPersistent* instance, const std::string& prefix);
  void WriteValueText(const std::string& text);
  std::string Indent() const { return std::string(static_cast<size_t>(FDepth) * 2, ' '); }

  std::string FText;
  std::string FPrefix;
  int FDepth = 0;
  int FListDepth = 0;
};

// Reads a description given as text into root.
void ReadComponentFromText(TComponent* root, const std::string& text, const std::string& source);
// Reads the RCDATA resource of that name (module nullptr: the program) into root; false when
// there is no such resource.
bool ReadComponentRes(TComponent* root, const std::string& resourceName, HINSTANCE module = nullptr);
// As ReadComponentRes with the root's class name, which names every form's resource.
bool InitComponentFromResource(TComponent* root, HINSTANCE module = nullptr);
// The text TWriter makes of root.
std::string WriteComponentText(TComponent* root);
