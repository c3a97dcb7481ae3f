object edittxt2idx: Tedittxt2idx
  Left = 200
  Top = 80
  BorderStyle = bsDialog
  Caption = 'Editor: Text > Index (*.idx)'
  OnCreate = FormCreate
  ClientWidth = 1022
  ClientHeight = 612
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 368
    Height = 394
    BevelOuter = bvNone
    object gb1: TGroupBox
      Left = 8
      Top = 8
      Width = 356
      Height = 380
      Caption = 'Text'
      object text: TListView
        Left = 10
        Top = 20
        Width = 336
        Height = 256
        ViewStyle = vsReport
        MultiSelect = True
        RowSelect = True
        Columns = <
          item
            Caption = 'Zeilen'
            Width = 310
          end>
        OnColumnClick = textColumnClick
        OnCompare = indexCompare
        OnDblClick = textDblClick
      end
      object TextOffnen: TButton
        Left = 10
        Top = 284
        Width = 164
        Height = 25
        Caption = 'Text Laden'
        OnClick = TextOffnenClick
      end
      object TextLoschen: TButton
        Left = 182
        Top = 284
        Width = 164
        Height = 25
        Caption = 'Text Löschen'
        OnClick = TextLoschenClick
      end
      object ZeileLoschen: TButton
        Left = 10
        Top = 315
        Width = 164
        Height = 25
        Caption = 'Zeile Löschen'
        OnClick = ZeileLoschenClick
      end
      object AllesMarkieren: TButton
        Left = 182
        Top = 315
        Width = 164
        Height = 25
        Caption = 'Alles Markieren'
        OnClick = AllesMarkierenClick
      end
      object cb_deletetxt: TCheckBox
        Left = 10
        Top = 350
        Width = 336
        Height = 19
        Caption = 'Alten Text vor dem Laden löschen'
      end
    end
  end
  object Panel2: TPanel
    Left = 368
    Top = 0
    Width = 40
    Height = 394
    BevelOuter = bvNone
    object bt_t2i: TButton
      Left = 4
      Top = 150
      Width = 32
      Height = 25
      Caption = '>'
      OnClick = bt_t2iClick
    end
    object i2t: TButton
      Left = 4
      Top = 184
      Width = 32
      Height = 25
      Caption = '<'
      OnClick = i2tClick
    end
  end
  object Panel3: TPanel
    Left = 408
    Top = 0
    Width = 614
    Height = 394
    BevelOuter = bvNone
    object gb2: TGroupBox
      Left = 4
      Top = 8
      Width = 602
      Height = 380
      Caption = 'Index'
      object index: TListView
        Left = 10
        Top = 20
        Width = 582
        Height = 256
        ViewStyle = vsReport
        MultiSelect = True
        RowSelect = True
        SortType = stText
        Columns = <
          item
            Caption = 'Eintrag'
            Width = 140
          end
          item
            Caption = 'Seite(Link)'
            Width = 160
          end
          item
            Caption = 'Ursprung'
            Width = 140
          end>
        OnColumnClick = textColumnClick
        OnCompare = indexCompare
        OnDblClick = textDblClick
        OnKeyDown = indexKeyDown
      end
      object IdxLaden: TButton
        Left = 10
        Top = 284
        Width = 148
        Height = 25
        Caption = 'Index Laden'
        OnClick = IdxLadenClick
      end
      object IdxSpeichern: TButton
        Left = 166
        Top = 284
        Width = 148
        Height = 25
        Caption = 'Index Speichern'
        OnClick = IdxSpeichernClick
      end
      object IdxAlles: TButton
        Left = 322
        Top = 284
        Width = 148
        Height = 25
        Caption = 'Index Löschen'
        OnClick = IdxAllesClick
      end
      object IdxZeile: TButton
        Left = 10
        Top = 315
        Width = 148
        Height = 25
        Caption = 'Zeile Löschen'
        OnClick = IdxZeileClick
      end
      object IdxSelectAll: TButton
        Left = 166
        Top = 315
        Width = 148
        Height = 25
        Caption = 'Alles Markieren'
        OnClick = IdxSelectAllClick
      end
      object cb_deleteidx: TCheckBox
        Left = 10
        Top = 350
        Width = 460
        Height = 19
        Caption = 'Alte Einträge vor dem Laden löschen'
      end
    end
  end
  object Panel4: TPanel
    Left = 0
    Top = 394
    Width = 1022
    Height = 218
    BevelOuter = bvNone
    object gb3: TGroupBox
      Left = 8
      Top = 0
      Width = 1006
      Height = 174
      Caption = 'Optionen'
      object gb31: TGroupBox
        Left = 10
        Top = 18
        Width = 300
        Height = 146
        Caption = 'Zeilen aus dem Text Entfernen'
        object label1: TLabel
          Left = 10
          Top = 22
          Caption = 'Minimale Zeilenlänge:'
        end
        object lentf: TComboBox
          Left = 10
          Top = 40
          Width = 80
          Height = 21
          Items.Strings = ('0' '1' '2' '3' '4' '5' '6' '7' '8' '9' '10' '15' '20')
          Text = '3'
        end
        object LangEntf: TButton
          Left = 190
          Top = 38
          Width = 100
          Height = 25
          Caption = 'Entfernen'
          OnClick = LangEntfClick
        end
        object Label2: TLabel
          Left = 10
          Top = 78
          Caption = 'Zeilen entfernen, die dieses Zeichen enthalten:'
        end
        object bentf: TEdit
          Left = 10
          Top = 96
          Width = 80
          Height = 21
          Text = ';'
        end
        object BstEntf: TButton
          Left = 190
          Top = 94
          Width = 100
          Height = 25
          Caption = 'Entfernen'
          OnClick = BstEntfClick
        end
      end
      object gb32: TGroupBox
        Left = 318
        Top = 18
        Width = 176
        Height = 146
        Caption = 'Zusammengesetzte Worte'
        object zus_eintrag: TRadioButton
          Left = 10
          Top = 24
          Width = 158
          Height = 19
          Caption = 'Zum Eintrag Zählen'
          Checked = True
        end
        object zus_seite: TRadioButton
          Left = 10
          Top = 50
          Width = 158
          Height = 19
          Caption = 'Zu Seiten Zählen'
        end
        object zus_auslassen: TRadioButton
          Left = 10
          Top = 76
          Width = 158
          Height = 19
          Caption = 'Auslassen'
        end
      end
      object gb33: TGroupBox
        Left = 502
        Top = 18
        Width = 336
        Height = 146
        Caption = 'Verwendete Zeichen'
        object zws: TLabeledEdit
          Left = 10
          Top = 36
          Width = 316
          Height = 21
          EditLabel.Caption = 'Zeichen zwischen den Seiten'
          Text = ', '
        end
        object zwes: TLabeledEdit
          Left = 10
          Top = 80
          Width = 316
          Height = 21
          EditLabel.Caption = 'Zeichen zwischen Eintrag und Seiten'
          Text = ' '
        end
        object cb_linksvorhanden: TCheckBox
          Left = 10
          Top = 114
          Width = 276
          Height = 19
          Caption = 'Zeichen zwischen Seiten und Links:'
        end
        object zwsl: TEdit
          Left = 290
          Top = 112
          Width = 40
          Height = 21
          Text = '>'
        end
      end
      object gb34: TGroupBox
        Left = 846
        Top = 18
        Width = 150
        Height = 146
        Caption = 'Reihenfolge'
        object sl: TRadioButton
          Left = 10
          Top = 24
          Width = 132
          Height = 19
          Caption = 'Seite - Link'
          Checked = True
        end
        object ls: TRadioButton
          Left = 10
          Top = 50
          Width = 132
          Height = 19
          Caption = 'Link - Seite'
        end
      end
    end
    object ToTxtIdx: TButton
      Left = 8
      Top = 184
      Width = 120
      Height = 25
      Caption = 'Text Index..'
      OnClick = ToTxtIdxClick
    end
    object ToHTMLIdx: TButton
      Left = 136
      Top = 184
      Width = 120
      Height = 25
      Caption = 'Datei Index..'
      OnClick = ToHTMLIdxClick
    end
    object Schliessen: TButton
      Left = 914
      Top = 184
      Width = 100
      Height = 25
      Caption = 'Schließen'
      Cancel = True
      OnClick = SchliessenClick
    end
  end
end
