object bugreport_de: Tbugreport_de
  Left = 340
  Top = 180
  BorderStyle = bsDialog
  Caption = 'Fehler oder Verbesserung melden'
  ClientWidth = 460
  ClientHeight = 276
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  Position = poScreenCenter
  object Label16: TLabel
    Left = 12
    Top = 12
    Caption = 'Sehr geehrter Anwender,'
  end
  object StaticText19: TStaticText
    Left = 12
    Top = 34
    Width = 436
    Height = 44
    AutoSize = False
    Caption = 'wenn Sie einen Fehler gefunden haben oder sich eine Verbesserung wünschen, melden Sie es uns bitte auf unserer Support-Seite:'
  end
  object Label70: TLabel
    Left = 12
    Top = 80
    Caption = 'kaptorix.de/support'
    Cursor = crHandPoint
    Font.Color = clBlue
    Font.Style = [fsUnderline]
    OnClick = BrowseToCaption
  end
  object StaticText1: TStaticText
    Left = 12
    Top = 104
    Width = 436
    Height = 44
    AutoSize = False
    Caption = 'Die Angabe Ihrer E-Mail-Adresse ist dort freiwillig. Wenn Sie sie angeben, bekommen Sie von uns eine Antwort.'
  end
  object StaticText2: TStaticText
    Left = 12
    Top = 154
    Width = 436
    Height = 44
    AutoSize = False
    Caption = 'Sie brauchen ein Programm, das genau auf Ihre Aufgabe zugeschnitten ist? Wir entwickeln auch Software nach Maß:'
  end
  object Label1: TLabel
    Left = 12
    Top = 200
    Caption = 'kaptorix.de/software-nach-mass'
    Cursor = crHandPoint
    Font.Color = clBlue
    Font.Style = [fsUnderline]
    OnClick = BrowseToCaption
  end
  object Button1: TButton
    Left = 373
    Top = 240
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    OnClick = Button1Click
  end
end
