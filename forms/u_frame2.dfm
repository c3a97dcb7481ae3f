object Frame2: TFrame2
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
      Caption = 'Counts the words, characters, sentences and paragraphs of a text and shows which words occur most.'
    end
    object prog1_link: TLabel
      Left = 8
      Top = 66
      Tag = 1
      Caption = 'kaptorix.com/programs/wordcounter'
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
      Caption = 'Splits long texts into several files by lines, characters or separators.'
    end
    object prog2_link: TLabel
      Left = 8
      Top = 166
      Tag = 2
      Caption = 'kaptorix.com/programs/textsplitter'
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
      Caption = 'Writes the contents of folders into a list, with the size, date and type of every file.'
    end
    object prog3_link: TLabel
      Left = 8
      Top = 266
      Tag = 3
      Caption = 'kaptorix.com/programs/filelister'
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
      Caption = 'Numbers the pages of text files and writes headers and footers into them.'
    end
    object prog4_link: TLabel
      Left = 8
      Top = 366
      Tag = 4
      Caption = 'kaptorix.com/programs/pagenumberer'
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
      Caption = 'All Programs'
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
      Caption = 'The overview of all programs of the maker, with descriptions and downloads.'
    end
    object prog5_link: TLabel
      Left = 8
      Top = 466
      Tag = 5
      Caption = 'kalwe.com'
      Cursor = crHandPoint
      Font.Name = 'Tahoma'
      Font.Height = -11
      Font.Color = clBlue
      Font.Style = [fsUnderline]
      OnClick = BrowseToCaption
    end
  end
end
