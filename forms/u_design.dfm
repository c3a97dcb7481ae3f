object design: Tdesign
  Left = 320
  Top = 180
  BorderStyle = bsDialog
  Caption = 'Design'
  ClientWidth = 400
  ClientHeight = 312
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
    Height = 120
    Caption = 'Überschriften'
    object ub: TLabeledEdit
      Left = 12
      Top = 38
      Width = 360
      Height = 21
      EditLabel.Caption = 'Gesamtüberschrift'
      Text = 'Index'
      OnChange = dsepChange
    end
    object kt_alphabet: TCheckBox
      Left = 12
      Top = 68
      Width = 360
      Height = 19
      Caption = 'Überschriften im Index: A, B, C,..'
      Checked = True
    end
    object dabsatz_abc: TCheckBox
      Left = 12
      Top = 92
      Width = 360
      Height = 19
      Caption = 'Leere Zeile vor den ABC - Überschriften'
      Checked = True
    end
  end
  object gb2: TGroupBox
    Left = 8
    Top = 134
    Width = 384
    Height = 112
    Caption = 'Verwendete Zeichen'
    object dsep: TLabeledEdit
      Left = 12
      Top = 38
      Width = 200
      Height = 21
      EditLabel.Caption = 'Seperator zwischen den Seiten'
      Text = ', '
      OnChange = dsepChange
    end
    object dzw: TLabeledEdit
      Left = 12
      Top = 82
      Width = 200
      Height = 21
      EditLabel.Caption = 'Zwischen Eintrag und Seiten'
      Text = ' '
      OnChange = dsepChange
    end
    object Label1: TLabel
      Left = 224
      Top = 42
    end
    object Label2: TLabel
      Left = 224
      Top = 86
    end
  end
  object vorschau: TLabel
    Left = 8
    Top = 256
  end
  object OK: TButton
    Left = 317
    Top = 279
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
end
