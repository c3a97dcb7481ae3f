// Form descriptions: reading components, properties of every kind, events and extra stream
// properties; errors that name where they happened; the writer; descriptions in resources.
#include <gtest/gtest.h>

#include "classlib/FormReader.h"

namespace {

std::vector<std::string> gLoaded;  // names in the order Loaded reached them

class TTestFont : public TPersistent {
  KX_CLASS(TTestFont, TPersistent)
 public:
  std::string GetName() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  int GetSize() const { return FSize; }
  void SetSize(int size) { FSize = size; }
  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TTestFont>();
    p.String("Name", &TTestFont::GetName, &TTestFont::SetName);
    p.Integer("Size", &TTestFont::GetSize, &TTestFont::SetSize);
  }

 private:
  std::string FName;
  int FSize = 8;
};

class TTestColumn : public TCollectionItem {
  KX_CLASS(TTestColumn, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  std::string GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption) { FCaption = caption; }
  int GetWidth() const { return FWidth; }
  void SetWidth(int width) { FWidth = width; }
  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TTestColumn>();
    p.String("Caption", &TTestColumn::GetCaption, &TTestColumn::SetCaption);
    p.Integer("Width", &TTestColumn::GetWidth, &TTestColumn::SetWidth);
  }

 private:
  std::string FCaption;
  int FWidth = 50;
};

enum TTestAlign { alNone, alTop, alClient };
enum TTestAnchor { akLeft, akTop, akRight, akBottom };
using TTestAnchors = TSet<TTestAnchor>;
const TIdentMap kAligns = {{"alNone", alNone}, {"alTop", alTop}, {"alClient", alClient}};
const TIdentMap kAnchors = {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
const TIdentMap kColors = {{"clRed", 0x0000FF}, {"clBtnFace", static_cast<long long>(0x8000000F)}};

using TKeyEvent = TEvent<void(TObject* Sender, char& Key)>;

class TTestControl : public TComponent {
  KX_COMPONENT(TTestControl, TComponent)
 public:
  explicit TTestControl(TComponent* owner) : TComponent(owner), FColumns(&NewCollectionItem<TTestColumn>, this) {}

  std::string GetCaption() const { return FCaption; }
  void SetCaption(const std::string& caption) { FCaption = caption; }
  std::wstring GetTitle() const { return FTitle; }
  void SetTitle(const std::wstring& title) { FTitle = title; }
  int GetColor() const { return FColor; }
  void SetColor(int color) { FColor = color; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool visible) { FVisible = visible; }
  TTestAlign GetAlign() const { return FAlign; }
  void SetAlign(TTestAlign align) { FAlign = align; }
  TTestAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TTestAnchors anchors) { FAnchors = anchors; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double ratio) { FRatio = ratio; }
  TTestFont* GetFont() { return &FFont; }
  TStringList* GetLines() { return &FLines; }
  TCollection* GetColumns() { return &FColumns; }
  std::string GetData() const { return FData; }
  void SetData(const std::string& data) { FData = data; }
  TTestControl* GetBuddy() const { return FBuddy; }
  void SetBuddy(TTestControl* buddy) { FBuddy = buddy; }
  TNotifyEvent OnClick;
  TKeyEvent OnKeyPress;

  TComponent* FParent = nullptr;
  std::wstring FNote;  // an extra stream property, as the wide controls keep their texts
  std::string FBlob;

  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TTestControl>();
    p.String("Caption", &TTestControl::GetCaption, &TTestControl::SetCaption);
    p.WideString("Title", &TTestControl::GetTitle, &TTestControl::SetTitle);
    p.Integer("Color", &TTestControl::GetColor, &TTestControl::SetColor, &kColors);
    p.Boolean("Visible", &TTestControl::GetVisible, &TTestControl::SetVisible);
    p.Enum("Align", &TTestControl::GetAlign, &TTestControl::SetAlign, kAligns);
    p.Set("Anchors", &TTestControl::GetAnchors, &TTestControl::SetAnchors, kAnchors);
    p.Float("Ratio", &TTestControl::GetRatio, &TTestControl::SetRatio);
    p.Object("Font", &TTestControl::GetFont);
    p.Object("Lines", &TTestControl::GetLines);
    p.Object("Columns", &TTestControl::GetColumns);
    p.Binary("Data", &TTestControl::GetData, &TTestControl::SetData);
    p.Component("Buddy", &TTestControl::GetBuddy, &TTestControl::SetBuddy);
    p.Event("OnClick", &TTestControl::OnClick);
    p.Event("OnKeyPress", &TTestControl::OnKeyPress);
  }

  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineProperty(
        "Note", [this](TReader& r) { FNote = r.ReadWideString(); }, [this](TWriter& w) { w.WriteWideString(FNote); },
        !FNote.empty());
    filer->DefineBinaryProperty(
        "Blob",
        [this](TStream& s) {
          FBlob.resize(static_cast<size_t>(s.GetSize()));
          s.ReadBuffer(FBlob.data(), static_cast<int>(FBlob.size()));
        },
        [this](TStream& s) { s.WriteBuffer(FBlob.data(), static_cast<int>(FBlob.size())); }, !FBlob.empty());
  }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* parent) override { FParent = parent; }

 protected:
  void Loaded() override {
    TComponent::Loaded();
    gLoaded.push_back(GetName());
  }

 private:
  std::string FCaption;
  std::wstring FTitle;
  int FColor = 0;
  bool FVisible = true;
  TTestAlign FAlign = alNone;
  TTestAnchors FAnchors{akLeft, akTop};
  double FRatio = 0;
  TTestFont FFont;
  TStringList FLines;
  TCollection FColumns;
  std::string FData;
  TTestControl* FBuddy = nullptr;
};

class TTestForm : public TComponent {
  KX_COMPONENT(TTestForm, TComponent)
 public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) {}
  TTestControl* ok = nullptr;
  TTestControl* cancel = nullptr;
  std::vector<std::string> Clicks;
  bool LoadingDuringRead = false;

  void ButtonClick(TObject* sender) { Clicks.push_back(static_cast<TComponent*>(sender)->GetName()); }
  void EditKeyPress(TObject*, char& key) { key = static_cast<char>(toupper(key)); }

  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TTestForm>();
    p.Field("ok", &TTestForm::ok);
    p.Field("cancel", &TTestForm::cancel);
    p.Handler("ButtonClick", &TTestForm::ButtonClick);
    p.Handler("EditKeyPress", &TTestForm::EditKeyPress);
  }

 protected:
  void Loaded() override {
    LoadingDuringRead = GetComponentState().Contains(csLoading);
    TComponent::Loaded();
    gLoaded.push_back(GetName());
  }
};

class TWideTestControl : public TTestControl {
  KX_COMPONENT(TWideTestControl, TTestControl)
 public:
  using TTestControl::TTestControl;
  std::wstring GetCaptionW() const { return FWide; }
  void SetCaptionW(const std::wstring& text) { FWide = text; }
  static void DeclareProperties(TPropertyTable& table) {
    table.For<TWideTestControl>().WideString("Caption", &TWideTestControl::GetCaptionW,
                                              &TWideTestControl::SetCaptionW);
  }
  std::wstring FWide;
};

// A component reading a list of mixed values through the reader, as wide string lists do.
class TListReader : public TComponent {
  KX_COMPONENT(TListReader, TComponent)
 public:
  using TComponent::TComponent;
  std::vector<std::string> Seen;
  void DefineProperties(TFiler* filer) override {
    filer->DefineProperty(
        "Values",
        [this](TReader& r) {
          Seen.push_back(r.NextValue() == vaList ? "list" : "single");
          r.ReadListBegin();
          Seen.push_back(std::to_string(r.ReadInteger()));
          Seen.push_back(r.NextValue() == vaWString ? "wide" : "narrow");
          Seen.push_back(r.ReadString());
          Seen.push_back(r.ReadIdent());
          Seen.push_back(r.ReadBoolean() ? "yes" : "no");
          Seen.push_back(std::to_string(r.ReadFloat()));
          EXPECT_THROW(r.ReadInteger(), EPropertyError);  // a string is next
          r.SkipValue();
          EXPECT_TRUE(r.EndOfList());
          r.ReadListEnd();
        },
        nullptr, false);
  }
};

class FormReader : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses({TTestControl::StaticClass(), TTestForm::StaticClass()});
    gLoaded.clear();
  }
};

const char* const kForm = R"(object TestForm: TTestForm
  object panel: TTestControl
    Caption = 'Gr' + #246 + #223'e ''1'''
    Title = 'Euro '#8364
    Color = clBtnFace
    Visible = False
    Align = alClient
    Anchors = [akRight, akBottom]
    Ratio = 1.5
    Font.Name = 'Tahoma'
    Font.Size = -11
    Lines.Strings = (
      'first'
      'zweite Zeile')
    Columns = <
      item
        Caption = 'Name'
        Width = 120
      end
      item
        Caption = 'Size'
      end>
    Data = {0A0bFF 00}
    Buddy = cancel
    object ok: TTestControl
      Caption = 'Größe'
      OnClick = ButtonClick
    end
  end
  object cancel: TTestControl
    Color = $00FF00
    Lines = ('x')
    Note = 'wide '#1046
    Blob = {CAFE}
    OnClick = ButtonClick
    OnKeyPress = EditKeyPress
  end
end
)";

TEST_F(FormReader, BuildsTheComponentTreeInOrder) {
  TTestForm form(nullptr);
  ReadComponentFromText(&form, kForm, "TestForm");
  EXPECT_EQ(form.GetName(), "TestForm");
  ASSERT_EQ(form.GetComponentCount(), 3);
  auto* panel = static_cast<TTestControl*>(form.GetComponent(0));
  EXPECT_EQ(panel->GetName(), "panel");
  EXPECT_EQ(form.GetComponent(1), form.ok);  // creation order, every one owned by the form
  EXPECT_EQ(form.GetComponent(2), form.cancel);
  EXPECT_EQ(panel->FParent, &form);
  EXPECT_EQ(form.ok->FParent, panel);
  EXPECT_EQ(gLoaded, (std::vector<std::string>{"TestForm", "panel", "ok", "cancel"}));
  EXPECT_TRUE(form.LoadingDuringRead);
  EXPECT_FALSE(form.ok->GetComponentState().Contains(csLoading));
  EXPECT_FALSE(form.ok->GetComponentState().Contains(csReading));
}

TEST_F(FormReader, SetsPropertiesOfEveryKind) {
  TTestForm form(nullptr);
  ReadComponentFromText(&form, kForm, "TestForm");
  auto* panel = static_cast<TTestControl*>(form.FindComponent("panel"));
  EXPECT_EQ(panel->GetCaption(), "Gr\xf6\xdf" "e '1'");
  EXPECT_EQ(form.ok->GetCaption(), "Gr\xf6\xdf" "e");  // UTF-8 text, in the system code page
  EXPECT_EQ(panel->GetTitle(), L"Euro \u20ac");
  EXPECT_EQ(panel->GetColor(), static_cast<int>(0x8000000F));
  EXPECT_EQ(form.cancel->GetColor(), 0x00FF00);
  EXPECT_FALSE(panel->GetVisible());
  EXPECT_EQ(panel->GetAlign(), alClient);
  EXPECT_EQ(panel->GetAnchors(), (TTestAnchors{akRight, akBottom}));
  EXPECT_DOUBLE_EQ(panel->GetRatio(), 1.5);
  EXPECT_EQ(panel->GetFont()->GetName(), "Tahoma");
  EXPECT_EQ(panel->GetFont()->GetSize(), -11);
  EXPECT_EQ(panel->GetLines()->GetText(), "first\r\nzweite Zeile\r\n");
  EXPECT_EQ(form.cancel->GetLines()->GetText(), "x\r\n");
  ASSERT_EQ(panel->GetColumns()->GetCount(), 2);
  auto* second = static_cast<TTestColumn*>(panel->GetColumns()->GetItem(1));
  EXPECT_EQ(second->GetCaption(), "Size");
  EXPECT_EQ(second->GetWidth(), 50);
  EXPECT_EQ(static_cast<TTestColumn*>(panel->GetColumns()->GetItem(0))->GetWidth(), 120);
  EXPECT_EQ(panel->GetData(), std::string("\x0a\x0b\xff\x00", 4));
  EXPECT_EQ(panel->GetBuddy(), form.cancel);  // named before it existed
  EXPECT_EQ(form.cancel->FNote, L"wide \u0416");
  EXPECT_EQ(form.cancel->FBlob, "\xca\xfe");
}

TEST_F(FormReader, EventsBindToTheFormsHandlersByName) {
  TTestForm form(nullptr);
  ReadComponentFromText(&form, kForm, "TestForm");
  form.ok->OnClick(form.ok);
  form.cancel->OnClick(form.cancel);
  EXPECT_EQ(form.Clicks, (std::vector<std::string>{"ok", "cancel"}));  // one handler, two buttons
  EXPECT_TRUE(form.ok->OnClick == form.cancel->OnClick);
  char key = 'q';
  form.cancel->OnKeyPress(form.cancel, key);
  EXPECT_EQ(key, 'Q');
  EXPECT_FALSE(form.ok->OnKeyPress);
}

TEST_F(FormReader, ErrorsNameSourceLineObjectAndProperty) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"object F: TTestForm\n  object b: TTestControl\n    Foo = 1\n  end\nend",
       "Src(3): Error reading b.Foo: Property Foo does not exist"},
      {"object F: TTestForm\n object b: TTestControl\n  Font.Colour = 1\n end\nend",
       "Src(3): Error reading b.Font.Colour: Property Colour does not exist"},
      {"object F: TTestForm\n object b: TNoSuchControl\n end\nend", "Src(2): Error reading b: Class TNoSuchControl not found"},
      {"object F: TTestForm\n object b: TTestControl\n  Align = alLeft\n end\nend",
       "Src(3): Error reading b.Align: Invalid property value"},
      {"object F: TTestForm\n object b: TTestControl\n  Visible = 1\n end\nend",
       "Src(3): Error reading b.Visible: Invalid property value"},
      {"object F: TTestForm\n object b: TTestControl\n  OnClick = Missing\n end\nend",
       "Src(3): Error reading b.OnClick: Handler Missing not found in TTestForm"},
      {"object F: TTestForm\n object b: TTestControl\n  OnClick = EditKeyPress\n end\nend",
       "Src(3): Error reading b.OnClick: Handler EditKeyPress does not fit the event OnClick"},
      {"object F: TTestForm\n object b: TTestControl\n  Buddy = nobody\n end\nend",
       "Src(3): Error reading b.Buddy: Component nobody not found"},
      {"object F: TTestForm\n object ok: TTestForm\n end\nend", "Src(2): Error reading ok: Field ok does not hold a TTestForm"},
      {"object F: TTestForm\n object b: TTestControl\n end\n object B: TTestControl\n end\nend",
       "Src(4): Error reading B: A component named B already exists"},
      {"object F: TTestForm\n object b: TTestControl\n  Caption = 'open\n end\nend", "Src(3): Unterminated string"},
      {"object F: TTestForm\n  Caption = )\nend", "Src(2): Value expected"},
      {"object F: TTestForm\n object b: TTestControl\n  Data = {ABC}\n end\nend", "Src(3): Odd number of hexadecimal digits"},
      {"object F: TTestForm\n", "Src(2): 'end' expected"},
      {"object F: TTestForm\nend\nend", "Src(3): Text after the last 'end'"},
  };
  for (const Case& c : cases) {
    TTestForm form(nullptr);
    try {
      ReadComponentFromText(&form, c.text, "Src");
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.GetMessage(), c.message);
    }
  }
}

TEST_F(FormReader, PropertyTablesAreInheritedAndExtended) {
  EXPECT_EQ(GetPropInfo(TWideTestControl::StaticClass(), "caption")->Kind, TPropKind::WideString);
  EXPECT_EQ(GetPropInfo(TTestControl::StaticClass(), "Caption")->Kind, TPropKind::String);
  EXPECT_NE(GetPropInfo(TWideTestControl::StaticClass(), "Anchors"), nullptr);
  EXPECT_EQ(GetPropInfo(TWideTestControl::StaticClass(), "Nothing"), nullptr);
  auto list = GetPropList(TWideTestControl::StaticClass());
  EXPECT_EQ(std::count_if(list.begin(), list.end(), [](const TPropInfo* p) { return p->Name == "Caption"; }), 1);

  // A replacement class under the plain name, as the wide controls replace the plain ones.
  RegisterClassAlias(TWideTestControl::StaticClass(), "TTestControl");
  TTestForm form(nullptr);
  ReadComponentFromText(&form, "object F: TTestForm\n object ok: TTestControl\n Caption = 'Gr'#246#223'e '#1046\n end\nend", "S");
  RegisterClassAlias(TTestControl::StaticClass(), "TTestControl");
  ASSERT_TRUE(Is<TWideTestControl>(form.ok));
  EXPECT_EQ(static_cast<TWideTestControl*>(form.ok)->FWide, L"Gr\u00f6\u00dfe \u0416");
}

TEST_F(FormReader, WriterStoresDefinedPropertiesThatReadBack) {
  TTestForm form(nullptr);
  form.SetName("W");
  auto* panel = new TTestControl(&form);
  panel->SetName("panel");
  panel->SetParentComponent(&form);
  panel->FNote = L"It's \u20ac\r\n";
  panel->GetLines()->SetText("a\nb'c");
  auto* inner = new TTestControl(&form);
  inner->SetName("inner");
  inner->SetParentComponent(panel);
  inner->FBlob = std::string("\x00\x7f", 2);
  const std::string text = WriteComponentText(&form);
  EXPECT_EQ(text,
            "object W: TTestForm\n"
            "  object panel: TTestControl\n"
            "    Note = 'It''s '#8364#13#10\n"
            "    Lines.Strings = (\n"
            "      'a'\n"
            "      'b''c')\n"
            "    object inner: TTestControl\n"
            "      Blob = {007F}\n"
            "    end\n"
            "  end\n"
            "end\n");
  TTestForm copy(nullptr);
  ReadComponentFromText(&copy, text, "written");
  auto* readPanel = static_cast<TTestControl*>(copy.FindComponent("panel"));
  EXPECT_EQ(readPanel->FNote, panel->FNote);
  EXPECT_EQ(readPanel->GetLines()->GetText(), "a\r\nb'c\r\n");
  EXPECT_EQ(static_cast<TTestControl*>(copy.FindComponent("inner"))->FParent, readPanel);
  EXPECT_EQ(static_cast<TTestControl*>(copy.FindComponent("inner"))->FBlob, inner->FBlob);
}

TEST_F(FormReader, ReaderValuesForDefinedProperties) {
  RegisterClass(TListReader::StaticClass());
  TTestForm form(nullptr);
  ReadComponentFromText(&form,
                        "object F: TTestForm\n object l: TListReader\n"
                        "  Values = (-7 'a'#1046 alTop True 2.5 'skip')\n end\nend",
                        "S");
  auto* reader = static_cast<TListReader*>(form.FindComponent("l"));
  EXPECT_EQ(reader->Seen, (std::vector<std::string>{"list", "-7", "wide", "a?", "alTop", "yes", "2.500000"}));
}

TEST_F(FormReader, SecondInstanceOfAFormGetsAFreeName) {
  TComponent application(nullptr);
  auto* first = new TTestForm(&application);
  auto* second = new TTestForm(&application);
  ReadComponentFromText(first, "object main: TTestForm\nend", "S");
  ReadComponentFromText(second, "object main: TTestForm\nend", "S");
  EXPECT_EQ(first->GetName(), "main");
  EXPECT_EQ(second->GetName(), "main_1");
}

class TResourceForm : public TTestForm {
  KX_COMPONENT(TResourceForm, TTestForm)
 public:
  using TTestForm::TTestForm;
};

TEST_F(FormReader, ReadsDescriptionsEmbeddedAsResources) {
  TResourceForm form(nullptr);
  ASSERT_TRUE(InitComponentFromResource(&form));
  ASSERT_NE(form.ok, nullptr);
  EXPECT_EQ(form.ok->GetCaption(), "Gr\xf6\xdf" "e");
  form.ok->OnClick(form.ok);
  EXPECT_EQ(form.Clicks, (std::vector<std::string>{"ok"}));

  TTestForm withoutResource(nullptr);
  EXPECT_FALSE(InitComponentFromResource(&withoutResource));
}

}  // namespace
