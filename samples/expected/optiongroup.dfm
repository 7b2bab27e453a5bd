object frmReport: TfrmReport
  Height = 160
  Width = 240
  Caption = 'Print'
  object opgDestination: TGroupBox
    Left = 12
    Top = 12
    Height = 90
    Width = 200
    object Option1: TRadioButton
      Caption = '&Screen'
      Top = 5
    end
    object optPrinter: TRadioButton
      Caption = '&Printer'
      Top = 30
    end
    object Option3: TRadioButton
      Caption = '&File'
      Top = 55
    end
  end
  object cmgButtons: TGroupBox
    Left = 12
    Top = 110
    object Command1: TButton
      Caption = 'OK'
    end
    object Command2: TButton
      Caption = 'Cancel'
      Left = 90
    end
  end
end
