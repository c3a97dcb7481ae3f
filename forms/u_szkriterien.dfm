object szkriterien: Tszkriterien
  Left = 300
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Seitenzahlen'
  OnCreate = FormCreate
  ClientWidth = 520
  ClientHeight = 468
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object gb0: TGroupBox
    Left = 8
    Top = 8
    Width = 504
    Height = 68
    Caption = 'Position der Seitenzahlen'
    object posueber: TRadioButton
      Left = 12
      Top = 20
      Width = 480
      Height = 19
      Caption = 'Seitenzahlen stehen über dem Text'
    end
    object posunter: TRadioButton
      Left = 12
      Top = 42
      Width = 480
      Height = 19
      Caption = 'Seitenzahlen stehen unter dem Text'
      Checked = True
    end
  end
  object gb1: TGroupBox
    Left = 8
    Top = 82
    Width = 504
    Height = 54
    Caption = 'Zeilenlänge'
    object Label1: TLabel
      Left = 12
      Top = 25
      Caption = 'Maximale Zeilenlänge der untersuchten Zeilen:'
    end
    object sz_laenge: TComboBox
      OnChange = sz_laengeChange
      OnExit = sz_laengeExit
      OnKeyPress = sz_laengeKeyPress
      Tag = 5
      Left = 362
      Top = 21
      Width = 130
      Height = 21
      Items.Strings = ('1' '2' '3' '4' '5' '6' '7' '8' '9' '10' 'Benutzerdefiniert..')
      Text = '5'
    end
  end
  object gb4: TGroupBox
    Left = 8
    Top = 142
    Width = 504
    Height = 78
    Caption = 'Seitenzahlen modifizieren'
    object cb_plus: TCheckBox
      Left = 12
      Top = 23
      Width = 400
      Height = 19
      Caption = 'Ausgelesene numerische Seitenzahlen um diesen Wert erhöhen:'
    end
    object cb_pluswert: TComboBox
      OnChange = sz_laengeChange
      OnExit = sz_laengeExit
      OnKeyPress = cb_pluswertKeyPress
      Tag = 1
      Left = 32
      Top = 46
      Width = 130
      Height = 21
      Items.Strings = ('-5' '-4' '-3' '-2' '-1' '0' '1' '2' '3' '4' '5' 'Benutzerdefiniert..')
      Text = '1'
    end
  end
  object gb3: TGroupBox
    Left = 8
    Top = 226
    Width = 504
    Height = 76
    Caption = 'Vorausgehendes Zeichen'
    object sz_zeichbeginn: TCheckBox
      Left = 12
      Top = 23
      Width = 400
      Height = 19
      Caption = 'Nur Zeilen untersuchen, die mit folgendem Zeichen beginnen:'
    end
    object sz_zeichen: TEdit
      Left = 420
      Top = 21
      Width = 72
      Height = 21
    end
    object sz_zeichenweg: TCheckBox
      Left = 12
      Top = 47
      Width = 400
      Height = 19
      Caption = 'Dieses Zeichen aus Zeile entfernen'
      Checked = True
    end
    object Label2: TLabel
      Left = 420
      Top = 49
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 308
    Width = 504
    Height = 118
    Caption = 'Andere Zeichen in der Zeile'
    object sz_nurzahl: TCheckBox
      Left = 12
      Top = 20
      Width = 480
      Height = 19
      Caption = 'Nur Zahlen als Seitenbezeichnungen verwenden'
      Checked = True
    end
    object sz_kuerzen: TCheckBox
      OnClick = sz_kuerzenClick
      Left = 12
      Top = 43
      Width = 480
      Height = 19
      Caption = 'Betreffende Zeilen um bestimmte Zeichen kürzen'
      Checked = True
    end
    object sz_bwstandard: TRadioButton
      OnClick = sz_bwstandardClick
      Left = 32
      Top = 66
      Width = 200
      Height = 19
      Caption = 'Standard'
      Checked = True
    end
    object sz_bwdef: TRadioButton
      OnClick = sz_bwstandardClick
      Left = 32
      Top = 90
      Width = 200
      Height = 19
      Caption = 'Benutzerdefinierte Zeichen:'
    end
    object sz_bwdefs: TEdit
      Left = 240
      Top = 88
      Width = 252
      Height = 21
      Enabled = False
      Text = '- ( ) [ ]'
    end
  end
  object OK: TButton
    OnClick = OKClick
    Left = 356
    Top = 434
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
  object Abbrechen: TButton
    OnClick = AbbrechenClick
    Left = 437
    Top = 434
    Width = 75
    Height = 25
    Caption = 'Abbrechen'
    Cancel = True
    ModalResult = mrCancel
  end
end
