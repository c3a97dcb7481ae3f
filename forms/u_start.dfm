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
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 329
    Height = 214
    Align = alClient
    BevelInner = bvLowered
    BevelOuter = bvNone
    object spr: TLabel
      Left = 8
      Top = 8
      Caption = 'en'
      Visible = False
    end
  end
end
