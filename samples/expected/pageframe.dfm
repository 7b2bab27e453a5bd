object frmSettings: TfrmSettings
  Height = 280
  Width = 400
  Caption = 'Settings'
  object pgfPages: TPageControl
    Left = 8
    Top = 8
    Width = 384
    Height = 264
    object Page1: TTabSheet
      Caption = '&General'
      object lblPath: TLabel
        Caption = 'Path:'
        Left = 12
        Top = 20
      end
      object txtPath: TEdit
        Left = 60
        Top = 16
        Width = 300
      end
    end
    object Page2: TTabSheet
      Caption = '&Advanced'
      PageIndex = 2
      object spnRetries: TSpinEdit
        Left = 12
        Top = 16
      end
    end
  end
end
