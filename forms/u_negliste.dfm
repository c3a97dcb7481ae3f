object negliste: Tnegliste
  Left = 360
  Top = 140
  BorderStyle = bsDialog
  Caption = 'Negativliste'
  ClientWidth = 336
  ClientHeight = 404
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object liste: TMemo
    Left = 8
    Top = 8
    Width = 320
    Height = 318
    ScrollBars = ssBoth
    WordWrap = False
  end
  object laden: TButton
    OnClick = ladenClick
    Left = 8
    Top = 334
    Width = 75
    Height = 25
    Caption = 'Laden'
  end
  object hinzuladen: TButton
    OnClick = hinzuladenClick
    Left = 89
    Top = 334
    Width = 75
    Height = 25
    Caption = 'Hinzuladen'
  end
  object speichern: TButton
    OnClick = speichernClick
    Left = 170
    Top = 334
    Width = 75
    Height = 25
    Caption = 'Speichern'
  end
  object delete: TButton
    OnClick = deleteClick
    Left = 251
    Top = 334
    Width = 77
    Height = 25
    Caption = 'Löschen'
  end
  object OK: TButton
    OnClick = OKClick
    Left = 253
    Top = 371
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
end
