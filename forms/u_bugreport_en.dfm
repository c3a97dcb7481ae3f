object bugreport_en: Tbugreport_en
  Left = 340
  Top = 180
  BorderStyle = bsDialog
  Caption = 'Report Bug or Improvement'
  ClientWidth = 460
  ClientHeight = 276
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  Position = poScreenCenter
  object Label16: TLabel
    Left = 12
    Top = 12
    Caption = 'Dear User,'
  end
  object StaticText19: TStaticText
    Left = 12
    Top = 34
    Width = 436
    Height = 44
    AutoSize = False
    Caption = 'if you have found a bug or would like an improvement, please tell us on our support page:'
  end
  object Label70: TLabel
    Left = 12
    Top = 80
    Caption = 'kaptorix.com/support'
    Cursor = crHandPoint
    Font.Color = clBlue
    Font.Style = [fsUnderline]
    OnClick = BrowseToCaption
  end
  object StaticText1: TStaticText
    Left = 12
    Top = 104
    Width = 436
    Height = 44
    AutoSize = False
    Caption = 'Giving your e-mail address there is voluntary. If you give it, you will get an answer from us.'
  end
  object StaticText2: TStaticText
    Left = 12
    Top = 154
    Width = 436
    Height = 44
    AutoSize = False
    Caption = 'Do you need a program made exactly for your task? We also develop custom-made software:'
  end
  object Label1: TLabel
    Left = 12
    Top = 200
    Caption = 'kaptorix.com/custom-software'
    Cursor = crHandPoint
    Font.Color = clBlue
    Font.Style = [fsUnderline]
    OnClick = BrowseToCaption
  end
  object Button1: TButton
    Left = 373
    Top = 240
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    OnClick = Button1Click
  end
end
