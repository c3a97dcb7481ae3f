object edittxt: Tedittxt
  Left = 220
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Editor: Seitenzahlen in Text schreiben'
  OnCreate = FormCreate
  ClientWidth = 760
  ClientHeight = 566
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object text: TMemo
    Left = 8
    Top = 8
    Width = 744
    Height = 300
    ScrollBars = ssVertical
    OnMouseDown = textMouseDown
  end
  object Laden: TButton
    Left = 8
    Top = 316
    Width = 110
    Height = 25
    Caption = 'Text Laden'
    OnClick = LadenClick
  end
  object HinzuLaden: TButton
    Left = 126
    Top = 316
    Width = 110
    Height = 25
    Caption = 'Hinzuladen'
    OnClick = HinzuLadenClick
  end
  object delete: TButton
    Left = 244
    Top = 316
    Width = 110
    Height = 25
    Caption = 'Text Löschen'
    OnClick = deleteClick
  end
  object Zeilenumbruch: TCheckBox
    Left = 372
    Top = 319
    Width = 150
    Height = 19
    Caption = 'Zeilenumbruch'
    Checked = True
    OnClick = ZeilenumbruchClick
  end
  object Ruckgangig: TButton
    Left = 642
    Top = 316
    Width = 110
    Height = 25
    Caption = 'Rückgängig'
    Visible = False
    OnClick = RuckgangigClick
  end
  object gb0: TGroupBox
    Left = 8
    Top = 348
    Width = 744
    Height = 178
    Caption = 'Optionen'
    object pc: TPageControl
      Left = 10
      Top = 18
      Width = 724
      Height = 150
      Style = tsFlatButtons
      object tab1: TTabSheet
        Caption = 'Leerzeichen Ersetzen'
        object Label2: TLabel
          Left = 8
          Top = 8
          Caption = 'Ersetzt alle Leerzeilen durch eine fortlaufende Seitenzahl.'
        end
        object cb_l2skeinedoppelt: TCheckBox
          Left = 8
          Top = 28
          Width = 440
          Height = 19
          Caption = 'Nach einer Seitenzahl kommt mindestens eine Zeile Text'
          Checked = True
        end
        object l2sstart: TLabeledEdit
          Left = 8
          Top = 72
          Width = 80
          Height = 21
          EditLabel.Caption = 'Startseite'
          Text = '1'
        end
        object LeerZuSeite: TButton
          Left = 100
          Top = 70
          Width = 100
          Height = 25
          Caption = 'Anwenden'
          OnClick = LeerZuSeiteClick
        end
        object l2sback: TButton
          Left = 208
          Top = 70
          Width = 100
          Height = 25
          Caption = 'Rückgängig'
          OnClick = l2sbackClick
        end
      end
      object tab2: TTabSheet
        Caption = 'Cursor'
        object Label1: TLabel
          Left = 8
          Top = 8
          Caption = 'Fügt eine Seitenzahl an der Cursorposition ein.'
        end
        object cursak: TLabeledEdit
          Left = 8
          Top = 44
          Width = 80
          Height = 21
          EditLabel.Caption = 'Aktuelle Seite'
          Text = '1'
        end
        object curaut: TCheckBox
          Left = 100
          Top = 46
          Width = 300
          Height = 19
          Caption = 'Seitenzahlen automatisch hochzählen'
          Checked = True
        end
        object curback: TButton
          Left = 8
          Top = 74
          Width = 100
          Height = 25
          Caption = 'Rückgängig'
          OnClick = RuckgangigClick
        end
      end
      object tab3: TTabSheet
        Caption = 'Zeichen Ersetzen'
        object Label3: TLabel
          Left = 8
          Top = 8
          Caption = 'Ersetzt Zeichen durch fortlaufende Seitenzahlen.'
        end
        object zes: TLabeledEdit
          Left = 8
          Top = 44
          Width = 80
          Height = 21
          EditLabel.Caption = 'Startseite'
          Text = '1'
        end
        object zez: TLabeledEdit
          Left = 110
          Top = 44
          Width = 100
          Height = 21
          EditLabel.Caption = 'Ersetzte Zeichen'
          Text = '#'
        end
        object zeanwenden: TButton
          Left = 222
          Top = 42
          Width = 100
          Height = 25
          Caption = 'Anwenden'
          OnClick = zeanwendenClick
        end
        object zeback: TButton
          Left = 330
          Top = 42
          Width = 100
          Height = 25
          Caption = 'Rückgängig'
          OnClick = l2sbackClick
        end
      end
      object einst: TTabSheet
        Caption = 'Einstellungen'
        object Label4: TLabel
          Left = 8
          Top = 8
          Caption = 'Zeichen und Zeilenumbrüche (#NL) vor und nach der Seitenzahl.'
        end
        object vor: TLabeledEdit
          Left = 8
          Top = 44
          Width = 200
          Height = 21
          EditLabel.Caption = 'Zeichen vor der Seitenzahl'
          Text = '#NL'
        end
        object nach: TLabeledEdit
          Left = 230
          Top = 44
          Width = 200
          Height = 21
          EditLabel.Caption = 'Zeichen nach der Seitenzahl'
          Text = '#NL'
        end
      end
    end
  end
  object ToTXTIndex: TButton
    Left = 8
    Top = 534
    Width = 110
    Height = 25
    Caption = 'Textindex..'
    OnClick = ToTXTIndexClick
  end
  object schliessen: TButton
    Left = 642
    Top = 534
    Width = 110
    Height = 25
    Caption = 'Schließen'
    Cancel = True
    OnClick = schliessenClick
  end
end
