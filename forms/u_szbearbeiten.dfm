object szbearbeiten: Tszbearbeiten
  Left = 320
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Seitenzahlen'
  OnCreate = FormCreate
  ClientWidth = 360
  ClientHeight = 394
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object liste: TMemo
    Left = 8
    Top = 8
    Width = 344
    Height = 220
    ScrollBars = ssVertical
    WordWrap = False
  end
  object gb1: TGroupBox
    Left = 8
    Top = 236
    Width = 344
    Height = 110
    Caption = 'Bearbeiten'
    object ed1: TLabeledEdit
      Left = 12
      Top = 40
      Width = 150
      Height = 21
      EditLabel.Caption = 'Bezeichnung'
    end
    object ed2: TLabeledEdit
      Left = 182
      Top = 40
      Width = 150
      Height = 21
      EditLabel.Caption = 'Zeilennummer'
    end
    object add: TButton
      Left = 12
      Top = 74
      Width = 110
      Height = 25
      Caption = 'Hinzufügen'
      OnClick = addClick
    end
    object Sortieren: TButton
      Left = 222
      Top = 74
      Width = 110
      Height = 25
      Caption = 'Sortieren'
      OnClick = SortierenClick
    end
  end
  object OK: TButton
    Left = 196
    Top = 358
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    OnClick = OKClick
  end
  object Abbrechen: TButton
    Left = 277
    Top = 358
    Width = 75
    Height = 25
    Caption = 'Abbrechen'
    Cancel = True
    ModalResult = mrCancel
    OnClick = AbbrechenClick
  end
end
