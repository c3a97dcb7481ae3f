object einstausgabe: Teinstausgabe
  Left = 320
  Top = 160
  BorderStyle = bsToolWindow
  Caption = 'Ausgabe Einstellungen'
  ClientWidth = 480
  ClientHeight = 537
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  object GroupBox2: TGroupBox
    Left = 8
    Top = 8
    Width = 464
    Height = 372
    Caption = 'Kodierung von Textdateien'
    object Label5: TLabel
      Left = 12
      Top = 20
      Caption = 'Die Textdateien werden in folgendem Format abgespeichert:'
    end
    object rb_beibehalten: TRadioButton
      Left = 12
      Top = 40
      Width = 440
      Height = 19
      Caption = 'Wenn möglich, Kodierung übernehmen'
      Checked = True
      OnClick = rb_utf8Click
    end
    object rb_ansi: TRadioButton
      Left = 12
      Top = 62
      Width = 440
      Height = 19
      Caption = 'ANSI Text'
      OnClick = rb_ansiClick
    end
    object rb_utf7: TRadioButton
      Left = 12
      Top = 84
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-7'
      OnClick = rb_utf7Click
    end
    object rb_utf7ansi: TRadioButton
      Left = 12
      Top = 106
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-7 als ANSI gespeichert'
      OnClick = rb_utf7ansiClick
    end
    object rb_utf8: TRadioButton
      Left = 12
      Top = 128
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-8 ohne BOM'
      OnClick = rb_utf8Click
    end
    object rb_utf8bom: TRadioButton
      Left = 12
      Top = 150
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-8 mit BOM'
      OnClick = rb_utf8bomClick
    end
    object rb_utf16le: TRadioButton
      Left = 12
      Top = 172
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-16 Little Endian (Standard Windows Unicode)'
      OnClick = rb_utf16leClick
    end
    object rb_utf_be: TRadioButton
      Left = 12
      Top = 194
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-16 Big Endian'
      OnClick = rb_utf_beClick
    end
    object rb_utf32le: TRadioButton
      Left = 12
      Top = 216
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-32 Little Endian'
      OnClick = rb_utf32leClick
    end
    object rb_utf32be: TRadioButton
      Left = 12
      Top = 238
      Width = 440
      Height = 19
      Caption = 'Unicode UTF-32 Big Endian'
      OnClick = rb_utf32beClick
    end
    object jazubom: TCheckBox
      Left = 12
      Top = 264
      Width = 440
      Height = 19
      Caption = 'Byte Order Mark (BOM) in die Dateien schreiben'
      Checked = True
      OnClick = jazubomClick
    end
    object Label4: TLabel
      Left = 12
      Top = 292
      Caption = 'Informationen zu den Formaten erhalten Sie auf dieser Seite:'
    end
    object Label7: TLabel
      Left = 12
      Top = 308
      Caption = 'kaptorix.de/unicode'
      Cursor = crHandPoint
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = Label7Click
    end
    object Label1: TLabel
      Left = 12
      Top = 330
      Caption = 'Informationen zur Byte Order Mark (BOM) erhalten Sie hier:'
    end
    object Label2: TLabel
      Left = 12
      Top = 346
      Caption = 'kaptorix.de/bom'
      Cursor = crHandPoint
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = Label7Click
    end
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 388
    Width = 464
    Height = 108
    Caption = 'Ausgabe als Bild'
    object Label6: TLabel
      Left = 12
      Top = 20
      Caption = 'Schrift und Hintergrundfarbe bei einer Ausgabe als Bild:'
    end
    object Label3: TLabel
      Left = 12
      Top = 44
      Caption = 'Aktuelle Schrift'
      Font.Name = 'Courier New'
      Font.Height = -11
      Font.Color = clWindowText
    end
    object BitBtn6: TButton
      Left = 300
      Top = 40
      Width = 150
      Height = 25
      Caption = 'Schrift wählen..'
      OnClick = BitBtn6Click
    end
    object Edit1: TEdit
      Left = 12
      Top = 72
      Width = 120
      Height = 21
      Color = clWhite
      Text = '#FFFFFF'
      OnChange = Edit1Change
    end
    object BitBtn1: TButton
      Left = 300
      Top = 70
      Width = 150
      Height = 25
      Caption = 'Hintergrundfarbe..'
      OnClick = BitBtn1Click
    end
  end
  object fd: TFontDialog
  end
  object cd: TColorDialog
  end
  object Button1: TButton
    Left = 397
    Top = 504
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    OnClick = Button1Click
  end
end
