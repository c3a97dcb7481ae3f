object hdesign: Thdesign
  Left = 320
  Top = 160
  BorderStyle = bsDialog
  Caption = 'HTML Einstellungen'
  ClientWidth = 576
  ClientHeight = 555
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  object gb1: TGroupBox
    Left = 8
    Top = 8
    Width = 560
    Height = 112
    Caption = 'Allgemeine Einstellungen'
    object kt_alphabet: TCheckBox
      Left = 12
      Top = 20
      Width = 400
      Height = 19
      Caption = 'Überschriften im Index: A, B, C,..'
      Checked = True
    end
    object linkleiste: TCheckBox
      Left = 12
      Top = 44
      Width = 400
      Height = 19
      Caption = 'Menüleiste mit ABC-Links über dem Dokument'
      Checked = True
    end
    object LinkTrenner: TLabeledEdit
      Left = 12
      Top = 82
      Width = 200
      Height = 21
      EditLabel.Caption = 'Zeichen zwischen den Links " | "'
      Text = ' | '
      OnChange = LinkTrennerChange
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 128
    Width = 560
    Height = 104
    Caption = 'Schriftart und Schriftgröße'
    object Label1: TLabel
      Left = 12
      Top = 22
      Caption = 'Schriftart'
    end
    object schriftart: TComboBox
      Left = 100
      Top = 18
      Width = 320
      Height = 21
      Items.Strings = ('Verdana, Arial, Helvetica, Sans-Serif' 'Arial, Helvetica, Sans-Serif' 'Times New Roman, Times, Serif' 'Georgia, Times New Roman, Times, Serif' 'Geneva, Arial, Helvetica, Sans-Serif' 'Courier New, Courier, Mono')
      Text = 'Verdana, Arial, Helvetica, Sans-Serif'
    end
    object Label2: TLabel
      Left = 12
      Top = 56
      Caption = 'Überschrift'
    end
    object ft1: TComboBox
      Left = 12
      Top = 72
      Width = 80
      Height = 21
      Items.Strings = ('8' '9' '10' '11' '12' '13' '14' '16' '18' '20' '22' '24' '26' '28' '30')
      Text = '24'
    end
    object Label10: TLabel
      Left = 110
      Top = 56
      Caption = 'Abschnitt'
    end
    object ft2: TComboBox
      Left = 110
      Top = 72
      Width = 80
      Height = 21
      Items.Strings = ('8' '9' '10' '11' '12' '13' '14' '16' '18' '20' '22' '24' '26' '28' '30')
      Text = '16'
    end
    object Label11: TLabel
      Left = 208
      Top = 56
      Caption = 'Text'
    end
    object ftt: TComboBox
      Left = 208
      Top = 72
      Width = 80
      Height = 21
      Items.Strings = ('8' '9' '10' '11' '12' '13' '14' '16' '18' '20' '22' '24' '26' '28' '30')
      Text = '12'
    end
  end
  object gb3: TGroupBox
    Left = 8
    Top = 240
    Width = 276
    Height = 152
    Caption = 'Breite'
    object breite_all: TLabeledEdit
      Left = 12
      Top = 36
      Width = 120
      Height = 21
      EditLabel.Caption = 'Gesamtspalte'
      Text = '600px'
    end
    object breite_links: TLabeledEdit
      Left = 144
      Top = 36
      Width = 120
      Height = 21
      EditLabel.Caption = 'Spalte Links'
      Text = '180px'
    end
    object breite_rechts: TLabeledEdit
      Left = 12
      Top = 80
      Width = 120
      Height = 21
      EditLabel.Caption = 'Spalte Rechts'
      Text = '350px'
    end
    object breite_top: TLabeledEdit
      Left = 144
      Top = 80
      Width = 120
      Height = 21
      EditLabel.Caption = 'Überschrift'
      Text = '100%'
    end
  end
  object gb4: TGroupBox
    Left = 292
    Top = 240
    Width = 276
    Height = 152
    Caption = 'Abstände'
    object abs_linksrechts: TLabeledEdit
      Left = 12
      Top = 36
      Width = 120
      Height = 21
      EditLabel.Caption = 'Links und Rechts'
      Text = '10px'
    end
    object abs_zwabschnitt: TLabeledEdit
      Left = 144
      Top = 36
      Width = 120
      Height = 21
      EditLabel.Caption = 'Zwischen Abschnitten'
      Text = '25px'
    end
    object abs_obenunten: TLabeledEdit
      Left = 12
      Top = 80
      Width = 120
      Height = 21
      EditLabel.Caption = 'Oben und Unten'
      Text = '5px'
    end
    object abs_zwtext: TLabeledEdit
      Left = 144
      Top = 80
      Width = 120
      Height = 21
      EditLabel.Caption = 'Zwischen Text'
      Text = '0px'
    end
  end
  object gb5: TGroupBox
    Left = 8
    Top = 400
    Width = 276
    Height = 112
    Caption = 'Titel'
    object htmltitel: TLabeledEdit
      Left = 12
      Top = 36
      Width = 250
      Height = 21
      EditLabel.Caption = 'Titel (title-Tag)'
      Text = 'Index'
    end
    object Ueberschrift: TLabeledEdit
      Left = 12
      Top = 80
      Width = 250
      Height = 21
      EditLabel.Caption = 'Überschrift'
      Text = 'Index'
    end
  end
  object gb7: TGroupBox
    Left = 292
    Top = 400
    Width = 276
    Height = 112
    Caption = 'Farben'
    object Label5: TLabel
      Left = 12
      Top = 24
      Caption = 'Text'
    end
    object farbe_text: TEdit
      Left = 100
      Top = 20
      Width = 90
      Height = 21
      Text = '#333333'
      OnChange = farbe_textChange
    end
    object pafa_text: TPanel
      Left = 196
      Top = 20
      Width = 32
      Height = 21
      BevelOuter = bvLowered
      Color = $00333333
      OnMouseDown = FarbWahlMouseDown
      OnMouseMove = FarbWahlMouseMove
      OnMouseUp = FarbWahlMouseUp
    end
    object FarbwahlText: TButton
      Left = 234
      Top = 18
      Width = 30
      Height = 25
      Caption = '...'
      OnClick = FarbWahlEditChange
    end
    object Label6: TLabel
      Left = 12
      Top = 52
      Caption = 'Links'
    end
    object farbe_links: TEdit
      Left = 100
      Top = 48
      Width = 90
      Height = 21
      Text = '#0000FF'
      OnChange = farbe_linksChange
    end
    object pafa_links: TPanel
      Left = 196
      Top = 48
      Width = 32
      Height = 21
      BevelOuter = bvLowered
      Color = $00FF0000
      OnMouseDown = FarbWahlMouseDown
      OnMouseMove = FarbWahlMouseMove
      OnMouseUp = FarbWahlMouseUp
    end
    object FarbwahlLinks: TButton
      Left = 234
      Top = 46
      Width = 30
      Height = 25
      Caption = '...'
      OnClick = FarbWahlEditChange
    end
    object Label7: TLabel
      Left = 12
      Top = 80
      Caption = 'Hintergrund'
    end
    object farbe_hg: TEdit
      Left = 100
      Top = 76
      Width = 90
      Height = 21
      Text = '#FFFFFF'
      OnChange = farbe_hgChange
    end
    object pafa_hg: TPanel
      Left = 196
      Top = 76
      Width = 32
      Height = 21
      BevelOuter = bvLowered
      Color = $00FFFFFF
      OnMouseDown = FarbWahlMouseDown
      OnMouseMove = FarbWahlMouseMove
      OnMouseUp = FarbWahlMouseUp
    end
    object FarbwahlHG: TButton
      Left = 234
      Top = 74
      Width = 30
      Height = 25
      Caption = '...'
      OnClick = FarbWahlEditChange
    end
  end
  object cd: TColorDialog
    Options = [cdAnyColor]
  end
  object OK: TButton
    Left = 493
    Top = 522
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
end
