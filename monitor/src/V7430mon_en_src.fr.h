R"FORM(
// The PC monitor's main window: 464 x 398 pixels.
TForm1 Form1 {
    Caption = "VTX-7430GS PC monitor  (R120821.V2)"
    Left = 452; Top = 354; Width = 464; Height = 398
    Font.Name = "MS Sans Serif"; Font.Height = -11
    OnCreate = FormCreate

    // The device's clock, drawn by the display refresh.
    TBevel Bevel1 { Left = 8; Top = 16; Width = 441; Height = 121 }
    TImage Image1 { Left = 16; Top = 24; Width = 425; Height = 105 }

    // Channels and song as the device reports them; display only.
    TPanel Panel1 {
        Left = 8; Top = 144; Width = 433; Height = 57
        Enabled = False
        TCheckBox CheckBox1 { Left = 8; Top = 8; Width = 97; Height = 17; Caption = "CH 1 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TCheckBox CheckBox2 { Left = 112; Top = 8; Width = 97; Height = 17; Caption = "CH 2 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TCheckBox CheckBox3 { Left = 216; Top = 8; Width = 97; Height = 17; Caption = "CH 3 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TCheckBox CheckBox4 { Left = 320; Top = 8; Width = 97; Height = 17; Caption = "CH 4 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TCheckBox CheckBox5 { Left = 8; Top = 32; Width = 97; Height = 17; Caption = "CH 5 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TCheckBox CheckBox6 { Left = 112; Top = 32; Width = 97; Height = 17; Caption = "CH 6 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TCheckBox CheckBox7 { Left = 216; Top = 32; Width = 97; Height = 17; Caption = "CH 7 ON"; Font.Name = "新細明體"; Font.Height = -13 }
        TLabel Label3 { Left = 320; Top = 32; Caption = "Song:"; Font.Name = "新細明體"; Font.Height = -16 }
        TEdit Edit1 { Left = 368; Top = 32; Width = 41; Height = 23; Font.Name = "Arial"; Font.Height = -12 }
    }

    // The device's events.
    TRichEdit RichEdit1 {
        Left = 8; Top = 208; Width = 297; Height = 129
        ReadOnly = True; ScrollBars = ssVertical; Lines = ["RichEdit1"]
        Font.Name = "MS Sans Serif"; Font.Height = -11; Font.Charset = CHINESEBIG5_CHARSET
    }

    // Port, channel and song choice.
    TLabel Label2 { Left = 320; Top = 216; Caption = "COM:"; Font.Name = "新細明體"; Font.Height = -16; Font.Color = clOlive }
    TComboBox ComboBox2 {
        Left = 384; Top = 216; Width = 65
        Items = ["Off", "COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6", "COM 7", "COM 8", "COM 9", "COM 10", "COM 11", "COM 12"]
        Text = "Off"
        OnChange = ComboBox2Change
    }
    TLabel Label4 { Left = 320; Top = 248; Caption = "CH :"; Font.Name = "新細明體"; Font.Height = -16; Font.Color = clGreen }
    TComboBox ComboBox3 {
        Left = 384; Top = 248; Width = 65
        Items = ["All off", "1", "2", "3", "4", "5", "6", "7", "All on"]
        Text = "All off"
        OnChange = ComboBox3Change
    }
    TLabel Label1 { Left = 320; Top = 280; Caption = "Song:"; Font.Name = "新細明體"; Font.Height = -16; Font.Color = clNavy }
    TComboBox ComboBox1 {
        Left = 384; Top = 280; Width = 65
        Items = [
            "None", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19",
            "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "32", "33", "34", "35", "36", "37", "38", "39",
            "40", "41", "42", "43", "44", "45", "46", "47", "48", "49", "50", "51", "52", "53", "54", "55", "56", "57", "58", "59",
            "60", "61", "62", "63", "64", "65", "66", "67", "68", "69", "70", "71", "72", "73", "74", "75", "76", "77", "78", "79",
            "80", "81", "82", "83", "84", "85", "86", "87", "88", "89", "90", "91", "92", "93", "94", "95", "96", "97", "98", "99"
        ]
        Text = "None"
        OnChange = ComboBox1Change
    }
    TCheckBox CheckBox9 { Left = 312; Top = 320; Width = 121; Height = 17; Caption = "Auto time sync."; Font.Color = clRed }

    TStatusBar StatusBar1 {
        Panels = < { Text = "COM"; Width = 55 } { Text = "COM 1"; Width = 50 } { Text = "State"; Width = 70 } { Width = 170 } { Text = "ORB"; Width = 50; Alignment = taCenter } >
    }

    TPcUart PcUart1 {
        UartPortNumber = 1; UartBaud = 4800; UartBitsPerByte = 8
        SysUartWriteStyle = suws_WriteThrough
        SysUartTxdQueueSize = 1024; SysUartRxdQueueSize = 1024; SysUartRxdIntervalTimeout = 200
        RxdFilter_Style = rfs_ByBytesOfPacket; RxdFilter_BytesOfPacket = 1
        OnRxdDatas = PcUart1RxdDatas
    }
    TTimer Timer2 { Interval = 500; OnTimer = Timer2Timer }
    TTimer Timer1 { Interval = 1000; OnTimer = Timer1Timer }
}
)FORM"
