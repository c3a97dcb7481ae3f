object editpos: Teditpos
  Left = 340
  Top = 150
  Caption = 'Editor: Index > Positivliste'
  OnCreate = FormCreate
  OnResize = FormResize
  ClientWidth = 560
  ClientHeight = 424
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = 'Index aus dem Programm'
  end
  object wahl: TComboBox
    Left = 8
    Top = 26
    Width = 240
    Height = 21
    Items.Strings = ('Index: TextIndex' 'Index: DateiIndex')
    Text = 'Index: TextIndex'
    OnChange = wahlChange
  end
  object idxliste: TListBox
    Left = 8
    Top = 54
    Width = 240
    Height = 292
    MultiSelect = True
    Sorted = True
    Anchors = [akLeft, akTop, akBottom]
  end
  object versch: TButton
    Left = 264
    Top = 180
    Width = 32
    Height = 25
    Caption = '>'
    OnClick = verschClick
  end
  object Label2: TLabel
    Left = 304
    Top = 8
    Caption = 'Positivliste'
  end
  object liste: TMemo
    Left = 304
    Top = 26
    Width = 240
    Height = 320
    ScrollBars = ssVertical
    WordWrap = False
    Anchors = [akLeft, akTop, akBottom]
  end
  object sitzung: TCheckBox
    Left = 8
    Top = 397
    Width = 360
    Height = 19
    Caption = 'Geänderte Liste nur in dieser Sitzung verwenden'
    Anchors = [akLeft, akBottom]
  end
  object sort: TButton
    Left = 304
    Top = 354
    Width = 90
    Height = 25
    Caption = 'Sortieren'
    Anchors = [akLeft, akBottom]
    OnClick = sortClick
  end
  object Speichern: TButton
    Left = 388
    Top = 391
    Width = 75
    Height = 25
    Caption = 'Speichern'
    Anchors = [akRight, akBottom]
    OnClick = SpeichernClick
  end
  object Abbrechen: TButton
    Left = 469
    Top = 391
    Width = 75
    Height = 25
    Caption = 'Abbrechen'
    Cancel = True
    Anchors = [akRight, akBottom]
    OnClick = AbbrechenClick
  end
end
