unit optiongroup;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs;

type
  TfrmReport = class(TForm)
    opgDestination: TGroupBox;
    Option1: TRadioButton;
    optPrinter: TRadioButton;
    Option3: TRadioButton;
    cmgButtons: TGroupBox;
    Command1: TButton;
    Command2: TButton;
  private
    { Private declarations }
  public
    { Public declarations }
  end;

var
  frmReport: TfrmReport;

implementation

{$R *.DFM}

end.
