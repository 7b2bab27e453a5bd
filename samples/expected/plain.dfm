object frmCustomer: TfrmCustomer
  Height = 220
  Width = 360
  Caption = 'Customer'
  Color = clSilver
  object lblName: TLabel
    Font.Style = [fsBold, fsItalic]
    Caption = '&Name:'
    Left = 12
    Top = 16
  end
  object txtName: TEdit
    Left = 80
    Top = 12
    Width = 260
    TabOrder = 1
  end
  object chkActive: TCheckBox
    Caption = 'Active'
    Checked = True
    Left = 80
    Top = 44
  end
  object edtNotes: TMemo
    Left = 80
    Top = 72
    Height = 90
    Width = 260
    Font.Color = clNavy
  end
  object cmdOK: TButton
    Caption = 'OK'
    Left = 180
    Top = 180
  end
  object cmdCancel: TButton
    Caption = 'Cancel'
    Left = 264
    Top = 180
  end
end
