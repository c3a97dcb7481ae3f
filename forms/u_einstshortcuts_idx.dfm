object einstshortcuts_idx: Teinstshortcuts_idx
  Left = 300
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Verknüpfungen'
  ClientWidth = 520
  ClientHeight = 520
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  object Label6: TLabel
    Left = 8
    Top = 8
    Caption = 'Das Programm muss für diese Änderungen als Administrator ausgeführt werden.'
  end
  object Label9: TLabel
    Left = 8
    Top = 26
    Caption = 'Das Programm wird gerade nicht als Administrator ausgeführt.'
    Font.Color = clRed
  end
  object AlsAdminStarten: TButton
    Left = 8
    Top = 46
    Width = 220
    Height = 25
    Caption = 'Programm als Admin neu starten'
    OnClick = AlsAdminStartenClick
  end
  object gb1: TGroupBox
    Left = 8
    Top = 80
    Width = 504
    Height = 72
    Caption = 'Verknüpfung mit Konfigurationsdateien (*.idx)'
    object Label1: TLabel
      Left = 12
      Top = 20
      Caption = 'Verknüpfung dieses Programms mit Konfigurationsdateien (Dateiendung: .idx)'
    end
    object KonfigAn: TButton
      Left = 12
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Verknüpfen'
      OnClick = KonfigAnClick
    end
    object KonfigAus: TButton
      Left = 118
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Entfernen'
      OnClick = KonfigAusClick
    end
    object ver_konfig: TLabel
      Left = 232
      Top = 44
      Caption = 'Nicht aktiv'
      Font.Color = clRed
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 158
    Width = 504
    Height = 72
    Caption = 'Senden an'
    object Label7: TLabel
      Left = 12
      Top = 20
      Caption = 'Anzeige dieses Programms im "Senden an" - Explorer Kontextmenü'
    end
    object SendenAnAn: TButton
      Left = 12
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Verknüpfen'
      OnClick = SendenAnAnClick
    end
    object SendenAnAus: TButton
      Left = 118
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Entfernen'
      OnClick = SendenAnAusClick
    end
    object ver_sendenan: TLabel
      Left = 232
      Top = 44
      Caption = 'Nicht aktiv'
      Font.Color = clRed
    end
  end
  object gb3: TGroupBox
    Left = 8
    Top = 236
    Width = 504
    Height = 72
    Caption = 'Verknüpfung mit Ordnern'
    object Label4: TLabel
      Left = 12
      Top = 20
      Caption = 'Anzeige dieses Programms im Explorer Kontextmenü von Ordnern'
    end
    object OrdnerAn: TButton
      Left = 12
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Verknüpfen'
      OnClick = OrdnerAnClick
    end
    object OrdnerAus: TButton
      Left = 118
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Entfernen'
      OnClick = OrdnerAusClick
    end
    object ver_ordner: TLabel
      Left = 232
      Top = 44
      Caption = 'Nicht aktiv'
      Font.Color = clRed
    end
  end
  object gb4: TGroupBox
    Left = 8
    Top = 314
    Width = 504
    Height = 126
    Caption = 'Verknüpfung mit Dateien'
    object Label10: TLabel
      Left = 12
      Top = 20
      Caption = 'Anzeige dieses Programms im Explorer Kontextmenü aller Dateien'
    end
    object AlleDateienAn: TButton
      Left = 12
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Verknüpfen'
      OnClick = AlleDateienAnClick
    end
    object AlleDateienAus: TButton
      Left = 118
      Top = 38
      Width = 100
      Height = 25
      Caption = 'Entfernen'
      OnClick = AlleDateienAusClick
    end
    object ver_alledateien: TLabel
      Left = 232
      Top = 44
      Caption = 'Nicht aktiv'
      Font.Color = clRed
    end
    object Label3: TLabel
      Left = 12
      Top = 72
      Caption = 'Anzeige dieses Programms im Explorer Kontextmenü dieser Dateien:'
    end
    object beldateien: TEdit
      Left = 12
      Top = 92
      Width = 200
      Height = 21
      Text = 'txt,log,php,htm,html'
    end
    object BeliebigeDateienAn: TButton
      Left = 220
      Top = 90
      Width = 100
      Height = 25
      Caption = 'Verknüpfen'
      OnClick = BeliebigeDateienAnClick
    end
    object BeliebigeDateienAus: TButton
      Left = 326
      Top = 90
      Width = 100
      Height = 25
      Caption = 'Entfernen'
      OnClick = BeliebigeDateienAusClick
    end
  end
  object Label12: TLabel
    Left = 8
    Top = 450
    Caption = 'Hilfe und weitere Informationen zu Verknüpfungen und Administratorrechten auf:'
  end
  object Label70: TLabel
    Left = 8
    Top = 468
    Caption = 'kaptorix.de/verknuepfungen'
    Cursor = crHandPoint
    Font.Color = clBlue
    Font.Style = [fsUnderline]
    OnClick = Label70Click
  end
  object OK: TButton
    Left = 437
    Top = 487
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    OnClick = OKClick
  end
end
