object start: Tstart
  BorderStyle = bsNone
  Caption = 'start'
  ClientWidth = 329
  ClientHeight = 214
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poDesktopCenter
  OnCreate = FormCreate
  OnShow = FormShow
  OnClick = FormClick
  OnCloseQuery = FormCloseQuery
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 329
    Height = 214
    Align = alClient
    BevelInner = bvLowered
    BevelOuter = bvNone
    OnClick = FormClick
    object intro: TImage
      Left = 2
      Top = 2
      Width = 325
      Height = 210
      Cursor = crHandPoint
      OnClick = FormClick
    end
    object intro_en1: TImage
      Left = 78
      Top = 91
      Width = 249
      Height = 50
      Cursor = crHandPoint
      Visible = False
      OnClick = FormClick
    end
    object intro_en2: TImage
      Left = 2
      Top = 191
      Width = 157
      Height = 21
      Cursor = crHandPoint
      Visible = False
      OnClick = FormClick
    end
    object spr: TLabel
      Left = 8
      Top = 8
      Caption = 'en'
      Visible = False
    end
  end
  object Timer1: TTimer
    Interval = 400
    OnTimer = Timer1Timer
  end
end
