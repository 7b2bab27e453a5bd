unit plain;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs;

type
  TfrmCustomer = class(TForm)
    lblName: TLabel;
    txtName: TEdit;
    chkActive: TCheckBox;
    edtNotes: TMemo;
    cmdOK: TButton;
    cmdCancel: TButton;
  private
    { Private declarations }
  public
    { Public declarations }
  end;

var
  frmCustomer: TfrmCustomer;

implementation

{$R *.DFM}

end.
