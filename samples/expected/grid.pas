unit grid;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs;

type
  TfrmOrders = class(TForm)
    grdOrders: TDBGrid;
  private
    { Private declarations }
  public
    { Public declarations }
  end;

var
  frmOrders: TfrmOrders;

implementation

{$R *.DFM}

end.
