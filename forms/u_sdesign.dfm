object sdesign: Tsdesign
  Left = 320
  Top = 160
  BorderStyle = bsDialog
  Caption = 'StichwortIndex Design'
  ClientWidth = 400
  ClientHeight = 399
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
    Height = 70
    Caption = 'Verwendete Angaben'
    object bez: TCheckBox
      Left = 12
      Top = 20
      Width = 360
      Height = 19
      Caption = 'Bezeichnung im Eintrag verwenden'
      OnClick = Vorschau
    end
    object dateiname: TCheckBox
      Left = 12
      Top = 44
      Width = 360
      Height = 19
      Caption = 'Dateiname im Eintrag verwenden'
      Checked = True
      OnClick = Vorschau
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 84
    Width = 384
    Height = 46
    Caption = 'Layout'
    object leerzeile: TCheckBox
      Left = 12
      Top = 20
      Width = 360
      Height = 19
      Caption = 'Zeile zwischen den Einträgen freilassen'
      Checked = True
      OnClick = Vorschau
    end
  end
  object gb3: TGroupBox
    Left = 8
    Top = 136
    Width = 384
    Height = 196
    Caption = 'Verwendete Zeichen'
    object v: TLabeledEdit
      Left = 12
      Top = 36
      Width = 170
      Height = 21
      EditLabel.Caption = 'Zu Beginn jeder Zeile'
      Text = ''
      OnChange = Vorschau
    end
    object ne: TLabeledEdit
      Left = 202
      Top = 36
      Width = 170
      Height = 21
      EditLabel.Caption = 'Zum Ende jeder Zeile'
      Text = ''
      OnChange = Vorschau
    end
    object zwdl: TLabeledEdit
      Left = 12
      Top = 80
      Width = 360
      Height = 21
      EditLabel.Caption = 'Zwischen Bezeichnung/Dateiname'
      Text = ' '
      OnChange = Vorschau
    end
    object zw: TLabeledEdit
      Left = 12
      Top = 124
      Width = 360
      Height = 21
      EditLabel.Caption = 'Zeichen zwischen Eintrag und Stichwörtern'
      Text = ':  '
      OnChange = Vorschau
    end
    object zwe: TLabeledEdit
      Left = 12
      Top = 166
      Width = 360
      Height = 21
      EditLabel.Caption = 'Zeichen zwischen den Stichwörtern'
      Text = ', '
      OnChange = Vorschau
    end
  end
  object beispiel: TLabel
    Left = 8
    Top = 342
    Caption = ''
  end
  object OK: TButton
    Left = 317
    Top = 366
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
end
