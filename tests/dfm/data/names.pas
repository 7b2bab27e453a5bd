unit names;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs;

type
  TfrmNames = class(TForm)
    Line1: line;
    Shape1:;
    Box1: TPanel;
    Text1: TEdit;
    Text1_1: TEdit;
    TEXT1_2: TEdit;
  private
    { Private declarations }
  public
    { Public declarations }
  end;

var
  frmNames: TfrmNames;

implementation

{$R *.DFM}

end.
