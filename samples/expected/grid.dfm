object frmOrders: TfrmOrders
  Height = 300
  Width = 500
  Caption = 'Orders'
  object grdOrders: TDBGrid
    Height = 260
    Left = 8
    Top = 8
    Width = 484
    Columns = <
      item
        Width = 120
        Title.Font.Style = [fsBold]
        Title.Caption = 'Number'
        Font.Color = clBlack
      end
      item
        Width = 300
        Title.Caption = 'Customer'
        Color = 12648447
      end>
  end
end
