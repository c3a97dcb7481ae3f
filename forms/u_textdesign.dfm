object textdesign: Ttextdesign
  Left = 320
  Top = 160
  BorderStyle = bsDialog
  Caption = 'TextIndex Design'
  ClientWidth = 400
  ClientHeight = 443
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  object gb1: TGroupBox
    Left = 8
    Top = 8
    Width = 384
    Height = 90
    Caption = 'Überschriften'
    object titel: TLabeledEdit
      Left = 12
      Top = 36
      Width = 360
      Height = 21
      EditLabel.Caption = 'Überschrift über dem Index'
      Text = 'Index'
    end
    object kt_alphabet: TCheckBox
      Left = 12
      Top = 64
      Width = 360
      Height = 19
      Caption = 'Überschriften im Index: A, B, C,..'
      Checked = True
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 104
    Width = 384
    Height = 70
    Caption = 'Verwendete Angaben'
    object namen: TCheckBox
      Left = 12
      Top = 20
      Width = 360
      Height = 19
      Caption = 'Bezeichnungen im Eintrag verwenden'
      Checked = True
      OnClick = Vorschau
    end
    object links: TCheckBox
      Left = 12
      Top = 44
      Width = 360
      Height = 19
      Caption = 'Link im Eintrag verwenden'
      Checked = True
      OnClick = Vorschau
    end
  end
  object gb3: TGroupBox
    Left = 8
    Top = 180
    Width = 384
    Height = 196
    Caption = 'Verwendete Zeichen'
    object es: TLabeledEdit
      Left = 12
      Top = 36
      Width = 360
      Height = 21
      EditLabel.Caption = 'Zeichen zwischen Eintrag und Seitenangaben'
      Text = ':  '
      OnChange = Vorschau
    end
    object s: TLabeledEdit
      Left = 12
      Top = 80
      Width = 360
      Height = 21
      EditLabel.Caption = 'Zeichen zwischen den Seitenangaben'
      Text = ' | '
      OnChange = Vorschau
    end
    object b: TLabeledEdit
      Left = 12
      Top = 122
      Width = 170
      Height = 21
      EditLabel.Caption = 'Vor Bezeichnung'
      Text = ''
      OnChange = Vorschau
    end
    object bl: TLabeledEdit
      Left = 202
      Top = 122
      Width = 170
      Height = 21
      EditLabel.Caption = 'Zwischen Bezeichnung/Link'
      Text = ' ['
      OnChange = Vorschau
    end
    object l: TLabeledEdit
      Left = 12
      Top = 166
      Width = 170
      Height = 21
      EditLabel.Caption = 'Nach Link'
      Text = ']'
      OnChange = Vorschau
    end
  end
  object beispiel: TLabel
    Left = 8
    Top = 386
    Caption = ''
  end
  object OK: TButton
    Left = 317
    Top = 410
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
end
