R"FORM(
// The schedule editor's main window: 704 x 706 pixels with the desktop's
// frame and title, centred. The pages end above the status bar also under a
// title bar of 30 pixels.
TForm1 Form1 {
    Caption = "VTX-7430 Software v1.3 (Build-120718) -- 8 ports"
    Width = 704; Height = 706; Position = poScreenCenter
    Font.Name = "新細明體"; Font.Height = -11; Font.Charset = CHINESEBIG5_CHARSET
    Menu = MainMenu1
    OnCreate = FormCreate; OnDestroy = FormDestroy

    // Toolbar, left to right.
    TSpeedButton SpeedButton6 { Left = 4; Top = 2; Width = 56; Height = 26; Flat = True; Caption = "新建"; OnClick = SpeedButton6Click }
    TSpeedButton SpeedButton7 { Left = 62; Top = 2; Width = 56; Height = 26; Flat = True; Caption = "載入"; OnClick = SpeedButton7Click }
    TSpeedButton SpeedButton8 { Left = 120; Top = 2; Width = 56; Height = 26; Flat = True; Caption = "存檔"; OnClick = SpeedButton8Click }
    TSpeedButton SpeedButton5 { Left = 190; Top = 2; Width = 56; Height = 26; Flat = True; Caption = "複製"; OnClick = SpeedButton5Click }
    TSpeedButton SpeedButton4 { Left = 248; Top = 2; Width = 56; Height = 26; Flat = True; Caption = "清除"; OnClick = SpeedButton4Click }
    TSpeedButton SpeedButton13 { Left = 306; Top = 2; Width = 56; Height = 26; Flat = True; Caption = "檢查"; OnClick = SpeedButton13Click }

    TPageControl PageControl1 {
        Left = 0; Top = 30; Width = 696; Height = 604
        ActivePage = TabSheet1
        // The tab texts a size smaller, so that all thirteen tabs fit.
        Font.Height = -10
        TTabSheet TabSheet1 {
            Caption = "週一"; Font.Height = -11
            TStringGrid StringGrid1 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid1MouseDown
            }
        }
        TTabSheet TabSheet2 {
            Caption = "週二"; Font.Height = -11
            TStringGrid StringGrid2 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid2MouseDown
            }
        }
        TTabSheet TabSheet3 {
            Caption = "週三"; Font.Height = -11
            TStringGrid StringGrid3 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid3MouseDown
            }
        }
        TTabSheet TabSheet4 {
            Caption = "週四"; Font.Height = -11
            TStringGrid StringGrid4 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid4MouseDown
            }
        }
        TTabSheet TabSheet5 {
            Caption = "週五"; Font.Height = -11
            TStringGrid StringGrid5 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid5MouseDown
            }
        }
        TTabSheet TabSheet6 {
            Caption = "週六"; Font.Height = -11
            TStringGrid StringGrid6 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid6MouseDown
            }
        }
        TTabSheet TabSheet7 {
            Caption = "週日"; Font.Height = -11
            TStringGrid StringGrid7 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid7MouseDown
            }
        }
        TTabSheet TabSheet8 {
            Caption = "特定日一"; Font.Height = -11
            TStringGrid StringGrid8 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid8MouseDown
            }
        }
        TTabSheet TabSheet9 {
            Caption = "特定日二"; Font.Height = -11
            TStringGrid StringGrid9 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid9MouseDown
            }
        }
        TTabSheet TabSheet10 {
            Caption = "特定日三"; Font.Height = -11
            TStringGrid StringGrid10 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid10MouseDown
            }
        }
        TTabSheet TabSheet11 {
            Caption = "特定日四"; Font.Height = -11
            TStringGrid StringGrid11 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid11MouseDown
            }
        }
        TTabSheet TabSheet12 {
            Caption = "特定日五"; Font.Height = -11
            TStringGrid StringGrid12 {
                Left = 4; Top = 4; Width = 548; Height = 564
                ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
                ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14"; ShowHint = True
                OnMouseDown = StringGrid12MouseDown
            }
        }
        TTabSheet TabSheet13 {
            Caption = "系統設定"; Font.Height = -11
            TGroupBox GroupBox1 {
                Left = 8; Top = 4; Width = 336; Height = 178; Caption = "特定日設定"
                TCheckBox CheckBox1 { Left = 10; Top = 22; Width = 128; Height = 20; Caption = "啟用特定日一"; OnClick = CheckBox1Click }
                TComboBox ComboBox1 { Left = 142; Top = 20; Width = 58; Style = csDropDownList; DropDownCount = 12; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"]; ItemIndex = 0 }
                TLabel Label1 { Left = 204; Top = 24; Caption = "月" }
                TComboBox ComboBox2 { Left = 236; Top = 20; Width = 52; Style = csDropDownList; DropDownCount = 16; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"]; ItemIndex = 0 }
                TLabel Label6 { Left = 292; Top = 24; Caption = "日" }
                TCheckBox CheckBox2 { Left = 10; Top = 52; Width = 128; Height = 20; Caption = "啟用特定日二"; OnClick = CheckBox2Click }
                TComboBox ComboBox3 { Left = 142; Top = 50; Width = 58; Style = csDropDownList; DropDownCount = 12; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"]; ItemIndex = 0 }
                TLabel Label2 { Left = 204; Top = 54; Caption = "月" }
                TComboBox ComboBox4 { Left = 236; Top = 50; Width = 52; Style = csDropDownList; DropDownCount = 16; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"]; ItemIndex = 0 }
                TLabel Label7 { Left = 292; Top = 54; Caption = "日" }
                TCheckBox CheckBox3 { Left = 10; Top = 82; Width = 128; Height = 20; Caption = "啟用特定日三"; OnClick = CheckBox3Click }
                TComboBox ComboBox5 { Left = 142; Top = 80; Width = 58; Style = csDropDownList; DropDownCount = 12; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"]; ItemIndex = 0 }
                TLabel Label3 { Left = 204; Top = 84; Caption = "月" }
                TComboBox ComboBox6 { Left = 236; Top = 80; Width = 52; Style = csDropDownList; DropDownCount = 16; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"]; ItemIndex = 0 }
                TLabel Label8 { Left = 292; Top = 84; Caption = "日" }
                TCheckBox CheckBox4 { Left = 10; Top = 112; Width = 128; Height = 20; Caption = "啟用特定日四"; OnClick = CheckBox4Click }
                TComboBox ComboBox7 { Left = 142; Top = 110; Width = 58; Style = csDropDownList; DropDownCount = 12; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"]; ItemIndex = 0 }
                TLabel Label4 { Left = 204; Top = 114; Caption = "月" }
                TComboBox ComboBox8 { Left = 236; Top = 110; Width = 52; Style = csDropDownList; DropDownCount = 16; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"]; ItemIndex = 0 }
                TLabel Label9 { Left = 292; Top = 114; Caption = "日" }
                TCheckBox CheckBox5 { Left = 10; Top = 142; Width = 128; Height = 20; Caption = "啟用特定日五"; OnClick = CheckBox5Click }
                TComboBox ComboBox9 { Left = 142; Top = 140; Width = 58; Style = csDropDownList; DropDownCount = 12; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"]; ItemIndex = 0 }
                TLabel Label5 { Left = 204; Top = 144; Caption = "月" }
                TComboBox ComboBox10 { Left = 236; Top = 140; Width = 52; Style = csDropDownList; DropDownCount = 16; Items = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"]; ItemIndex = 0 }
                TLabel Label10 { Left = 292; Top = 144; Caption = "日" }
            }
            TGroupBox GroupBox2 {
                Left = 8; Top = 188; Width = 336; Height = 50; Caption = "顯示語言"
                TRadioButton RadioButton1 { Left = 16; Top = 22; Width = 120; Height = 20; Caption = "中文"; Checked = True }
                TRadioButton RadioButton2 { Left = 160; Top = 22; Width = 120; Height = 20; Caption = "英文" }
            }
            TGroupBox GroupBox3 {
                Left = 8; Top = 244; Width = 336; Height = 110; Caption = "其他設定"
                TLabel Label11 { Left = 12; Top = 26; Caption = "系統時區:" }
                TComboBox ComboBox12 { Left = 104; Top = 22; Width = 64; Style = csDropDownList; DropDownCount = 13; Items = ["-12", "-11", "-10", "-9", "-8", "-7", "-6", "-5", "-4", "-3", "-2", "-1", "0", "+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8", "+9", "+10", "+11", "+12"]; ItemIndex = 20 }
                TLabel Label13 { Left = 12; Top = 54; Caption = "GPS同步:" }
                TComboBox ComboBox14 { Left = 104; Top = 50; Width = 52; Style = csDropDownList; DropDownCount = 12; Items = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23"]; ItemIndex = 0 }
                TLabel Label14 { Left = 160; Top = 54; Caption = ":" }
                TComboBox ComboBox15 { Left = 168; Top = 50; Width = 52; Style = csDropDownList; DropDownCount = 12; Items = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "32", "33", "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44", "45", "46", "47", "48", "49", "50", "51", "52", "53", "54", "55", "56", "57", "58", "59"]; ItemIndex = 0 }
                TLabel Label12 { Left = 12; Top = 82; Caption = "節點位址:" }
                TComboBox ComboBox13 { Left = 104; Top = 78; Width = 52; Style = csDropDownList; DropDownCount = 19; Items = ["0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18"]; ItemIndex = 0 }
            }

            // The device link.
            TComboBox ComboBox11 { Left = 356; Top = 10; Width = 132; DropDownCount = 10; Items = ["COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6", "COM 7", "COM 8", "COM 9", "COM 10"]; Text = "COM Port select"; OnChange = ComboBox11Change }
            TSpeedButton SpeedButton1 { Left = 496; Top = 8; Width = 88; Height = 26; Caption = "連線"; OnClick = SpeedButton1Click }
            TSpeedButton SpeedButton10 { Left = 496; Top = 8; Width = 88; Height = 26; Caption = "離線"; Visible = False; OnClick = SpeedButton10Click }
            TSpeedButton SpeedButton9 { Left = 592; Top = 8; Width = 88; Height = 26; Caption = "同步"; OnClick = SpeedButton9Click }
            TGroupBox GroupBox6 {
                Left = 356; Top = 42; Width = 228; Height = 50; Caption = "下載作息表"
                TRadioButton RadioButton15 { Left = 10; Top = 22; Width = 104; Height = 20; Caption = "作息表 A"; Checked = True }
                TRadioButton RadioButton16 { Left = 118; Top = 22; Width = 104; Height = 20; Caption = "作息表 B" }
            }
            TSpeedButton SpeedButton3 { Left = 592; Top = 48; Width = 88; Height = 44; Caption = "下載"; OnClick = SpeedButton3Click }
            TSpeedButton SpeedButton2 { Left = 592; Top = 104; Width = 88; Height = 28; Caption = "檢視"; Visible = False }
            TSpeedButton SpeedButton16 { Left = 356; Top = 104; Width = 160; Height = 28; Caption = "不動作日設定"; OnClick = SpeedButton16Click }

            // The link log.
            TRichEdit RichEdit1 {
                Left = 8; Top = 362; Width = 672; Height = 202
                ScrollBars = ssBoth; WordWrap = False; Lines = ["RichEdit1"]
                Font.Name = "新細明體"; Font.Height = -11; Font.Charset = CHINESEBIG5_CHARSET
            }
        }
    }

    // The copy panel, shown by the toolbar's copy button.
    TPanel Panel1 {
        Left = 168; Top = 144; Width = 376; Height = 252; Visible = False
        TGroupBox GroupBox4 {
            Left = 8; Top = 8; Width = 176; Height = 198; Caption = "複製來源"
            TRadioButton RadioButton3 { Left = 8; Top = 20; Width = 80; Height = 20; Caption = "週一"; Checked = True; OnClick = RadioButton3Click }
            TRadioButton RadioButton4 { Left = 8; Top = 48; Width = 80; Height = 20; Caption = "週二"; OnClick = RadioButton4Click }
            TRadioButton RadioButton5 { Left = 8; Top = 76; Width = 80; Height = 20; Caption = "週三"; OnClick = RadioButton5Click }
            TRadioButton RadioButton6 { Left = 8; Top = 104; Width = 80; Height = 20; Caption = "週四"; OnClick = RadioButton6Click }
            TRadioButton RadioButton7 { Left = 8; Top = 132; Width = 80; Height = 20; Caption = "週五"; OnClick = RadioButton7Click }
            TRadioButton RadioButton8 { Left = 8; Top = 160; Width = 80; Height = 20; Caption = "週六"; OnClick = RadioButton8Click }
            TRadioButton RadioButton9 { Left = 88; Top = 20; Width = 82; Height = 20; Caption = "週日"; OnClick = RadioButton9Click }
            TRadioButton RadioButton10 { Left = 88; Top = 48; Width = 82; Height = 20; Caption = "特定日一"; OnClick = RadioButton10Click }
            TRadioButton RadioButton11 { Left = 88; Top = 76; Width = 82; Height = 20; Caption = "特定日二"; OnClick = RadioButton11Click }
            TRadioButton RadioButton12 { Left = 88; Top = 104; Width = 82; Height = 20; Caption = "特定日三"; OnClick = RadioButton12Click }
            TRadioButton RadioButton13 { Left = 88; Top = 132; Width = 82; Height = 20; Caption = "特定日四"; OnClick = RadioButton13Click }
            TRadioButton RadioButton14 { Left = 88; Top = 160; Width = 82; Height = 20; Caption = "特定日五"; OnClick = RadioButton14Click }
        }
        TGroupBox GroupBox5 {
            Left = 192; Top = 8; Width = 176; Height = 198; Caption = "複製目的"
            TCheckBox CheckBox9 { Left = 8; Top = 20; Width = 80; Height = 20; Caption = "週一" }
            TCheckBox CheckBox10 { Left = 8; Top = 48; Width = 80; Height = 20; Caption = "週二" }
            TCheckBox CheckBox11 { Left = 8; Top = 76; Width = 80; Height = 20; Caption = "週三" }
            TCheckBox CheckBox12 { Left = 8; Top = 104; Width = 80; Height = 20; Caption = "週四" }
            TCheckBox CheckBox13 { Left = 8; Top = 132; Width = 80; Height = 20; Caption = "週五" }
            TCheckBox CheckBox14 { Left = 8; Top = 160; Width = 80; Height = 20; Caption = "週六" }
            TCheckBox CheckBox15 { Left = 88; Top = 20; Width = 82; Height = 20; Caption = "週日" }
            TCheckBox CheckBox16 { Left = 88; Top = 48; Width = 82; Height = 20; Caption = "特定日一" }
            TCheckBox CheckBox17 { Left = 88; Top = 76; Width = 82; Height = 20; Caption = "特定日二" }
            TCheckBox CheckBox18 { Left = 88; Top = 104; Width = 82; Height = 20; Caption = "特定日三" }
            TCheckBox CheckBox19 { Left = 88; Top = 132; Width = 82; Height = 20; Caption = "特定日四" }
            TCheckBox CheckBox20 { Left = 88; Top = 160; Width = 82; Height = 20; Caption = "特定日五" }
        }
        TSpeedButton SpeedButton11 { Left = 104; Top = 214; Width = 76; Height = 28; Caption = "確定"; OnClick = SpeedButton11Click }
        TSpeedButton SpeedButton12 { Left = 196; Top = 214; Width = 76; Height = 28; Caption = "取消"; OnClick = SpeedButton12Click }
    }

    // The non-action day panel, shown from the system page.
    TPanel Panel2 {
        Left = 88; Top = 160; Width = 520; Height = 300; Visible = False
        TCCalendar CCalendar1 { Visible = False; StartOfWeek = 7 }
        TSpeedButton SpeedButton14 { Left = 8; Top = 8; Width = 68; Height = 24; Caption = "上一月"; OnClick = SpeedButton14Click }
        TLabel Label16 { Left = 104; Top = 13 }
        TLabel Label15 { Left = 150; Top = 13 }
        TSpeedButton SpeedButton15 { Left = 222; Top = 8; Width = 68; Height = 24; Caption = "下一月"; OnClick = SpeedButton15Click }
        TStringGrid StringGrid13 {
            Left = 8; Top = 40; Width = 291; Height = 123
            ColCount = 7; RowCount = 7; FixedCols = 0; DefaultColWidth = 40; DefaultRowHeight = 16
            Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine]
            OnDblClick = StringGrid13DblClick
        }
        TLabel Label17 { Left = 316; Top = 13; Caption = "不動作日:" }
        TStringGrid StringGrid14 {
            Left = 316; Top = 32; Width = 192; Height = 222
            ColCount = 2; RowCount = 367; FixedCols = 0; DefaultColWidth = 80; DefaultRowHeight = 18
            Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine]
            OnMouseDown = StringGrid14MouseDown
        }
        TSpeedButton SpeedButton18 { Left = 316; Top = 262; Width = 88; Height = 28; Caption = "清除"; OnClick = SpeedButton18Click }
        TSpeedButton SpeedButton17 { Left = 420; Top = 262; Width = 88; Height = 28; Caption = "關閉"; OnClick = SpeedButton17Click }
    }

    TStatusBar StatusBar1 {
        Panels = < { Text = "通訊埠"; Width = 60 } { Text = "未指定(離線)"; Width = 100 } { Text = "專案檔名"; Width = 55 } { Text = "無"; Width = 350 } { Text = "ORB"; Width = 50 } >
    }

    TMainMenu MainMenu1 {
        TMenuItem File1 {
            Caption = "File"
            TMenuItem New1 { Caption = "New"; OnClick = New1Click }
            TMenuItem Load1 { Caption = "Load"; OnClick = Load1Click }
            TMenuItem Save1 { Caption = "Save"; OnClick = Save1Click }
        }
        TMenuItem Language1 {
            Caption = "Version"
            TMenuItem Chinese1 { Caption = "Chinese"; RadioItem = True; AutoCheck = True; Checked = True; OnClick = Chinese1Click }
            TMenuItem English1 { Caption = "English"; RadioItem = True; AutoCheck = True; OnClick = English1Click }
        }
    }
    TOpenDialog OpenDialog1 { }
    TSaveDialog SaveDialog1 { }
    TTimer Timer1 { Interval = 10000; Enabled = False; OnTimer = Timer1Timer }
    TPcUart PcUart1 {
        UartPortNumber = 1; UartBaud = 14400; UartBitsPerByte = 8
        SysUartTxdQueueSize = 1024; SysUartRxdQueueSize = 1024; SysUartRxdIntervalTimeout = 3
        RxdFilter_DelimiterChar = "#10"; RxdFilter_BytesOfPacket = 1
        OnRxdDatas = PcUart1RxdDatas
    }
}
)FORM"
