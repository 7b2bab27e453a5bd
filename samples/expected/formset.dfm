object frmMain: TfrmMain
  Height = 120
  Width = 300
  Caption = 'Form in a form set'
  object lblHello: TLabel
    Caption = 'Hello'
    Left = 20
    Top = 20
  end
end
