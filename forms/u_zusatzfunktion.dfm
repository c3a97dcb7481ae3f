object zusatzfunktion: Tzusatzfunktion
  Left = 300
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Zusatzfunktionen'
  ClientWidth = 560
  ClientHeight = 440
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  object pc: TPageControl
    Left = 8
    Top = 8
    Width = 544
    Height = 388
    ActivePage = word
    object word: TTabSheet
      Width = 536
      Height = 362
      Caption = 'Kompatibilitätstest'
      object Label4: TLabel
        Left = 12
        Top = 10
        Caption = 'Kompatibilitätstest'
        Font.Name = 'Tahoma'
        Font.Height = -13
        Font.Style = [fsBold]
      end
      object StaticText3: TStaticText
        Left = 12
        Top = 34
        Width = 512
        Height = 58
        AutoSize = False
        Caption = 'Klicken Sie auf "Öffnen" und öffnen Sie eine Microsoft Word® Datei.'
      end
      object edit_quelle: TEdit
        Left = 12
        Top = 100
        Width = 420
        Height = 21
      end
      object bttxtquelle: TButton
        Left = 440
        Top = 98
        Width = 84
        Height = 25
        Caption = 'Öffnen'
        OnClick = bttxtquelleClick
      end
      object original: TMemo
        Left = 12
        Top = 132
        Width = 512
        Height = 192
        ScrollBars = ssBoth
        WordWrap = False
      end
      object Label5: TLabel
        Left = 12
        Top = 334
        Caption = 'Test'
      end
    end
  end
  object Button2: TButton
    Left = 477
    Top = 406
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
    OnClick = Button1Click
  end
end
