object prog: Tprog
  Left = 80
  Top = 40
  Caption = 'Kaptorix - Berno Kalwe'
  ClientWidth = 862
  ClientHeight = 669
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  Position = poDesktopCenter
  Menu = menu
  OnCreate = FormCreate
  OnShow = FormShow
  OnCloseQuery = FormCloseQuery
  OnClose = FormClose
  OnDestroy = FormDestroy
  object rand: TPanel
    Left = 0
    Top = 0
    Width = 97
    Height = 669
    Align = alLeft
    BevelOuter = bvNone
    Color = clAppWorkSpace
    Font.Name = 'Tahoma'
    Font.Height = -10
    object rand_btstart: TSpeedButton
      Left = 2
      Top = 8
      Width = 93
      Height = 40
      Caption = 'Start'
      GroupIndex = 1
      Font.Name = 'Tahoma'
      Font.Height = -10
      OnClick = rand_btstartClick
      Down = True
    end
    object rand_bttxtidx: TSpeedButton
      Left = 2
      Top = 54
      Width = 93
      Height = 40
      Caption = 'Text Index'
      GroupIndex = 1
      Font.Name = 'Tahoma'
      Font.Height = -10
      OnClick = rand_bttxtidxClick
    end
    object rand_btdidx: TSpeedButton
      Left = 2
      Top = 100
      Width = 93
      Height = 40
      Caption = 'Datei Index'
      GroupIndex = 1
      Font.Name = 'Tahoma'
      Font.Height = -10
      OnClick = rand_btdidxClick
    end
    object rand_btstw: TSpeedButton
      Left = 2
      Top = 146
      Width = 93
      Height = 40
      Caption = 'Stichwort Index'
      GroupIndex = 1
      Font.Name = 'Tahoma'
      Font.Height = -10
      OnClick = rand_btstwClick
    end
    object rand_btinfo: TSpeedButton
      Left = 2
      Top = 192
      Width = 93
      Height = 40
      Caption = 'Info'
      GroupIndex = 1
      Font.Name = 'Tahoma'
      Font.Height = -10
      OnClick = rand_btinfoClick
    end
  end
  object pstart: TPanel
    Left = 97
    Top = 0
    Width = 765
    Height = 669
    Align = alClient
    BevelOuter = bvNone
    object pstart_de: TPanel
      Left = 0
      Top = 0
      Width = 765
      Height = 669
      Align = alClient
      BevelOuter = bvNone
      object start_top: TImage
        Left = 24
        Top = 12
        Width = 400
        Height = 44
      end
      object start_topen: TImage
        Left = 24
        Top = 12
        Width = 400
        Height = 44
        Visible = False
      end
      object start_text0: TStaticText
        Left = 24
        Top = 80
        Width = 700
        Height = 20
        Anchors = [akLeft, akTop, akRight]
        AutoSize = False
        Caption = 'Willkommen bei Kaptorix: Stichwortverzeichnisse für Bücher, Texte und Dokumente.'
        Font.Name = 'Tahoma'
        Font.Height = -13
        Font.Style = [fsBold]
      end
      object start_label1: TLabel
        OnMouseEnter = start_label1MouseEnter
        OnMouseLeave = start_label1MouseLeave
        Left = 24
        Top = 128
        Caption = 'Text Index'
        Cursor = crHandPoint
        Font.Name = 'Tahoma'
        Font.Height = -13
        Font.Style = [fsBold]
        OnClick = rand_bttxtidxClick
      end
      object start_text1: TStaticText
        OnMouseEnter = StaticTextMouseEnter
        OnMouseLeave = StaticTextMouseLeave
        Left = 24
        Top = 150
        Width = 700
        Height = 40
        Anchors = [akLeft, akTop, akRight]
        AutoSize = False
        Caption = 'Ein Index zu einem Text: jedes Stichwort mit den Seiten, auf denen es steht. Seitenzahlen schreiben Sie mit dem Editor unter "Tools" in den Text.'
        Cursor = crHandPoint
        OnClick = rand_bttxtidxClick
      end
      object start_label2: TLabel
        OnMouseEnter = start_label2MouseEnter
        OnMouseLeave = start_label2MouseLeave
        Left = 24
        Top = 208
        Caption = 'Datei Index'
        Cursor = crHandPoint
        Font.Name = 'Tahoma'
        Font.Height = -13
        Font.Style = [fsBold]
        OnClick = rand_btdidxClick
      end
      object start_text2: TStaticText
        OnMouseEnter = StaticTextMouseEnter
        OnMouseLeave = StaticTextMouseLeave
        Left = 24
        Top = 230
        Width = 700
        Height = 40
        Anchors = [akLeft, akTop, akRight]
        AutoSize = False
        Caption = 'Ein Index zu einer Liste von Dokumenten: jedes Stichwort mit den Dokumenten, die es enthalten.'
        Cursor = crHandPoint
        OnClick = rand_btdidxClick
      end
      object start_label3: TLabel
        OnMouseEnter = start_label3MouseEnter
        OnMouseLeave = start_label3MouseLeave
        Left = 24
        Top = 288
        Caption = 'Stichwort Index'
        Cursor = crHandPoint
        Font.Name = 'Tahoma'
        Font.Height = -13
        Font.Style = [fsBold]
        OnClick = rand_btstwClick
      end
      object start_text3: TStaticText
        OnMouseEnter = StaticTextMouseEnter
        OnMouseLeave = StaticTextMouseLeave
        Left = 24
        Top = 310
        Width = 700
        Height = 40
        Anchors = [akLeft, akTop, akRight]
        AutoSize = False
        Caption = 'Zu jeder Datei einer Liste die Stichwörter, die in ihr vorkommen.'
        Cursor = crHandPoint
        OnClick = rand_btstwClick
      end
      object start_label4: TLabel
        OnMouseEnter = start_label4MouseEnter
        OnMouseLeave = start_label4MouseLeave
        Left = 24
        Top = 368
        Caption = 'Informationen'
        Cursor = crHandPoint
        Font.Name = 'Tahoma'
        Font.Height = -13
        Font.Style = [fsBold]
        OnClick = rand_btinfoClick
      end
      object start_text4: TStaticText
        OnMouseEnter = StaticTextMouseEnter
        OnMouseLeave = StaticTextMouseLeave
        Left = 24
        Top = 390
        Width = 700
        Height = 40
        Anchors = [akLeft, akTop, akRight]
        AutoSize = False
        Caption = 'Hilfe, Lizenz und die Seiten des Herstellers.'
        Cursor = crHandPoint
        OnClick = rand_btinfoClick
      end
      object laspenden: TLabel
        Left = 24
        Top = 456
        Caption = 'kaptorix.de/spenden - Vielen Dank!'
        Cursor = crHandPoint
        Font.Name = 'Tahoma'
        Font.Height = -11
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = laspendenClick
      end
    end
  end
  object pgtxt: TPanel
    Left = 97
    Top = 0
    Width = 765
    Height = 669
    Align = alClient
    BevelOuter = bvNone
    Visible = False
    object Panel1: TPanel
      Color = clWhite
      Left = 0
      Top = 0
      Width = 765
      Height = 40
      Align = alTop
      BevelOuter = bvNone
      object Label3: TLabel
        Left = 16
        Top = 10
        Caption = 'Text Index'
        Font.Name = 'Tahoma'
        Font.Height = -16
        Font.Style = [fsBold]
      end
    end
    object Panel2: TPanel
      Left = 0
      Top = 625
      Width = 765
      Height = 44
      Align = alBottom
      BevelOuter = bvNone
      object bt1: TButton
        Left = 418
        Top = 8
        Width = 105
        Height = 25
        Caption = '<< zurück'
        Anchors = [akTop, akRight]
        OnClick = bt1Click
      end
      object bt2: TButton
        Left = 529
        Top = 8
        Width = 105
        Height = 25
        Caption = 'weiter >>'
        Anchors = [akTop, akRight]
        OnClick = bt2Click
      end
      object ft_start: TButton
        Left = 648
        Top = 8
        Width = 109
        Height = 25
        Caption = 'Index erstellen'
        Anchors = [akTop, akRight]
        OnClick = ft_startClick
      end
    end
    object ptxt: TPanel
      Left = 0
      Top = 40
      Width = 765
      Height = 585
      Align = alClient
      BevelOuter = bvNone
      BorderWidth = 8
      object pct: TPageControl
        Left = 8
        Top = 8
        Width = 749
        Height = 569
        Align = alClient
        ActivePage = tt1
        OnChange = pctChange
        object tt1: TTabSheet
          Width = 741
          Height = 543
          Caption = '1. Quelle'
          object qu_datei: TRadioButton
            Left = 16
            Top = 16
            Width = 400
            Height = 19
            Caption = 'Datei als Quelle auswählen'
            Checked = True
            OnClick = qu_dateiClick
          end
          object Label18: TLabel
            Left = 36
            Top = 46
            Caption = 'Datei:'
          end
          object edit_quelle: TEdit
            Left = 90
            Top = 42
            Width = 516
            Height = 21
            Anchors = [akLeft, akTop, akRight]
            OnChange = edit_quelleChange
          end
          object bttxtquelle: TButton
            Left = 614
            Top = 40
            Width = 104
            Height = 25
            Caption = 'Durchsuchen..'
            Anchors = [akTop, akRight]
            OnClick = bttxtquelleClick
          end
          object qu_text: TRadioButton
            Left = 16
            Top = 80
            Width = 400
            Height = 19
            Caption = 'Text als Quelle benutzen'
            OnClick = qu_dateiClick
          end
          object original: TMemo
            Left = 36
            Top = 104
            Width = 682
            Height = 372
            Enabled = False
            Anchors = [akLeft, akTop, akRight, akBottom]
            ScrollBars = ssBoth
            WordWrap = False
            OnChange = originalChange
          end
          object qu_laden: TButton
            Left = 36
            Top = 484
            Width = 90
            Height = 25
            Caption = 'Laden'
            Enabled = False
            Anchors = [akLeft, akBottom]
            OnClick = qu_ladenClick
          end
          object qu_delete: TButton
            Left = 132
            Top = 484
            Width = 90
            Height = 25
            Caption = 'Löschen'
            Enabled = False
            Anchors = [akLeft, akBottom]
            OnClick = qu_deleteClick
          end
          object StaticText12: TStaticText
            Left = 430
            Top = 18
            Width = 288
            Height = 17
            Anchors = [akLeft, akTop]
            AutoSize = False
            Caption = '(Text-, HTML- oder Word-Datei)'
          end
          object Label61: TLabel
            Left = 430
            Top = 82
            Caption = '(eingeben oder laden)'
          end
          object StaticText2: TStaticText
            Left = 230
            Top = 488
            Width = 488
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = 'Textdateien werden in ihrer eigenen Kodierung gelesen.'
          end
        end
        object tt2: TTabSheet
          Width = 741
          Height = 543
          Caption = '2. Seitenzahlen'
          object sz_zeilezuseite: TRadioButton
            Left = 16
            Top = 16
            Width = 400
            Height = 19
            Caption = 'Jede Zeile im Text ist eine eigene Seite'
            OnClick = sz_zeilezuseiteClick
          end
          object Label1: TLabel
            Left = 36
            Top = 46
            Caption = 'Erste Seite:'
            Enabled = False
          end
          object sz_beginn: TEdit
            Left = 120
            Top = 42
            Width = 80
            Height = 21
            Text = '1'
            Enabled = False
            OnKeyPress = sz_beginnKeyPress
          end
          object sz_auslesen: TRadioButton
            Left = 16
            Top = 80
            Width = 400
            Height = 19
            Caption = 'Seitenbezeichnung (Zeilennummer)'
            Checked = True
            OnClick = sz_zeilezuseiteClick
          end
          object sz_libo: TListBox
            Left = 36
            Top = 104
            Width = 540
            Height = 405
            Anchors = [akLeft, akTop, akRight, akBottom]
            MultiSelect = True
            OnKeyDown = sz_liboKeyDown
          end
          object Auslesen: TButton
            Left = 590
            Top = 104
            Width = 128
            Height = 25
            Caption = 'Auslesen'
            Anchors = [akTop, akRight]
            OnClick = AuslesenClick
          end
          object sz_entfernen: TButton
            Left = 590
            Top = 136
            Width = 128
            Height = 25
            Caption = 'Entfernen'
            Anchors = [akTop, akRight]
            OnClick = sz_entfernenClick
          end
          object sz_bearbeiten: TButton
            Left = 590
            Top = 168
            Width = 128
            Height = 25
            Caption = 'Bearbeiten..'
            Anchors = [akTop, akRight]
            OnClick = sz_bearbeitenClick
          end
          object sz_kriterien: TButton
            Left = 590
            Top = 200
            Width = 128
            Height = 25
            Caption = 'Kriterien..'
            Anchors = [akTop, akRight]
            OnClick = sz_kriterienClick
          end
          object Label2: TLabel
            Left = 210
            Top = 46
            Caption = '(Nummer der ersten Seite)'
          end
          object Label60: TLabel
            Left = 430
            Top = 82
            Caption = '(aus dem Text gelesen)'
          end
          object StaticText3: TStaticText
            Left = 590
            Top = 240
            Width = 128
            Height = 100
            Anchors = [akTop, akRight]
            AutoSize = False
            Caption = 'Die gefundenen Seitenbezeichnungen können entfernt, bearbeitet oder neu ausgelesen werden.'
          end
        end
        object tt3: TTabSheet
          Width = 741
          Height = 543
          Caption = '3. Kriterien'
          object kt_gb1: TGroupBox
            Left = 16
            Top = 10
            Width = 702
            Height = 122
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Ausschlusskriterien'
            object kt_kleineraus: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Kleingeschriebene Worte werden aussortiert'
              Checked = True
            end
            object kt_grosseraus: TCheckBox
              Left = 12
              Top = 46
              Width = 420
              Height = 19
              Caption = 'Großgeschriebene Worte werden aussortiert'
            end
            object kt_zahlen: TCheckBox
              Left = 12
              Top = 70
              Width = 420
              Height = 19
              Caption = 'Zahlen werden aussortiert'
              Checked = True
            end
            object kt_maxl: TCheckBox
              Left = 12
              Top = 94
              Width = 300
              Height = 19
              Caption = 'Minimale Länge der aufgenommen Worte:'
              Checked = True
            end
            object kt_max: TComboBox
              Tag = 3
              Left = 320
              Top = 92
              Width = 130
              Height = 21
              Items.Strings = ('0' '1' '2' '3' '4' '5' 'Benutzerdefiniert..')
              Text = '3'
              OnChange = kt_maxChange
              OnExit = kt_maxExit
              OnKeyPress = kt_maxKeyPress
            end
            object Label6: TLabel
              Left = 458
              Top = 96
              Caption = 'Zeichen'
            end
          end
          object kt_gb2: TGroupBox
            Left = 16
            Top = 140
            Width = 702
            Height = 82
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Wortlisten'
            object kt_negativliste: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Negativliste (diese Worte werden aussortiert)'
              Checked = True
            end
            object negativliste_anzeigen: TButton
              OnClick = negativliste_anzeigenClick
              Left = 560
              Top = 19
              Width = 130
              Height = 25
              Caption = 'Negativliste..'
              Anchors = [akTop, akRight]
            end
            object kt_positivliste: TCheckBox
              Left = 12
              Top = 52
              Width = 420
              Height = 19
              Caption = 'Positivliste (diese Worte kommen in den Index)'
            end
            object positivliste_anzeigen: TButton
              OnClick = positivliste_anzeigenClick
              Left = 560
              Top = 49
              Width = 130
              Height = 25
              Caption = 'Positivliste..'
              Anchors = [akTop, akRight]
            end
          end
          object kt_gb3: TGroupBox
            Left = 16
            Top = 230
            Width = 702
            Height = 182
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Index'
            object kt_keinedoppeltenseiten: TCheckBox
              Left = 12
              Top = 22
              Width = 530
              Height = 19
              Caption = 'Doppelte Verweise entfernen'
              Checked = True
            end
            object kt_zusammen: TCheckBox
              Left = 12
              Top = 46
              Width = 530
              Height = 19
              Caption = 'Zusammenhängende Wörter zusammen in den Index aufnehmen'
              Checked = True
            end
            object kt_zusdoppelt: TCheckBox
              Left = 12
              Top = 70
              Width = 530
              Height = 19
              Caption = 'Zusammenhänge Wörter mehrfach in den Index aufnehmen'
              Checked = True
            end
            object kt_integrieren: TCheckBox
              Left = 12
              Top = 100
              Width = 530
              Height = 19
              Caption = 'Zu einem vorhandenen Index hinzufügen'
            end
            object andindex: TButton
              Left = 560
              Top = 97
              Width = 130
              Height = 25
              Caption = 'Index wählen..'
              Anchors = [akTop, akRight]
              OnClick = andindexClick
            end
            object kt_index: TLabel
              Left = 32
              Top = 124
              Width = 520
              Height = 16
              Anchors = [akLeft, akTop, akRight]
              AutoSize = False
              EllipsisPosition = epPathEllipsis
              Caption = 'Kein anderer Index ausgewählt'
            end
            object kt_design: TCheckBox
              Left = 12
              Top = 152
              Width = 530
              Height = 19
              Caption = 'Angepasstes Design'
            end
            object btdesign: TButton
              Left = 560
              Top = 149
              Width = 130
              Height = 25
              Caption = 'Design..'
              Anchors = [akTop, akRight]
              OnClick = btdesignClick
            end
          end
          object Label13: TLabel
            Left = 16
            Top = 424
            Width = 702
            Height = 32
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien'
          end
          object kt_text: TStaticText
            Left = 16
            Top = 464
            Width = 702
            Height = 34
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Caption = 'Die Kriterien gelten für jede Seite des Textes; die Wortlisten bearbeiten Sie unter "Tools".'
          end
        end
        object tt4: TTabSheet
          Width = 741
          Height = 543
          Caption = '4. Fertigstellen'
          object zusammenfassung: TStaticText
            Left = 16
            Top = 16
            Width = 702
            Height = 490
            Anchors = [akLeft, akTop, akRight, akBottom]
            AutoSize = False
          end
          object StaticText4: TStaticText
            Left = 16
            Top = 514
            Width = 702
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = 'Mit "<< zurück" ändern Sie die Einstellungen.'
          end
        end
        object tt5: TTabSheet
          Width = 741
          Height = 543
          Caption = 'Index erstellen'
          object status: TLabel
            Left = 16
            Top = 16
            Width = 702
            Height = 16
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
          end
          object progress: TProgressBar
            Left = 16
            Top = 40
            Width = 702
            Height = 20
            Anchors = [akLeft, akTop, akRight]
          end
          object Label9: TLabel
            Left = 16
            Top = 72
            Caption = 'Bitte warten, bis der Index erstellt ist.'
          end
          object StaticText5: TStaticText
            Left = 16
            Top = 96
            Width = 702
            Height = 17
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Caption = 'Danach wird das Ergebnis angezeigt.'
          end
        end
        object tt6: TTabSheet
          Width = 741
          Height = 543
          Caption = 'Ergebnis'
          object output: TMemo
            Left = 16
            Top = 16
            Width = 702
            Height = 456
            Anchors = [akLeft, akTop, akRight, akBottom]
            ScrollBars = ssBoth
            WordWrap = False
          end
          object zwischenablage: TButton
            Left = 16
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Zwischenablage'
            Anchors = [akLeft, akBottom]
            OnClick = zwischenablageClick
          end
          object outputspeichern: TButton
            Left = 154
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Text Speichern'
            Anchors = [akLeft, akBottom]
            OnClick = outputspeichernClick
          end
          object DatenSpeichern: TButton
            Left = 292
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Index Speichern'
            Anchors = [akLeft, akBottom]
            OnClick = DatenSpeichernClick
          end
          object Label7: TLabel
            Left = 430
            Top = 487
            Anchors = [akLeft, akBottom]
            Caption = 'Der Index kann hier bearbeitet werden.'
          end
          object StaticText6: TStaticText
            Left = 16
            Top = 514
            Width = 702
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = '"Index Speichern" speichert eine Indexdatei (*.idx), die ein späterer Lauf erweitern kann.'
          end
        end
      end
    end
  end
  object pgdateien: TPanel
    Left = 97
    Top = 0
    Width = 765
    Height = 669
    Align = alClient
    BevelOuter = bvNone
    Visible = False
    object Panel5: TPanel
      Color = clWhite
      Left = 0
      Top = 0
      Width = 765
      Height = 40
      Align = alTop
      BevelOuter = bvNone
      object top_datei: TImage
        Left = 16
        Top = 4
        Width = 300
        Height = 32
      end
      object top_datei_en: TImage
        Left = 16
        Top = 4
        Width = 300
        Height = 32
        Visible = False
      end
    end
    object Panel6: TPanel
      Left = 0
      Top = 625
      Width = 765
      Height = 44
      Align = alBottom
      BevelOuter = bvNone
      object dbt1: TButton
        OnClick = dbt1Click
        Left = 418
        Top = 8
        Width = 105
        Height = 25
        Caption = '<< zurück'
        Anchors = [akTop, akRight]
      end
      object dbt2: TButton
        OnClick = dbt2Click
        Left = 529
        Top = 8
        Width = 105
        Height = 25
        Caption = 'weiter >>'
        Anchors = [akTop, akRight]
      end
      object dstart: TButton
        OnClick = dstartClick
        Left = 648
        Top = 8
        Width = 109
        Height = 25
        Caption = 'Index erstellen'
        Anchors = [akTop, akRight]
      end
    end
    object pdateien: TPanel
      Left = 0
      Top = 40
      Width = 765
      Height = 585
      Align = alClient
      BevelOuter = bvNone
      BorderWidth = 8
      object dct: TPageControl
        OnChange = dctChange
        Left = 8
        Top = 8
        Width = 749
        Height = 569
        Align = alClient
        ActivePage = td1
        object td1: TTabSheet
          Width = 741
          Height = 543
          Caption = '1. Quelle'
          object td1_la1: TLabel
            Left = 16
            Top = 20
            Caption = 'Datei:'
          end
          object qudatei: TEdit
            OnKeyPress = qudateiKeyPress
            Left = 70
            Top = 16
            Width = 530
            Height = 21
            Anchors = [akLeft, akTop, akRight]
          end
          object DateiAuswahl: TButton
            OnClick = DateiAuswahlClick
            Left = 614
            Top = 14
            Width = 104
            Height = 25
            Caption = 'Durchsuchen..'
            Anchors = [akTop, akRight]
          end
          object la: TCheckBox
            Left = 16
            Top = 46
            Width = 420
            Height = 19
            Caption = 'Dokument nach weiteren Seiten durchsuchen'
            Checked = True
          end
          object qulist: TListView
            OnColumnClick = qulistColumnClick
            OnCompare = qulistCompare
            OnDblClick = qulistDblClick
            OnKeyDown = qulistKeyDown
            Left = 16
            Top = 74
            Width = 702
            Height = 420
            Anchors = [akLeft, akTop, akRight, akBottom]
            Columns = <
              item
                Caption = 'Bezeichnung'
                Width = 150
              end
              item
                Caption = 'Link'
                Width = 120
              end
              item
                Caption = 'Typ'
                Width = 50
              end
              item
                Caption = 'Code'
                Width = 80
              end
              item
                Caption = 'Größe'
                Width = 90
                Alignment = taRightJustify
              end
              item
                Caption = 'Quelle'
                Width = 200
              end
              >
            MultiSelect = True
            RowSelect = True
            ReadOnly = False
            SmallImages = IconList
            SortType = stText
            ViewStyle = vsReport
          end
          object DeleteAll: TButton
            OnClick = DeleteAllClick
            Left = 16
            Top = 504
            Width = 120
            Height = 25
            Caption = 'Alles Löschen'
            Anchors = [akLeft, akBottom]
          end
          object DeleteRow: TButton
            OnClick = DeleteRowClick
            Left = 144
            Top = 504
            Width = 120
            Height = 25
            Caption = 'Reihe Löschen'
            Anchors = [akLeft, akBottom]
          end
          object querweitert: TButton
            OnClick = querweitertClick
            Left = 598
            Top = 504
            Width = 120
            Height = 25
            Caption = 'Erweitert..'
            Anchors = [akRight, akBottom]
          end
          object StaticText7: TStaticText
            Left = 272
            Top = 508
            Width = 318
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = 'Dateien können auch auf die Liste gezogen werden.'
          end
        end
        object td2: TTabSheet
          Width = 741
          Height = 543
          Caption = '2. Einstellungen'
          object dkt_gb1: TGroupBox
            Left = 16
            Top = 10
            Width = 702
            Height = 146
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Ausschlusskriterien'
            object dkt_kleineraus: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Kleingeschriebene Worte werden aussortiert'
              Checked = True
            end
            object dkt_grosseraus: TCheckBox
              Left = 12
              Top = 46
              Width = 420
              Height = 19
              Caption = 'Großgeschriebene Worte werden aussortiert'
            end
            object dkt_zahlenraus: TCheckBox
              Left = 12
              Top = 70
              Width = 420
              Height = 19
              Caption = 'Zahlen werden aussortiert'
              Checked = True
            end
            object htmlraus: TCheckBox
              Left = 12
              Top = 94
              Width = 420
              Height = 19
              Caption = 'HTML-Tags werden entfernt'
              Checked = True
            end
            object dkt_maxl: TCheckBox
              Left = 12
              Top = 118
              Width = 300
              Height = 19
              Caption = 'Minimale Länge der aufgenommen Worte:'
              Checked = True
            end
            object dkt_max: TComboBox
              OnChange = kt_maxChange
              OnExit = kt_maxExit
              OnKeyPress = kt_maxKeyPress
              Tag = 3
              Left = 320
              Top = 116
              Width = 130
              Height = 21
              Items.Strings = ('0' '1' '2' '3' '4' '5' 'Benutzerdefiniert..')
              Text = '3'
            end
            object StaticText11: TStaticText
              Left = 458
              Top = 118
              Width = 120
              Height = 17
              Anchors = [akLeft, akTop]
              AutoSize = False
              Caption = 'Zeichen'
            end
            object StaticText8: TStaticText
              Left = 460
              Top = 22
              Width = 230
              Height = 60
              Anchors = [akTop, akRight]
              AutoSize = False
              Caption = 'Die Kriterien gelten für jede Datei der Liste.'
            end
          end
          object dkt_gb2: TGroupBox
            Left = 16
            Top = 164
            Width = 702
            Height = 82
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Wortlisten'
            object dkt_negativliste: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Negativliste (diese Worte werden aussortiert)'
              Checked = True
            end
            object dnegativliste_anzeigen: TButton
              OnClick = negativliste_anzeigenClick
              Left = 560
              Top = 19
              Width = 130
              Height = 25
              Caption = 'Negativliste..'
              Anchors = [akTop, akRight]
            end
            object dkt_positivliste: TCheckBox
              Left = 12
              Top = 52
              Width = 420
              Height = 19
              Caption = 'Positivliste (diese Worte kommen in den Index)'
            end
            object dpositivliste_anzeigen: TButton
              OnClick = positivliste_anzeigenClick
              Left = 560
              Top = 49
              Width = 130
              Height = 25
              Caption = 'Positivliste..'
              Anchors = [akTop, akRight]
            end
          end
          object dkt_gb3: TGroupBox
            Left = 16
            Top = 254
            Width = 702
            Height = 130
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Index'
            object dkt_keinedoppeltenseiten: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Doppelte Verweise entfernen'
              Checked = True
            end
            object dkt_zusammen: TCheckBox
              Left = 12
              Top = 46
              Width = 520
              Height = 19
              Caption = 'Zusammenhängende Wörter zusammen in den Index aufnehmen'
              Checked = True
            end
            object dkt_zusdoppelt: TCheckBox
              Left = 12
              Top = 70
              Width = 520
              Height = 19
              Caption = 'Zusammenhänge Wörter mehrfach in den Index aufnehmen'
              Checked = True
            end
            object dkt_integrieren: TCheckBox
              Left = 12
              Top = 96
              Width = 300
              Height = 19
              Caption = 'Zu einem vorhandenen Index hinzufügen'
            end
            object dandindex: TButton
              OnClick = dandindexClick
              Left = 560
              Top = 93
              Width = 130
              Height = 25
              Caption = 'Index wählen..'
              Anchors = [akTop, akRight]
            end
            object dkt_index: TLabel
              Left = 320
              Top = 99
              Width = 230
              Height = 16
              Anchors = [akLeft, akTop, akRight]
              AutoSize = False
              EllipsisPosition = epPathEllipsis
              Caption = 'Kein anderer Index ausgewählt'
            end
          end
          object dkt_gb4: TGroupBox
            Left = 16
            Top = 392
            Width = 702
            Height = 82
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Design'
            object htmlindex: TRadioButton
              Left = 12
              Top = 22
              Width = 200
              Height = 19
              Caption = 'HTML Index'
              Checked = True
            end
            object textindex: TRadioButton
              Left = 220
              Top = 22
              Width = 200
              Height = 19
              Caption = 'Text Index'
            end
            object dkt_design: TCheckBox
              Left = 12
              Top = 50
              Width = 420
              Height = 19
              Caption = 'Angepasstes Design (weitere Designeinstellungen)'
            end
            object d_design: TButton
              OnClick = d_designClick
              Left = 560
              Top = 47
              Width = 130
              Height = 25
              Caption = 'Design..'
              Anchors = [akTop, akRight]
            end
          end
          object Label14: TLabel
            Left = 16
            Top = 480
            Width = 702
            Height = 32
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien'
          end
        end
        object td3: TTabSheet
          Width = 741
          Height = 543
          Caption = '3. Fertigstellen'
          object dzusammenfassung: TStaticText
            Left = 16
            Top = 16
            Width = 702
            Height = 490
            Anchors = [akLeft, akTop, akRight, akBottom]
            AutoSize = False
          end
          object StaticText9: TStaticText
            Left = 16
            Top = 514
            Width = 702
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = 'Mit "<< zurück" ändern Sie die Einstellungen.'
          end
        end
        object td4: TTabSheet
          Width = 741
          Height = 543
          Caption = 'Index erstellen'
          object dstatus: TLabel
            Left = 16
            Top = 16
            Width = 702
            Height = 16
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
          end
          object fortschritt: TProgressBar
            Left = 16
            Top = 40
            Width = 702
            Height = 20
            Anchors = [akLeft, akTop, akRight]
          end
          object StaticText10: TStaticText
            Left = 16
            Top = 72
            Width = 702
            Height = 17
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Caption = 'Bitte warten, bis der Index erstellt ist.'
          end
          object StaticText13: TStaticText
            Left = 16
            Top = 96
            Width = 702
            Height = 17
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Caption = 'Danach wird das Ergebnis angezeigt.'
          end
        end
        object td5: TTabSheet
          Width = 741
          Height = 543
          Caption = 'Ergebnis'
          object doutput: TMemo
            Left = 16
            Top = 16
            Width = 702
            Height = 456
            Anchors = [akLeft, akTop, akRight, akBottom]
            ScrollBars = ssBoth
            WordWrap = False
            Visible = False
          end
          object browser: TWebBrowser
            Left = 16
            Top = 16
            Width = 702
            Height = 456
            Anchors = [akLeft, akTop, akRight, akBottom]
          end
          object dzwischenablage: TButton
            OnClick = dzwischenablageClick
            Left = 16
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Zwischenablage'
            Anchors = [akLeft, akBottom]
          end
          object doutputspeichern: TButton
            OnClick = doutputspeichernClick
            Left = 154
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Text Speichern'
            Anchors = [akLeft, akBottom]
          end
          object didxspeichern: TButton
            OnClick = didxspeichernClick
            Left = 292
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Index Speichern'
            Anchors = [akLeft, akBottom]
          end
          object ShowCode: TButton
            OnClick = ShowCodeClick
            Left = 510
            Top = 482
            Width = 100
            Height = 25
            Caption = 'Code'
            Anchors = [akRight, akBottom]
          end
          object ShowDesign: TButton
            OnClick = ShowDesignClick
            Left = 618
            Top = 482
            Width = 100
            Height = 25
            Caption = 'Design'
            Anchors = [akRight, akBottom]
          end
        end
      end
    end
  end
  object pgstw: TPanel
    Left = 97
    Top = 0
    Width = 765
    Height = 669
    Align = alClient
    BevelOuter = bvNone
    Visible = False
    object Panel7: TPanel
      Color = clWhite
      Left = 0
      Top = 0
      Width = 765
      Height = 40
      Align = alTop
      BevelOuter = bvNone
      object top_stw: TImage
        Left = 16
        Top = 4
        Width = 300
        Height = 32
      end
      object top_stw_en: TImage
        Left = 16
        Top = 4
        Width = 300
        Height = 32
        Visible = False
      end
    end
    object Panel8: TPanel
      Left = 0
      Top = 625
      Width = 765
      Height = 44
      Align = alBottom
      BevelOuter = bvNone
      object sbt1: TButton
        OnClick = sbt1Click
        Left = 418
        Top = 8
        Width = 105
        Height = 25
        Caption = '<< zurück'
        Anchors = [akTop, akRight]
      end
      object sbt2: TButton
        OnClick = sbt2Click
        Left = 529
        Top = 8
        Width = 105
        Height = 25
        Caption = 'weiter >>'
        Anchors = [akTop, akRight]
      end
      object sstart: TButton
        OnClick = sstartClick
        Left = 648
        Top = 8
        Width = 109
        Height = 25
        Caption = 'Index erstellen'
        Anchors = [akTop, akRight]
      end
    end
    object pstw: TPanel
      Left = 0
      Top = 40
      Width = 765
      Height = 585
      Align = alClient
      BevelOuter = bvNone
      BorderWidth = 8
      object sct: TPageControl
        OnChange = sctChange
        Left = 8
        Top = 8
        Width = 749
        Height = 569
        Align = alClient
        ActivePage = ts1
        object ts1: TTabSheet
          Width = 741
          Height = 543
          Caption = '1. Quelle'
          object ts1_la1: TLabel
            Left = 16
            Top = 20
            Caption = 'Datei:'
          end
          object squpfad: TEdit
            OnKeyPress = squpfadKeyPress
            Left = 70
            Top = 16
            Width = 530
            Height = 21
            Anchors = [akLeft, akTop, akRight]
          end
          object squsuchen: TButton
            OnClick = squsuchenClick
            Left = 614
            Top = 14
            Width = 104
            Height = 25
            Caption = 'Durchsuchen..'
            Anchors = [akTop, akRight]
          end
          object squdocsearch: TCheckBox
            Left = 16
            Top = 46
            Width = 420
            Height = 19
            Caption = 'Dokument nach weiteren Seiten durchsuchen'
            Checked = True
          end
          object squlist: TListView
            OnColumnClick = squlistColumnClick
            OnCompare = squlistCompare
            OnDblClick = qulistDblClick
            OnKeyDown = squlistKeyDown
            Left = 16
            Top = 74
            Width = 702
            Height = 420
            Anchors = [akLeft, akTop, akRight, akBottom]
            Columns = <
              item
                Caption = 'Bezeichnung'
                Width = 150
              end
              item
                Caption = 'Link'
                Width = 120
              end
              item
                Caption = 'Typ'
                Width = 50
              end
              item
                Caption = 'Code'
                Width = 80
              end
              item
                Caption = 'Größe'
                Width = 90
                Alignment = taRightJustify
              end
              item
                Caption = 'Quelle'
                Width = 200
              end
              >
            MultiSelect = True
            RowSelect = True
            ReadOnly = False
            SmallImages = IconList
            SortType = stText
            ViewStyle = vsReport
          end
          object sqdeleteall: TButton
            OnClick = sqdeleteallClick
            Left = 16
            Top = 504
            Width = 120
            Height = 25
            Caption = 'Alles Löschen'
            Anchors = [akLeft, akBottom]
          end
          object squdeleteraw: TButton
            OnClick = squdeleterawClick
            Left = 144
            Top = 504
            Width = 120
            Height = 25
            Caption = 'Reihe Löschen'
            Anchors = [akLeft, akBottom]
          end
          object squerweitert: TButton
            OnClick = squerweitertClick
            Left = 598
            Top = 504
            Width = 120
            Height = 25
            Caption = 'Erweitert..'
            Anchors = [akRight, akBottom]
          end
          object stwla2: TStaticText
            Left = 272
            Top = 508
            Width = 318
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = 'Dateien können auch auf die Liste gezogen werden.'
          end
        end
        object ts2: TTabSheet
          Width = 741
          Height = 543
          Caption = '2. Einstellungen'
          object stwgb1: TGroupBox
            Left = 16
            Top = 10
            Width = 702
            Height = 146
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Ausschlusskriterien'
            object stw_kleinraus: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Kleingeschriebene Worte werden aussortiert'
              Checked = True
            end
            object stw_grossraus: TCheckBox
              Left = 12
              Top = 46
              Width = 420
              Height = 19
              Caption = 'Großgeschriebene Worte werden aussortiert'
            end
            object stw_zahlenraus: TCheckBox
              Left = 12
              Top = 70
              Width = 420
              Height = 19
              Caption = 'Zahlen werden aussortiert'
              Checked = True
            end
            object stw_htmlraus: TCheckBox
              Left = 12
              Top = 94
              Width = 420
              Height = 19
              Caption = 'HTML-Tags werden entfernt'
              Checked = True
            end
            object stw_maxl: TCheckBox
              Left = 12
              Top = 118
              Width = 300
              Height = 19
              Caption = 'Minimale Länge der aufgenommen Worte:'
              Checked = True
            end
            object stw_max: TComboBox
              OnChange = kt_maxChange
              OnExit = kt_maxExit
              OnKeyPress = kt_maxKeyPress
              Tag = 3
              Left = 320
              Top = 116
              Width = 130
              Height = 21
              Items.Strings = ('0' '1' '2' '3' '4' '5' 'Benutzerdefiniert..')
              Text = '3'
            end
            object stwla1: TLabel
              Left = 458
              Top = 120
              Caption = 'Zeichen'
            end
          end
          object stwgb2: TGroupBox
            Left = 16
            Top = 164
            Width = 702
            Height = 82
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Wortlisten'
            object stw_neg: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Negativliste (diese Worte werden aussortiert)'
              Checked = True
            end
            object stw_neganzeigen: TButton
              OnClick = negativliste_anzeigenClick
              Left = 560
              Top = 19
              Width = 130
              Height = 25
              Caption = 'Negativliste..'
              Anchors = [akTop, akRight]
            end
            object stw_pos: TCheckBox
              Left = 12
              Top = 52
              Width = 420
              Height = 19
              Caption = 'Positivliste (diese Worte kommen in den Index)'
            end
            object stw_posanzeigen: TButton
              OnClick = positivliste_anzeigenClick
              Left = 560
              Top = 49
              Width = 130
              Height = 25
              Caption = 'Positivliste..'
              Anchors = [akTop, akRight]
            end
          end
          object stwgb3: TGroupBox
            Left = 16
            Top = 254
            Width = 702
            Height = 106
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Index'
            object stw_doppelt: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Doppelte Einträge entfernen'
              Checked = True
            end
            object stw_zus: TCheckBox
              Left = 12
              Top = 46
              Width = 420
              Height = 19
              Caption = 'Zusammenhängende Worte beachten'
              Checked = True
            end
            object stw_untereinander: TCheckBox
              Left = 12
              Top = 70
              Width = 420
              Height = 19
              Caption = 'Wörter untereinander anordnern'
            end
          end
          object stwgb4: TGroupBox
            Left = 16
            Top = 368
            Width = 702
            Height = 82
            Anchors = [akLeft, akTop, akRight]
            Caption = 'Design'
            object stw_alphabetisch: TCheckBox
              Left = 12
              Top = 22
              Width = 420
              Height = 19
              Caption = 'Wörter alphabetisch sortieren'
              Checked = True
            end
            object stw_design: TCheckBox
              Left = 12
              Top = 50
              Width = 420
              Height = 19
              Caption = 'Angepasstes Design'
            end
            object stw_designanzeigen: TButton
              OnClick = stw_designanzeigenClick
              Left = 560
              Top = 47
              Width = 130
              Height = 25
              Caption = 'Design..'
              Anchors = [akTop, akRight]
            end
          end
          object Label17: TLabel
            Left = 16
            Top = 458
            Width = 702
            Height = 32
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Tipp: Um nur die Wortlisten für Ihren Index zu verwenden, aktivieren Sie alle Ausschlusskriterien'
          end
          object stwla6: TStaticText
            Left = 16
            Top = 496
            Width = 702
            Height = 17
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Caption = 'Die Kriterien gelten für jede Datei der Liste.'
          end
        end
        object ts3: TTabSheet
          Width = 741
          Height = 543
          Caption = '3. Fertigstellen'
          object szusammenfassung: TStaticText
            Left = 16
            Top = 16
            Width = 702
            Height = 490
            Anchors = [akLeft, akTop, akRight, akBottom]
            AutoSize = False
          end
          object stwla7: TStaticText
            Left = 16
            Top = 514
            Width = 702
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = '"Index Erstellen" sucht die Stichwörter jeder Datei der Liste.'
          end
        end
        object ts4: TTabSheet
          Width = 741
          Height = 543
          Caption = 'Index erstellen'
          object sstatus: TLabel
            Left = 16
            Top = 16
            Width = 702
            Height = 16
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
          end
          object sfortschritt: TProgressBar
            Left = 16
            Top = 40
            Width = 702
            Height = 20
            Anchors = [akLeft, akTop, akRight]
          end
          object sstatusfile: TLabel
            Left = 16
            Top = 72
            Width = 702
            Height = 16
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Visible = False
          end
          object sfortschrittfile: TProgressBar
            Left = 16
            Top = 96
            Width = 702
            Height = 20
            Anchors = [akLeft, akTop, akRight]
            Visible = False
          end
          object AbbruchS: TButton
            OnClick = AbbruchSClick
            Left = 598
            Top = 130
            Width = 120
            Height = 25
            Caption = 'Abbrechen'
            Anchors = [akTop, akRight]
          end
          object stwla3: TLabel
            Left = 16
            Top = 134
            Caption = 'Bitte warten, bis der Index erstellt ist.'
          end
          object stwla8: TStaticText
            Left = 16
            Top = 168
            Width = 702
            Height = 17
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            Caption = 'Danach wird das Ergebnis angezeigt.'
          end
        end
        object ts5: TTabSheet
          Width = 741
          Height = 543
          Caption = 'Ergebnis'
          object soutput: TMemo
            Left = 16
            Top = 16
            Width = 702
            Height = 456
            Anchors = [akLeft, akTop, akRight, akBottom]
            ScrollBars = ssVertical
          end
          object szwischenablage: TButton
            OnClick = szwischenablageClick
            Left = 16
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Zwischenablage'
            Anchors = [akLeft, akBottom]
          end
          object soutputspeichern: TButton
            OnClick = soutputspeichernClick
            Left = 154
            Top = 482
            Width = 130
            Height = 25
            Caption = 'Text Speichern'
            Anchors = [akLeft, akBottom]
          end
          object Zeilenumbruch: TCheckBox
            OnClick = ZeilenumbruchClick
            Left = 598
            Top = 485
            Width = 120
            Height = 19
            Caption = 'Zeilenumbruch'
            Checked = True
            Anchors = [akRight, akBottom]
          end
          object stwla5: TLabel
            Left = 292
            Top = 487
            Anchors = [akLeft, akBottom]
            Caption = 'Eine Zeile je Datei.'
          end
          object stwla9: TStaticText
            Left = 16
            Top = 514
            Width = 702
            Height = 17
            Anchors = [akLeft, akRight, akBottom]
            AutoSize = False
            Caption = 'Das Ergebnis kann gespeichert oder in die Zwischenablage kopiert werden.'
          end
        end
      end
    end
  end
  object pinfo: TPanel
    Left = 97
    Top = 0
    Width = 765
    Height = 669
    Align = alClient
    BevelOuter = bvNone
    Visible = False
    object pinfo_de: TPanel
      Left = 0
      Top = 0
      Width = 765
      Height = 669
      Align = alClient
      BevelOuter = bvNone
      object Panel3: TPanel
        Left = 0
        Top = 0
        Width = 765
        Height = 40
        Align = alTop
        BevelOuter = bvNone
        object pinfo_de_titel: TLabel
          Left = 16
          Top = 10
          Caption = 'Informationen'
          Font.Name = 'Tahoma'
          Font.Height = -16
          Font.Style = [fsBold]
        end
      end
      object Panel4: TPanel
        Left = 0
        Top = 625
        Width = 765
        Height = 44
        Align = alBottom
        BevelOuter = bvNone
        object btide1: TButton
          Left = 529
          Top = 8
          Width = 105
          Height = 25
          Caption = '<< zurück'
          Anchors = [akTop, akRight]
          OnClick = btide1Click
        end
        object btide2: TButton
          Left = 648
          Top = 8
          Width = 105
          Height = 25
          Caption = 'weiter >>'
          Anchors = [akTop, akRight]
          OnClick = btide2Click
        end
      end
      object pcide: TPageControl
        Left = 0
        Top = 40
        Width = 765
        Height = 585
        Align = alClient
        ActivePage = tide1
        OnChange = pcideChange
        object tide1: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Hilfe'
          object tide1_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 336
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix erstellt Stichwortverzeichnisse, wie sie am Ende eines Buches stehen: jedes Stichwort mit den Stellen, an denen es vorkommt.'#13#10''#13#10'Text Index: Wählen Sie eine Textdatei oder geben Sie den Text ein. Entweder ist jede Zeile eine Seite, oder Kaptorix liest die Seitenzahlen aus dem Text ("Auslesen"). Unter "Kriterien" legen Sie fest, welche Wörter in den Index kommen. "Index Erstellen" schreibt jedes Stichwort mit seinen Seiten.'#13#10''#13#10'Datei Index: Stellen Sie eine Liste von Dokumenten zusammen, über "Durchsuchen..", einen eingegebenen Pfad oder durch Ziehen mit der Maus. Der Index nennt zu jedem Stichwort die Dokumente, die es enthalten, als Text oder als Webseite.'#13#10''#13#10'Stichwort Index: Zu jeder Datei einer Liste schreibt Kaptorix die Stichwörter, die in ihr vorkommen.'#13#10''#13#10'Die Negativliste enthält Wörter, die nie in den Index kommen, die Positivliste Wörter, die immer hineinkommen. Alle Einstellungen lassen sich unter "Konfiguration" in einer Datei (*.qcfg) speichern und wieder laden.'#13#10''#13#10'Weitere Hilfe finden Sie im Internet:'
          end
          object tide1_link1: TLabel
            Left = 16
            Top = 364
            Caption = 'kaptorix.de/hilfe'
            Cursor = crHandPoint
            Font.Name = 'Tahoma'
            Font.Height = -11
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = BrowseToCaption
          end
        end
        object tide2: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Empfehlungen'
          object tide2_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 240
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Enthält Ihr Text keine Seitenzahlen, schreiben Sie sie mit "Tools" > "Seitenzahlen in Text schreiben" hinein.'#13#10''#13#10'Aus einem ersten Index baut "Tools" > "Index > Negativliste" eine Negativliste: Wörter, die nicht in den Index gehören, werden beim nächsten Lauf aussortiert.'#13#10''#13#10'Speichern Sie einen Index als Index-Datei (*.idx), um ihn später mit "Zu einem vorhandenen Index hinzufügen" zu erweitern.'#13#10''#13#10'Ein gedrucktes oder getipptes Verzeichnis wird mit "Tools" > "Text > Index (*.idx)" zur Index-Datei.'#13#10''#13#10'Word-Dokumente liest Kaptorix über Microsoft Word; "Tools" > "Kompatibilitätstest" prüft, ob Word bereitsteht.'
          end
        end
        object tide5: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Software'
          object tide5_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 48
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix ist eines von mehreren Programmen desselben Herstellers. Hier finden Sie die anderen, jedes mit einem Satz dazu und der Adresse seiner Seite:'
          end
          inline Frame11: TFrame1
            Left = 16
            Top = 76
            Width = 720
            Height = 400
            Anchors = [akLeft, akTop, akRight]
          end
        end
        object tide3: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Wieso spenden?'
          object tide3_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 96
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix ist kostenlos. Spenden helfen, das Programm weiterzuentwickeln, Fehler zu beheben und die Hilfe aktuell zu halten.'#13#10''#13#10'Wenn Kaptorix Ihnen Arbeit erspart hat, freuen wir uns über eine Spende in beliebiger Höhe:'
          end
          object tide3_link1: TLabel
            Left = 16
            Top = 124
            Caption = 'kaptorix.de/spenden'
            Cursor = crHandPoint
            Font.Name = 'Tahoma'
            Font.Height = -11
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = BrowseToCaption
          end
        end
        object tide4: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Lizenz'
          object tide4_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 224
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix darf kostenlos benutzt, kopiert und weitergegeben werden, privat wie beruflich, solange das Programm unverändert bleibt und für die Weitergabe kein Geld verlangt wird.'#13#10''#13#10'Die Indexe, Wortlisten und Konfigurationen, die Sie mit Kaptorix erstellen, gehören Ihnen.'#13#10''#13#10'Das Programm wird so geliefert, wie es ist, ohne Gewähr für seine Eignung zu einem bestimmten Zweck. Soweit das Gesetz es zulässt, haftet der Hersteller nicht für Schäden, die aus der Benutzung entstehen.'#13#10''#13#10'Das Programm zu verändern, zu zerlegen oder zu verkaufen, bedarf der Zustimmung des Herstellers.'
          end
        end
      end
    end
    object pinfo_en: TPanel
      Left = 0
      Top = 0
      Width = 765
      Height = 669
      Align = alClient
      BevelOuter = bvNone
      Visible = False
      object Panel10: TPanel
        Left = 0
        Top = 0
        Width = 765
        Height = 40
        Align = alTop
        BevelOuter = bvNone
        object pinfo_en_titel: TLabel
          Left = 16
          Top = 10
          Caption = 'Information'
          Font.Name = 'Tahoma'
          Font.Height = -16
          Font.Style = [fsBold]
        end
      end
      object Panel9: TPanel
        Left = 0
        Top = 625
        Width = 765
        Height = 44
        Align = alBottom
        BevelOuter = bvNone
        object btien1: TButton
          Left = 529
          Top = 8
          Width = 105
          Height = 25
          Caption = '<< back'
          Anchors = [akTop, akRight]
          OnClick = btien1Click
        end
        object btien2: TButton
          Left = 648
          Top = 8
          Width = 105
          Height = 25
          Caption = 'next >>'
          Anchors = [akTop, akRight]
          OnClick = btien2Click
        end
      end
      object pcien: TPageControl
        Left = 0
        Top = 40
        Width = 765
        Height = 585
        Align = alClient
        ActivePage = tien1
        OnChange = pcienChange
        object tien1: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Help'
          object tien1_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 320
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix builds keyword indexes of the kind printed at the back of a book: every keyword with the places where it occurs.'#13#10''#13#10'Text Index: choose a text file or type the text. Either every line is a page, or Kaptorix reads the page numbers from the text ("Read"). Under "Criteria" you decide which words go into the index. "Create Index" writes every keyword with its pages.'#13#10''#13#10'File Index: put together a list of documents through "Browse..", a typed path or by dragging them with the mouse. The index names for every keyword the documents that contain it, as text or as a web page.'#13#10''#13#10'Keyword Index: for every file of a list, Kaptorix writes the keywords that occur in it.'#13#10''#13#10'The black list holds words that never go into the index, the white list words that always do. All settings can be saved to a file (*.qcfg) under "Configuration" and loaded again.'#13#10''#13#10'More help on the web:'
          end
          object tien1_link1: TLabel
            Left = 16
            Top = 348
            Caption = 'kaptorix.com/help'
            Cursor = crHandPoint
            Font.Name = 'Tahoma'
            Font.Height = -11
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = BrowseToCaption
          end
        end
        object tien2: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Regards'
          object tien2_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 240
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'If your text holds no page numbers, write them in with "Tools" > "Write Folio to Text".'#13#10''#13#10'From a first index, "Tools" > "Index > Black List" builds a black list: words that do not belong in the index are left out in the next run.'#13#10''#13#10'Save an index as an index file (*.idx) to extend it later with "Add New Items to another Index".'#13#10''#13#10'A printed or typed index becomes an index file through "Tools" > "Text > Index (*.idx)".'#13#10''#13#10'Kaptorix reads Word documents through Microsoft Word; "Tools" > "Compatibility Test" checks whether Word is at hand.'
          end
        end
        object tien5: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Software'
          object tien5_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 48
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix is one of several programs by the same maker. Here are the others, each with a line about it and the address of its page:'
          end
          inline Frame21: TFrame2
            Left = 16
            Top = 76
            Width = 720
            Height = 400
            Anchors = [akLeft, akTop, akRight]
          end
        end
        object tien3: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Why Donate?'
          object tien3_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 80
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix is free. Donations help to develop the program further, to mend faults and to keep the help up to date.'#13#10''#13#10'If Kaptorix has saved you work, we are glad of a donation of any amount:'
          end
          object tien3_link1: TLabel
            Left = 16
            Top = 108
            Caption = 'kaptorix.com/donate'
            Cursor = crHandPoint
            Font.Name = 'Tahoma'
            Font.Height = -11
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = BrowseToCaption
          end
        end
        object tien4: TTabSheet
          Width = 757
          Height = 559
          Caption = 'Licence'
          object tien4_text: TLabel
            Left = 16
            Top = 16
            Width = 720
            Height = 176
            Anchors = [akLeft, akTop, akRight]
            AutoSize = False
            WordWrap = True
            Caption = 'Kaptorix may be used, copied and passed on free of charge, privately and at work, as long as the program stays unchanged and no money is asked for passing it on.'#13#10''#13#10'The indexes, word lists and configurations that you make with Kaptorix are yours.'#13#10''#13#10'The program is provided as it is, without warranty of fitness for any particular purpose. As far as the law allows, the maker is not liable for damage arising from its use.'#13#10''#13#10'Changing, taking apart or selling the program needs the maker''s consent.'
          end
        end
      end
    end

  end
  object IconList: TImageList
  end
  object zs: TMemo
    Left = 0
    Top = 0
    Width = 100
    Height = 40
    Visible = False
    WordWrap = False
  end
  object memoload: TOpenDialog
    Filter = 'Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*'
  end
  object memosave: TSaveDialog
    Filter = 'Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*'
  end
  object OpenDatei: TOpenDialog
    Filter = 'Alle Dateien (*.*)|*.*|Text (*.txt)|*.txt|Internet (*.htm, *.html, *.php)|*.htm; *html; *.php'
  end
  object OpenIndex: TOpenDialog
    Filter = 'Index (*.idx)|*.idx|Alle Dateien (*.*)|*.*'
  end
  object SaveIndex: TSaveDialog
    Filter = 'Index (*.idx)|*.idx|Alle Dateien (*.*)|*.*'
  end
  object menu: TMainMenu
    object mdatei: TMenuItem
      Caption = 'Datei'
      object mneu: TMenuItem
        Caption = 'Neu'
        object mneutxt: TMenuItem
          Caption = 'Text Index'
          OnClick = mneutxtClick
        end
        object mneudatei: TMenuItem
          Caption = 'Datei Index'
          OnClick = mneudateiClick
        end
        object mneustw: TMenuItem
          Caption = 'Stichwort Index'
          OnClick = mneustwClick
        end
      end
      object mtidxload: TMenuItem
        Caption = 'Text Index Laden'
        OnClick = mtidxloadClick
      end
      object mdidxload: TMenuItem
        Caption = 'Datei Index Laden'
        OnClick = mdidxloadClick
      end
      object mtidxsave: TMenuItem
        Caption = 'Text Index Speichern'
        object ext1: TMenuItem
          Caption = 'Text'
          OnClick = outputspeichernClick
        end
        object Indexidx1: TMenuItem
          Caption = 'Index (*.idx)'
          OnClick = DatenSpeichernClick
        end
      end
      object mdidxsave: TMenuItem
        Caption = 'Datei Index Speichern'
        object extHTML1: TMenuItem
          Caption = 'Text/HTML'
          OnClick = doutputspeichernClick
        end
        object Indexidx2: TMenuItem
          Caption = 'Index (*.idx)'
          OnClick = didxspeichernClick
        end
      end
      object mstwidxsave: TMenuItem
        Caption = 'Stichwort Index Speichern'
        OnClick = soutputspeichernClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object m_bug: TMenuItem
        Caption = 'Report Bug or Improvement'
        OnClick = m_bugClick
      end
      object mbeenden: TMenuItem
        Caption = 'Beenden'
        OnClick = mbeendenClick
      end
    end
    object meinst: TMenuItem
      Caption = 'Einstellungen'
      object met: TMenuItem
        Caption = 'Text Index'
        object mets: TMenuItem
          Caption = 'Seitenzahlen'
          OnClick = metsClick
        end
        object metk: TMenuItem
          Caption = 'Kriterien'
          OnClick = metkClick
        end
        object metd: TMenuItem
          Caption = 'Design'
          OnClick = btdesignClick
        end
      end
      object med: TMenuItem
        Caption = 'Datei Index'
        object medk: TMenuItem
          Caption = 'Kriterien'
          OnClick = medkClick
        end
        object medd: TMenuItem
          Caption = 'Design'
          OnClick = d_designClick
        end
      end
      object mes: TMenuItem
        Caption = 'Stichwort Index'
        object mesk: TMenuItem
          Caption = 'Kriterien'
          OnClick = meskClick
        end
        object mesd: TMenuItem
          Caption = 'Design'
          OnClick = stw_designanzeigenClick
        end
      end
      object mewl: TMenuItem
        Caption = 'Wortlisten'
        object mewlneg: TMenuItem
          Caption = 'Negativliste'
          OnClick = negativliste_anzeigenClick
        end
        object mewlpos: TMenuItem
          Caption = 'Positivliste'
          OnClick = positivliste_anzeigenClick
        end
      end
      object zspmenu: TMenuItem
        Caption = 'Zwischenspeichern'
        Checked = True
        OnClick = zspmenuClick
      end
      object spopt: TMenuItem
        Caption = 'Speicheroptionen..'
        OnClick = spoptClick
      end
      object verk: TMenuItem
        Caption = 'Verknüpfungen'
        object verk_qcfg: TMenuItem
          Caption = 'Konfigurationsdateien (*.qcfg)'
          OnClick = verk_qcfgClick
        end
        object verk_idx: TMenuItem
          Caption = 'Index-Dateien (*.idx)'
          OnClick = verk_idxClick
        end
      end
      object mspr: TMenuItem
        Caption = 'Sprache'
        object msprde: TMenuItem
          Caption = 'Deutsch'
          OnClick = msprdeClick
        end
        object mspren: TMenuItem
          Caption = 'English'
          OnClick = msprenClick
        end
      end
    end
    object m_konfig: TMenuItem
      Caption = 'Konfiguration'
      object m_konfig_save: TMenuItem
        Caption = 'Aktuelle Konfiguration speichern'
        OnClick = KonfigurationSpeichernDialog
      end
      object m_konfig_save_start: TMenuItem
        Caption = 'Aktuelle Konfiguration als Startkonfiguration'
        OnClick = m_konfig_save_startClick
      end
      object m_konfig_load: TMenuItem
        Caption = 'Konfiguration laden'
        ShortCut = 16459
        OnClick = KonfigurationLadenDialog
      end
      object N2: TMenuItem
        Caption = '-'
      end
      object m_konfig_autosave: TMenuItem
        Caption = 'Auto Save beim Beenden'
        object m_konfig_autosave_nie: TMenuItem
          Caption = 'Nie'
          Checked = True
          OnClick = m_konfig_autosave_nieClick
        end
        object m_konfig_autosave_alles: TMenuItem
          Caption = 'Alles'
          OnClick = m_konfig_autosave_nieClick
        end
      end
      object N3: TMenuItem
        Caption = '-'
      end
      object m_konfig_standard: TMenuItem
        Caption = 'Standardkonfiguration'
        ShortCut = 113
        OnClick = KonfigurationLadenStandard
      end
      object m_konfig_start: TMenuItem
        Caption = 'Startkonfiguration (auto.qcfg)'
        ShortCut = 114
        OnClick = m_konfig_startClick
      end
    end
    object mfenster: TMenuItem
      Caption = 'Fenster'
      object mfstart: TMenuItem
        Caption = 'Start'
        OnClick = rand_btstartClick
      end
      object mft: TMenuItem
        Caption = 'Text Index'
        OnClick = rand_bttxtidxClick
        object mft1: TMenuItem
          Caption = '1. Quelle'
          OnClick = mft1Click
        end
        object mft2: TMenuItem
          Caption = '2. Seitenzahlen'
          OnClick = mft2Click
        end
        object mft3: TMenuItem
          Caption = '3. Kriterien'
          OnClick = mft3Click
        end
        object mft4: TMenuItem
          Caption = '4. Fertigstellen'
          OnClick = mft4Click
        end
        object mft5: TMenuItem
          Caption = 'Index erstellen'
          OnClick = mft5Click
        end
        object mft6: TMenuItem
          Caption = 'Ergebnis'
          OnClick = mft6Click
        end
      end
      object mfd: TMenuItem
        Caption = 'Datei Index'
        OnClick = rand_btdidxClick
        object mfd1: TMenuItem
          Caption = '1. Quelle'
          OnClick = mfd1Click
        end
        object mfd2: TMenuItem
          Caption = '2. Einstellungen'
          OnClick = mfd2Click
        end
        object mfd3: TMenuItem
          Caption = '3. Fertigstellen'
          OnClick = mfd3Click
        end
        object mfd4: TMenuItem
          Caption = 'Index Erstellen'
          OnClick = mfd4Click
        end
        object mfd5: TMenuItem
          Caption = 'Ergebnis'
          OnClick = mfd5Click
        end
      end
      object mfs: TMenuItem
        Caption = 'Stichwort Index'
        OnClick = rand_btstwClick
        object mfs1: TMenuItem
          Caption = '1. Quelle'
          OnClick = mfs1Click
        end
        object mfs2: TMenuItem
          Caption = '2. Einstellungen'
          OnClick = mfs2Click
        end
        object mfs3: TMenuItem
          Caption = '3. Fertigstellen'
          OnClick = mfs3Click
        end
        object mfs4: TMenuItem
          Caption = 'Index Erstellen'
          OnClick = mfs4Click
        end
        object mfs5: TMenuItem
          Caption = 'Ergebnis'
          OnClick = mfs5Click
        end
      end
      object mfi: TMenuItem
        Caption = 'Info'
        OnClick = rand_btinfoClick
        object mfi1: TMenuItem
          Caption = 'Hilfe'
          OnClick = minfo1Click
        end
        object mfi2: TMenuItem
          Caption = 'Empfehlungen'
          OnClick = minfo2Click
        end
        object Software2: TMenuItem
          Caption = 'Software'
          OnClick = Software2Click
        end
        object mfi3: TMenuItem
          Caption = 'Wieso spenden?'
          OnClick = minfo3Click
        end
        object mfi4: TMenuItem
          Caption = 'Lizenz'
          OnClick = minfo4Click
        end
      end
    end
    object mtools: TMenuItem
      Caption = 'Tools'
      object mt1: TMenuItem
        Caption = 'Index > Negativliste'
        OnClick = mt1Click
      end
      object mt2: TMenuItem
        Caption = 'Index > Positivliste'
        OnClick = mt2Click
      end
      object mt3: TMenuItem
        Caption = 'Text > Indexdatei  (*.idx)'
        OnClick = mt3Click
      end
      object mt4: TMenuItem
        Caption = 'Seiten in Text schreiben'
        OnClick = mt4Click
      end
      object N4: TMenuItem
        Caption = '-'
      end
      object m_komp: TMenuItem
        Caption = 'Kompatibilitätstest'
        OnClick = m_kompClick
      end
    end
    object m_soft_de: TMenuItem
      Caption = 'Andere Software'
      object KurzbeschreibungallerProgramme1: TMenuItem
        Caption = 'Kurzbeschreibung aller Programme'
        OnClick = KurzbeschreibungallerProgramme1Click
      end
      object N5: TMenuItem
        Caption = '-'
      end
      object msoftde1: TMenuItem
        Caption = 'kalwe.de/software - Alle Programme'
        OnClick = BrowseToMenuCaption
      end
      object msoftde2: TMenuItem
        Caption = 'kaptorix.de - Kaptorix'
        OnClick = BrowseToMenuCaption
      end
    end
    object m_soft_en: TMenuItem
      Caption = 'Other Software'
      Visible = False
      object BriefDescriptionoftheSoftware1: TMenuItem
        Caption = 'Brief Description of the Software'
        OnClick = BriefDescriptionoftheSoftware1Click
      end
      object N6: TMenuItem
        Caption = '-'
      end
      object msoften1: TMenuItem
        Caption = 'kalwe.com/software - All Programs'
        OnClick = BrowseToMenuCaption
      end
      object msoften2: TMenuItem
        Caption = 'kaptorix.com - Kaptorix'
        OnClick = BrowseToMenuCaption
      end
    end
    object minfo: TMenuItem
      Caption = 'Info'
      object minfo1: TMenuItem
        Caption = 'Hilfe'
        OnClick = minfo1Click
      end
      object minfo2: TMenuItem
        Caption = 'Empfehlungen'
        OnClick = minfo2Click
      end
      object Software1: TMenuItem
        Caption = 'Software'
        OnClick = Software1Click
      end
      object minfo3: TMenuItem
        Caption = 'Wieso spenden?'
        OnClick = minfo3Click
      end
      object minfo4: TMenuItem
        Caption = 'Lizenz'
        OnClick = minfo4Click
      end
      object N7: TMenuItem
        Caption = '-'
      end
      object minfo5: TMenuItem
        Caption = 'kaptorix.de - Kaptorix'
        OnClick = BrowseToMenuCaption
      end
      object minfo6: TMenuItem
        Caption = 'kaptorix.de/spenden - Spenden'
        OnClick = BrowseToMenuCaption
      end
      object minfo7: TMenuItem
        Caption = 'kalwe.de - Homepage'
        OnClick = BrowseToMenuCaption
      end
      object minfo8: TMenuItem
        Caption = 'bernokalwe.de - Homepage'
        OnClick = BrowseToMenuCaption
      end
      object minfo9: TMenuItem
        Caption = 'kaptorix.de/hilfe - Hilfe'
        OnClick = BrowseToMenuCaption
      end
      object minfo10: TMenuItem
        Caption = 'kaptorix.de/design - Design'
        OnClick = BrowseToMenuCaption
      end
    end
    object m_links: TMenuItem
      Caption = 'Weitere Programme'
    end
  end
  object sd_konfig: TSaveDialog
    DefaultExt = 'qcfg'
    FileName = 'Konfiguration.qcfg'
    Filter = 'Kaptorix Konfiguration (*.qcfg)|*.qcfg'
    Title = 'Konfiguration speichern..'
  end
  object od_konfig: TOpenDialog
    DefaultExt = 'qcfg'
    Filter = 'Kaptorix Konfiguration (*.qcfg)|*.qcfg'
    Title = 'Konfiguration '#246'ffnen..'
  end
end
