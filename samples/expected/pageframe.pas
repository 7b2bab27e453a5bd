unit pageframe;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs;

type
  TfrmSettings = class(TForm)
    pgfPages: TPageControl;
    Page1: TTabSheet;
    lblPath: TLabel;
    txtPath: TEdit;
    Page2: TTabSheet;
    spnRetries: TSpinEdit;
  private
    { Private declarations }
  public
    { Public declarations }
  end;

var
  frmSettings: TfrmSettings;

implementation

{$R *.DFM}

end.
