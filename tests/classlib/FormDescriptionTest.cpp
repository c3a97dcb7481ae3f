// Forms built from descriptions: every standard control made by name, in order, with its
// properties and events; the window without a window until shown; a screenshot for reviewers.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "WindowsTestSupport.h"
#include "classlib/Buttons.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "support/TestSupport.h"

// The library's own 8-bit controls.
using StdCtrls::TButton;
using StdCtrls::TRadioButton;
using StdCtrls::TScrollBar;
using StdCtrls::TLabel;
using StdCtrls::TCheckBox;
using StdCtrls::TGroupBox;
using StdCtrls::TStaticText;
using StdCtrls::TEdit;
using StdCtrls::TMemo;
using StdCtrls::TComboBox;
using StdCtrls::TListBox;

namespace {

const char kDescription[] = R"(object KitchenForm: TKitchenForm
  Left = 40
  Top = 40
  ClientWidth = 560
  ClientHeight = 330
  Caption = 'Every control'
  Color = clBtnFace
  Position = poDesigned
  OnCreate = FormCreate
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 544
    Height = 40
    Caption = 'Panel'
    BevelOuter = bvLowered
    object SpeedButton1: TSpeedButton
      Left = 8
      Top = 8
      Width = 60
      Height = 24
      Caption = 'Speed'
      GroupIndex = 1
    end
    object Bevel1: TBevel
      Left = 80
      Top = 8
      Width = 60
      Height = 24
      Shape = bsFrame
    end
  end
  object Label1: TLabel
    Left = 8
    Top = 60
    Caption = '&Name:'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 80
    Top = 56
    Width = 150
    Height = 22
    Text = 'Edit text'
    Hint = 'Type a name|The name goes on the index'
    ShowHint = True
    OnChange = SomethingChanged
    OnKeyPress = EditKeyPress
  end
  object Memo1: TMemo
    Left = 8
    Top = 88
    Width = 220
    Height = 70
    Lines.Strings = ('First line' 'Second line')
    ScrollBars = ssVertical
    OnChange = SomethingChanged
  end
  object ComboBox1: TComboBox
    Left = 240
    Top = 56
    Width = 150
    Height = 22
    Style = csDropDownList
    Items.Strings = ('ANSI' 'UTF-8' 'UTF-16')
    ItemIndex = 1
  end
  object ListBox1: TListBox
    Left = 240
    Top = 88
    Width = 150
    Height = 70
    Items.Strings = ('alpha' 'beta' 'gamma')
    Anchors = [akLeft, akTop, akRight]
  end
  object GroupBox1: TGroupBox
    Left = 400
    Top = 56
    Width = 150
    Height = 102
    Caption = 'Group'
    object CheckBox1: TCheckBox
      Left = 10
      Top = 20
      Width = 130
      Height = 17
      Caption = 'Check box'
      Checked = True
    end
    object RadioButton1: TRadioButton
      Left = 10
      Top = 44
      Width = 130
      Height = 17
      Caption = 'Radio one'
      Checked = True
    end
    object RadioButton2: TRadioButton
      Left = 10
      Top = 68
      Width = 130
      Height = 17
      Caption = 'Radio two'
    end
  end
  object StaticText1: TStaticText
    Left = 8
    Top = 170
    Caption = 'Static text'
    BorderStyle = sbsSunken
  end
  object ScrollBar1: TScrollBar
    Left = 120
    Top = 170
    Width = 200
    Height = 17
    Max = 50
    Position = 20
  end
  object LabeledEdit1: TLabeledEdit
    Left = 340
    Top = 186
    Width = 120
    Height = 22
    EditLabel.Caption = 'Labelled'
  end
  object Button1: TButton
    Left = 8
    Top = 290
    Width = 80
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    OnClick = ButtonClick
  end
  object BitBtn1: TBitBtn
    Left = 100
    Top = 290
    Width = 90
    Height = 25
    Kind = bkCancel
  end
  object Image1: TImage
    Left = 210
    Top = 210
    Width = 100
    Height = 100
  end
  object Timer1: TTimer
    Interval = 400
    Enabled = False
  end
end
)";

class TKitchenForm : public TForm {
  KX_COMPONENT(TKitchenForm, TForm)
 public:
  explicit TKitchenForm(TComponent* owner) : TForm(owner) {
    InitFormFromText(kDescription, "TKitchenForm");
  }
  TEdit* Edit1 = nullptr;
  TMemo* Memo1 = nullptr;
  TLabel* Label1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TButton* Button1 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TTimer* Timer1 = nullptr;
  std::vector<std::string> log;

  void FormCreate(TObject*) { log.push_back("create:" + Edit1->GetText()); }
  void SomethingChanged(TObject* sender) { log.push_back("change:" + static_cast<TComponent*>(sender)->GetName()); }
  void ButtonClick(TObject*) { log.push_back("click"); }
  void EditKeyPress(TObject*, char& key) { key = static_cast<char>(toupper(key)); }

  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TKitchenForm>();
    p.Field("Edit1", &TKitchenForm::Edit1);
    p.Field("Memo1", &TKitchenForm::Memo1);
    p.Field("Label1", &TKitchenForm::Label1);
    p.Field("ComboBox1", &TKitchenForm::ComboBox1);
    p.Field("ListBox1", &TKitchenForm::ListBox1);
    p.Field("CheckBox1", &TKitchenForm::CheckBox1);
    p.Field("RadioButton1", &TKitchenForm::RadioButton1);
    p.Field("RadioButton2", &TKitchenForm::RadioButton2);
    p.Field("Button1", &TKitchenForm::Button1);
    p.Field("BitBtn1", &TKitchenForm::BitBtn1);
    p.Field("Timer1", &TKitchenForm::Timer1);
    p.Handler("FormCreate", &TKitchenForm::FormCreate);
    p.Handler("SomethingChanged", &TKitchenForm::SomethingChanged);
    p.Handler("ButtonClick", &TKitchenForm::ButtonClick);
    p.Handler("EditKeyPress", &TKitchenForm::EditKeyPress);
  }
};

const bool registered = (RegisterClass(TKitchenForm::StaticClass()), true);

}  // namespace

TEST(FormDescriptions, MakeEveryControlInOrderWithPropertiesAndEventsAndNoWindow) {
  TKitchenForm* form = new TKitchenForm(nullptr);
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(form->Edit1->HandleAllocated());
  EXPECT_EQ(form->GetCaption(), "Every control");
  EXPECT_EQ(form->GetClientWidth(), 560);
  // Components are listed in the order of the description.
  std::vector<std::string> names;
  for (int i = 0; i < form->GetComponentCount(); ++i) names.push_back(form->GetComponent(i)->GetName());
  ASSERT_GE(names.size(), 5u);
  EXPECT_EQ(names[0], "Panel1");
  EXPECT_EQ(names[1], "SpeedButton1");
  EXPECT_EQ(names.back(), "Timer1");
  EXPECT_EQ(form->Edit1->GetParent(), form);
  EXPECT_EQ(form->CheckBox1->GetParent()->GetName(), "GroupBox1");
  EXPECT_EQ(form->Memo1->GetLines()->GetCount(), 2);
  EXPECT_EQ(form->ComboBox1->GetText(), "UTF-8");
  EXPECT_EQ(form->ListBox1->GetItems()->Get(2), "gamma");
  EXPECT_TRUE(form->CheckBox1->GetChecked());
  EXPECT_TRUE(form->RadioButton1->GetChecked());
  EXPECT_EQ(form->Button1->GetModalResult(), mrOk);
  EXPECT_EQ(form->BitBtn1->GetCaption(), "Cancel");
  EXPECT_EQ(form->Label1->GetFocusControl(), form->Edit1);
  EXPECT_FALSE(form->Timer1->GetEnabled());
  form->SetClientWidth(form->GetClientWidth() + 50);  // the anchored list box grows with the form
  EXPECT_EQ(form->ListBox1->GetWidth(), 200);
  // OnCreate ran once, after every property was read.
  ASSERT_FALSE(form->log.empty());
  EXPECT_EQ(form->log.back(), "create:Edit text");
  form->log.clear();
  form->Edit1->SetText("changed");
  form->Memo1->SetText("one\ntwo");
  EXPECT_EQ(form->log, (std::vector<std::string>{"change:Edit1", "change:Memo1"}));
  form->Free();
}

TEST(FormDescriptions, AShownFormShowsItsControlsAndLeavesAScreenshot) {
  TKitchenForm* form = new TKitchenForm(nullptr);
  form->Show();
  wintest::Pump();
  UpdateWindow(form->GetHandle());
  wintest::Pump();
  EXPECT_EQ(GetFocus(), form->Edit1->GetHandle());  // the first control in tab order
  char text[64] = {};
  GetWindowTextA(form->Edit1->GetHandle(), text, sizeof(text));
  EXPECT_STREQ(text, "Edit text");
  EXPECT_EQ(SendMessageA(form->ComboBox1->GetHandle(), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(form->RadioButton2->GetHandle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  PostMessageA(form->Edit1->GetHandle(), WM_CHAR, 'q', 1);
  wintest::Pump();
  EXPECT_EQ(form->Edit1->GetText(), "Q");  // focus selected the whole text; the handler upper-cased
  int width = 0, height = 0;
  std::vector<uint8_t> rgb = wintest::CaptureWindow(form->GetHandle(), width, height);
  std::string png = wintest::EncodePng(width, height, rgb);
  std::ofstream(testsupport::ExeFolder() + "classlib-controls.png", std::ios::binary) << png;
  size_t distinct = 0;
  for (size_t i = 3; i < rgb.size(); i += 3) distinct += std::memcmp(&rgb[i], &rgb[0], 3) != 0;
  EXPECT_GT(distinct, rgb.size() / 30);  // not one flat colour
  form->Free();
}
