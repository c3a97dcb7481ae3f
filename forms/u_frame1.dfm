object Frame1: TFrame1
  Left = 0
  Top = 0
  Width = 720
  Height = 400
  object ScrollBox1: TScrollBox
    Left = 0
    Top = 0
    Width = 720
    Height = 400
    Align = alClient
    OnMouseDown = ScrollBox1MouseDown
    OnMouseWheelDown = ScrollBox1MouseWheelDown
    OnMouseWheelUp = ScrollBox1MouseWheelUp
    object prog1_name: TLabel
      Left = 8
      Top = 8
      Caption = 'WordCounter'
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Style = [fsBold]
    end
    object prog1_text: TLabel
      Left = 8
      Top = 28
      Width = 660
      Height = 34
      AutoSize = False
      WordWrap = True
      Caption = 'Zählt Wörter, Zeichen, Sätze und Absätze eines Textes und zeigt, welche Wörter am häufigsten vorkommen.'
    end
    object prog1_link: TLabel
      Left = 8
      Top = 66
      Tag = 1
      Caption = 'kaptorix.de/programme/wordcounter'
      Cursor = crHandPoint
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = BrowseToCaption
    end
    object prog2_name: TLabel
      Left = 8
      Top = 108
      Caption = 'TextSplitter'
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Style = [fsBold]
    end
    object prog2_text: TLabel
      Left = 8
      Top = 128
      Width = 660
      Height = 34
      AutoSize = False
      WordWrap = True
      Caption = 'Teilt lange Texte nach Zeilen, Zeichen oder Trennzeichen in mehrere Dateien auf.'
    end
    object prog2_link: TLabel
      Left = 8
      Top = 166
      Tag = 2
      Caption = 'kaptorix.de/programme/textsplitter'
      Cursor = crHandPoint
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = BrowseToCaption
    end
    object prog3_name: TLabel
      Left = 8
      Top = 208
      Caption = 'FileLister'
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Style = [fsBold]
    end
    object prog3_text: TLabel
      Left = 8
      Top = 228
      Width = 660
      Height = 34
      AutoSize = False
      WordWrap = True
      Caption = 'Schreibt den Inhalt von Ordnern mit Größe, Datum und Typ jeder Datei in eine Liste.'
    end
    object prog3_link: TLabel
      Left = 8
      Top = 266
      Tag = 3
      Caption = 'kaptorix.de/programme/filelister'
      Cursor = crHandPoint
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = BrowseToCaption
    end
    object prog4_name: TLabel
      Left = 8
      Top = 308
      Caption = 'PageNumberer'
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Style = [fsBold]
    end
    object prog4_text: TLabel
      Left = 8
      Top = 328
      Width = 660
      Height = 34
      AutoSize = False
      WordWrap = True
      Caption = 'Nummeriert die Seiten von Textdateien und schreibt Kopf- und Fußzeilen hinein.'
    end
    object prog4_link: TLabel
      Left = 8
      Top = 366
      Tag = 4
      Caption = 'kaptorix.de/programme/pagenumberer'
      Cursor = crHandPoint
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = BrowseToCaption
    end
    object prog5_name: TLabel
      Left = 8
      Top = 408
      Caption = 'Alle Programme'
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Style = [fsBold]
    end
    object prog5_text: TLabel
      Left = 8
      Top = 428
      Width = 660
      Height = 34
      AutoSize = False
      WordWrap = True
      Caption = 'Die Übersicht aller Programme des Herstellers, mit Beschreibungen und Downloads.'
    end
    object prog5_link: TLabel
      Left = 8
      Top = 466
      Tag = 5
      Caption = 'kalwe.de'
      Cursor = crHandPoint
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = BrowseToCaption
    end
  end
end
