object quhopt: Tquhopt
  Left = 320
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Erweiterte Einstellungen'
  ClientWidth = 440
  ClientHeight = 439
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  object gb1: TGroupBox
    Left = 8
    Top = 8
    Width = 424
    Height = 118
    Caption = 'Einstellungen'
    object doppelteweg: TCheckBox
      Left = 12
      Top = 20
      Width = 400
      Height = 19
      Caption = 'Keine Dateien doppelt hinzufügen'
      Checked = True
    end
    object dadweitere: TCheckBox
      Left = 12
      Top = 44
      Width = 400
      Height = 19
      Caption = 'Auch bei Drag and Drop nach weiteren Seiten suchen'
    end
    object endungenweg: TCheckBox
      Left = 12
      Top = 68
      Width = 400
      Height = 19
      Caption = 'Links: Dateiendungen entfernen'
    end
    object namengross: TCheckBox
      Left = 12
      Top = 92
      Width = 400
      Height = 19
      Caption = 'Bezeichnung: Groß schreiben'
      Checked = True
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 132
    Width = 424
    Height = 266
    Caption = 'Quelle Manuell Ändern'
    object rb1: TRadioButton
      Left = 12
      Top = 20
      Width = 120
      Height = 19
      Caption = 'Bezeichnung'
      Checked = True
      Tag = 1
      OnClick = rb1Click
    end
    object rb2: TRadioButton
      Left = 140
      Top = 20
      Width = 120
      Height = 19
      Caption = 'Link'
      OnClick = rb2Click
    end
    object rb3: TRadioButton
      Left = 268
      Top = 20
      Width = 120
      Height = 19
      Caption = 'Datei'
      OnClick = rb3Click
    end
    object liste: TMemo
      Left = 12
      Top = 46
      Width = 400
      Height = 208
      ScrollBars = ssBoth
      WordWrap = False
      OnChange = listeChange
    end
  end
  object OK: TButton
    Left = 357
    Top = 406
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    OnClick = OKClick
  end
end
