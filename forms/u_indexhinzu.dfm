object indexhinzu: Tindexhinzu
  Left = 320
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Index auswählen'
  ClientWidth = 420
  ClientHeight = 120
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  object Label1: TLabel
    Left = 8
    Top = 12
    Caption = 'Quelle wählen'
  end
  object edit_quelle: TEdit
    Left = 8
    Top = 30
    Width = 364
    Height = 21
    OnChange = edit_quelleChange
  end
  object BitBtn1: TButton
    Left = 378
    Top = 28
    Width = 34
    Height = 25
    Caption = '---'
  end
  object Memo1: TMemo
    Left = 8
    Top = 60
    Width = 100
    Height = 21
    Visible = False
  end
  object Memo2: TMemo
    Left = 112
    Top = 60
    Width = 100
    Height = 21
    Visible = False
  end
  object OK: TButton
    Left = 337
    Top = 87
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    OnClick = OKClick
  end
end
