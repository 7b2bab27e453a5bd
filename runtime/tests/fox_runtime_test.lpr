program fox_runtime_test;

{ The test fox_runtime: every function of FoxRuntime against the results
  FoxPro gives. Prints each failed check and ends with exit code 1 when one
  failed. Run with FOXRUNTIME_UNATTENDED set, so that dialogs do not wait. }

{$MODE DELPHI}{$H+}

uses
  {$IFDEF UNIX}cthreads,{$ENDIF}
  Interfaces, SysUtils, Variants, Classes, Types, Forms, Controls, StdCtrls, ExtCtrls, ComCtrls, Grids,
  Graphics, LMessages, FoxRuntime;

type
  { Counts the events a control fires. }
  TEvents = class
    Fired: Integer;
    procedure Count(Sender: TObject);
  end;

  { Counts the closes of a form. }
  TCloseEvents = class
    Fired: Integer;
    procedure Closed(Sender: TObject; var Action: TCloseAction);
  end;

var
  Failures: Integer = 0;
  Checks: Integer = 0;
  TestBox: TCheckBox;

procedure TEvents.Count(Sender: TObject);
begin
  Inc(Fired);
end;

procedure TCloseEvents.Closed(Sender: TObject; var Action: TCloseAction);
begin
  Inc(Fired);
  Action := caNone;
end;

procedure Check(Ok: Boolean; const What: string);
begin
  Inc(Checks);
  if Ok then Exit;
  WriteLn('FAILED: ', What);
  Inc(Failures);
end;

procedure Same(const Got, Expected, What: string);
begin
  Check(Got = Expected, What + ': got ''' + Got + ''', expected ''' + Expected + '''');
end;

procedure SameNumber(Got, Expected: Double; const What: string);
begin
  Check(Abs(Got - Expected) < 1E-9, What + ': got ' + FloatToStr(Got) + ', expected ' + FloatToStr(Expected));
end;

procedure Fails(const What: string; Action: TProcedure);
var
  Failed: Boolean;
begin
  Failed := False;
  try
    Action();
  except
    on EFoxError do Failed := True;
  end;
  Check(Failed, What + ': no EFoxError');
end;

{ The calls FoxPro fails on. }

procedure CompareStringAndNumber;
begin
  FoxEqual('a', 1);
end;

procedure AddStringAndNumber;
begin
  FoxAdd('a', 1);
end;

procedure DivideByZero;
begin
  FoxDivide(1, 0);
end;

procedure StringOfNumber;
begin
  FoxAsString(1);
end;

procedure LogicalOfString;
begin
  FoxAsLogical('x');
end;

procedure SubStrFromZero;
begin
  FoxSubStr('abc', 0);
end;

procedure RootOfNegative;
begin
  FoxSqrt(-1);
end;

procedure CheckBoxToThree;
begin
  FoxSetCheckState(TestBox, 3);
end;

procedure TestComparisons;
begin
  // SET EXACT OFF: the right string need only begin the left one.
  Check(FoxStrEq('abc', 'abc') and FoxStrEq('abc', 'ab') and FoxStrEq('ab ', 'ab') and FoxStrEq('ab', ''), 'EXACT OFF matches');
  Check(not FoxStrEq('ab', 'abc') and not FoxStrEq('abc', 'ab ') and not FoxStrEq('ab', 'ab ') and
    not FoxStrEq('', 'ab') and not FoxStrEq('', ' '), 'EXACT OFF differences');
  Check(FoxStrEq(' ', ''), 'EXACT OFF: blank = empty');
  FoxSetExact := True;
  Check(FoxStrEq('ab', 'ab ') and FoxStrEq('', ' ') and not FoxStrEq('abc', 'ab'), 'EXACT ON');
  Check(FoxEqual('ab', 'ab  ') and FoxInList('ab', ['x', 'ab ']), 'EXACT ON for Variants and INLIST');
  FoxSetExact := False;
  Check(FoxExactEqual('ab', 'ab') and not FoxExactEqual('ab ', 'ab') and not FoxExactEqual('abc', 'ab'), '==');
  Check(FoxEqual(1, 1.0) and not FoxEqual(True, False) and FoxEqual('abc', 'a'), '= of Variants');
  Fails('"a" = 1', CompareStringAndNumber);
  Check(FoxContains('b', 'abc') and not FoxContains('', 'abc') and not FoxContains('x', 'abc'), '$');
end;

procedure TestOperators;
begin
  Same(FoxTrimConcat('ab  ', 'cd'), 'abcd  ', 'string -');
  Check(FoxAdd('a', 'b') = 'ab', 'string + of Variants');
  Check(FoxAdd(1, 2.5) = 3.5, 'number + of Variants');
  Check(FoxSubtract('ab ', 'c') = 'abc ', 'string - of Variants');
  Check(FoxMultiply(3, 4) = 12, '* of Variants');
  Check(FoxDivide(7, 2) = 3.5, '/ of Variants');
  Check(FoxNegate(5) = -5, 'sign of a Variant');
  Fails('"a" + 1', AddStringAndNumber);
  Fails('1 / 0', DivideByZero);
  SameNumber(FoxMod(7, 3), 1, 'MOD(7, 3)');
  SameNumber(FoxMod(-7, 3), 2, 'MOD(-7, 3)');
  SameNumber(FoxMod(7, -3), -2, 'MOD(7, -3)');
  SameNumber(FoxPower(2, 10), 1024, '2 ^ 10');
  Check(FoxDateAdd(EncodeDate(2024, 2, 28), 1) = EncodeDate(2024, 2, 29), 'date + 1');
  Check(FoxDaysBetween(EncodeDate(2024, 3, 1), EncodeDate(2024, 2, 28)) = 2, 'date - date');
  Check(FoxAsString('x') = 'x', 'checked string');
  Fails('string of a number', StringOfNumber);
  Fails('logical of a string', LogicalOfString);
  SameNumber(FoxAsNumber(2.5), 2.5, 'checked number');
  Check(FoxAsDate(VarFromDateTime(EncodeDate(2024, 1, 2))) = EncodeDate(2024, 1, 2), 'checked date');
end;

procedure TestIif;
begin
  Same(FoxIifStr(True, 'a', 'b'), 'a', 'IIF of strings');
  Check(FoxIifInt(False, 1, 2) = 2, 'IIF of whole numbers');
  SameNumber(FoxIifNum(True, 1.5, 2), 1.5, 'IIF of numbers');
  Check(FoxIifBool(False, False, True), 'IIF of logical values');
  Check(FoxIifDate(True, 5, 6) = 5, 'IIF of dates');
  Check(FoxIifVar(False, 'a', 3) = 3, 'IIF of Variants');
end;

procedure TestStrings;
begin
  Same(FoxAllTrim('  a b  '), 'a b', 'ALLTRIM');
  Same(FoxAllTrim(#9'a '), #9'a', 'ALLTRIM takes blanks only');
  Same(FoxLTrim('  a '), 'a ', 'LTRIM');
  Same(FoxRTrim(' a  '), ' a', 'RTRIM');
  Same(FoxUpper('abcé'), 'ABCÉ', 'UPPER');
  Same(FoxLower('ABCÉ'), 'abcé', 'LOWER');
  Same(FoxSubStr('abcdef', 2, 3), 'bcd', 'SUBSTR of three');
  Same(FoxSubStr('abc', 2), 'bc', 'SUBSTR to the end');
  Same(FoxSubStr('abc', 5), '', 'SUBSTR beyond the end');
  Same(FoxSubStr('abc', 2, 10), 'bc', 'SUBSTR longer than the rest');
  Same(FoxSubStr('héllo', 2, 2), 'él', 'SUBSTR counts characters');
  Fails('SUBSTR from 0', SubStrFromZero);
  Same(FoxLeft('abc', 2), 'ab', 'LEFT');
  Same(FoxLeft('abc', 5), 'abc', 'LEFT of more');
  Same(FoxLeft('abc', 0), '', 'LEFT of none');
  Same(FoxRight('abc', 2), 'bc', 'RIGHT');
  Same(FoxRight('abc', -1), '', 'RIGHT of none');
  Check((FoxLen('abc') = 3) and (FoxLen('') = 0) and (FoxLen('é') = 1), 'LEN');
  Check((FoxAt('b', 'abcb') = 2) and (FoxAt('b', 'abcb', 2) = 4) and (FoxAt('x', 'abc') = 0) and (FoxAt('', 'abc') = 0), 'AT');
  Check((FoxAtC('B', 'abc') = 2) and (FoxAt('B', 'abc') = 0), 'ATC');
  Same(FoxStrTran('abcabc', 'b', 'x'), 'axcaxc', 'STRTRAN');
  Same(FoxStrTran('abc', 'b'), 'ac', 'STRTRAN without a replacement');
  Same(FoxStr(42), '        42', 'STR(42) is ten wide');
  Same(FoxStr(3.7), '         4', 'STR rounds');
  Same(FoxStr(-2.5), '        -3', 'STR rounds half away from zero');
  Same(FoxStr(1234.567, 8, 2), ' 1234.57', 'STR with decimals');
  Same(FoxStr(1234.567, 6, 2), '1234.6', 'STR with fewer decimals where they do not fit');
  Same(FoxStr(123456, 3), '***', 'STR too narrow');
  Same(FoxStr(0.05, 4, 1), ' 0.1', 'STR of a fraction');
  SameNumber(FoxVal('  12.5abc'), 12.5, 'VAL stops at the first letter');
  SameNumber(FoxVal('abc'), 0, 'VAL of no number');
  SameNumber(FoxVal('-3'), -3, 'VAL of a negative number');
  SameNumber(FoxVal('1e3'), 1000, 'VAL with an exponent');
  Same(FoxPadL('ab', 4), '  ab', 'PADL');
  Same(FoxPadR('ab', 4, '*'), 'ab**', 'PADR');
  Same(FoxPadC('ab', 5, '-'), '-ab--', 'PADC');
  Same(FoxPadL('abcdef', 3), 'abc', 'PADL cuts');
  Same(FoxSpace(3), '   ', 'SPACE');
  Same(FoxReplicate('ab', 3), 'ababab', 'REPLICATE');
  Same(FoxTransform(42), '42', 'TRANSFORM of a whole number');
  Same(FoxTransform(True), '.T.', 'TRANSFORM of a logical value');
  Same(FoxTransform('a '), 'a ', 'TRANSFORM of a string');
end;

procedure TestValues;
begin
  Check(FoxEmpty('') and FoxEmpty(' '#9) and not FoxEmpty('a'), 'EMPTY of strings');
  Check(FoxEmpty(0) and not FoxEmpty(1) and FoxEmpty(False) and not FoxEmpty(True), 'EMPTY of numbers and logical values');
  Check(FoxEmpty(VarFromDateTime(FoxNoDate)) and not FoxEmpty(Null), 'EMPTY of dates and .NULL.');
  Check(FoxIsNull(Null) and not FoxIsNull(0), 'ISNULL');
  Check((FoxNvl(Null, 5) = 5) and (FoxNvl(3, 5) = 3), 'NVL');
  Same(FoxVarType('a') + FoxVarType(5) + FoxVarType(True) + FoxVarType(VarFromDateTime(Date)) + FoxVarType(Null), 'CNLDX', 'VARTYPE');
  Check(FoxBetween(5, 1, 10) and FoxBetween(1, 1, 10) and not FoxBetween(11, 1, 10), 'BETWEEN');
  Check(FoxInList('b', ['a', 'b']) and not FoxInList(3, [1, 2]) and FoxInList('abc', ['ab']), 'INLIST');
end;

procedure TestNumbers;
begin
  SameNumber(FoxMax([1, 5, 3]), 5, 'MAX');
  SameNumber(FoxMin([4, 2, 3]), 2, 'MIN');
  Check((FoxInt(3.7) = 3) and (FoxInt(-3.7) = -3), 'INT');
  Check((FoxCeiling(3.2) = 4) and (FoxCeiling(-3.2) = -3), 'CEILING');
  Check((FoxFloor(3.7) = 3) and (FoxFloor(-3.2) = -4), 'FLOOR');
  SameNumber(FoxRound(2.5, 0), 3, 'ROUND half away from zero');
  SameNumber(FoxRound(-2.5, 0), -3, 'ROUND of a negative half');
  SameNumber(FoxRound(1234.5678, 2), 1234.57, 'ROUND to places');
  SameNumber(FoxRound(1250, -2), 1300, 'ROUND to hundreds');
  SameNumber(FoxAbs(-2), 2, 'ABS');
  Check((FoxSign(-5) = -1) and (FoxSign(0) = 0) and (FoxSign(2) = 1), 'SIGN');
  SameNumber(FoxSqrt(16), 4, 'SQRT');
  Fails('SQRT(-1)', RootOfNegative);
  Check((FoxRGB(255, 0, 0) = 255) and (FoxRGB(0, 0, 255) = 16711680), 'RGB');
end;

procedure TestDates;
var
  D: TDateTime;
begin
  D := EncodeDate(2024, 3, 5);
  Check(FoxDate = Date, 'DATE');
  Check((Length(FoxTime) = 8) and (FoxTime[3] = ':') and (FoxTime[6] = ':'), 'TIME');
  Same(FoxDToC(D), '03/05/24', 'DTOC, SET DATE AMERICAN');
  Same(FoxDToC(FoxNoDate), '  /  /  ', 'DTOC of the empty date');
  FoxSetCentury := True;
  Same(FoxDToC(D), '03/05/2024', 'DTOC, SET CENTURY ON');
  FoxSetDate := 'BRITISH';
  Same(FoxDToC(D), '05/03/2024', 'DTOC, SET DATE BRITISH');
  Check(FoxCToD('05/03/2024') = D, 'CTOD, SET DATE BRITISH');
  FoxSetDate := 'ANSI';
  Same(FoxDToC(D), '2024.03.05', 'DTOC, SET DATE ANSI');
  FoxSetDate := 'AMERICAN';
  FoxSetCentury := False;
  Same(FoxDToS(D), '20240305', 'DTOS');
  Check(FoxCToD('03/05/24') = EncodeDate(1924, 3, 5), 'CTOD of a two-digit year');
  Check(FoxCToD('02/30/2024') = FoxNoDate, 'CTOD of no date');
  Check((FoxYear(D) = 2024) and (FoxMonth(D) = 3) and (FoxDay(D) = 5), 'YEAR, MONTH, DAY');
end;

procedure TestDialogs;
begin
  Check(FoxMessageBox('Go on?') = 1, 'MESSAGEBOX answers OK');
  Check(FoxMessageBox('Save?', 4) = 6, 'MESSAGEBOX answers Yes');
  Check(FoxMessageBox('Save?', 4 + 256, 'Title') = 7, 'MESSAGEBOX answers its second button');
  FoxWaitWindow('Working', False, 0);
  FoxWaitWindow('Working', True, 1);
  FoxWaitClear;
end;

procedure TestObjects;
var
  Form: TForm;
  Box: TCheckBox;
  Edit: TEdit;
  Options: array[0..2] of TRadioButton;
  Items: TStringList;
  Events: TEvents;
  I: Integer;
begin
  Same(FoxCaption('\<OK'), '&OK', 'caption with an access key');
  Same(FoxCaption('A & B'), 'A && B', 'caption with an ampersand');
  Same(FoxCaptionOf('&OK'), '\<OK', 'caption read with an access key');
  Same(FoxCaptionOf('A && B'), 'A & B', 'caption read with an ampersand');
  Form := TForm.CreateNew(nil);
  Events := TEvents.Create;
  try
    Box := TCheckBox.Create(Form);
    Box.Parent := Form;
    Box.OnClick := Events.Count;
    Box.OnChange := Events.Count;
    TestBox := Box;
    Edit := TEdit.Create(Form);
    Edit.Parent := Form;
    Edit.OnChange := Events.Count;
    FoxSetText(Edit, 'new');
    Check(Edit.Text = 'new', 'text set');
    FoxSetChecked(Box, True);
    Check(Box.Checked, 'check box checked');
    FoxSetCheckState(Box, 1);
    Check(Box.Checked and (FoxCheckState(Box) = 1), 'check box set to 1');
    FoxSetCheckState(Box, 2);
    Check(FoxCheckState(Box) = 2, 'check box set to 2, grayed');
    FoxSetCheckState(Box, 0);
    Check(not Box.Checked and (FoxCheckState(Box) = 0), 'check box set to 0');
    Fails('check box set to 3', CheckBoxToThree);
    for I := 0 to 2 do
    begin
      Options[I] := TRadioButton.Create(Form);
      Options[I].Parent := Form;
      Options[I].OnClick := Events.Count;
    end;
    FoxSetOptionValue(Options, 2);
    Check(Options[1].Checked and not Options[0].Checked and (FoxOptionValue(Options) = 2), 'option group set to 2');
    FoxSetOptionValue(Options, 0);
    Check(FoxOptionValue(Options) = 0, 'option group set to none');
    Check(Events.Fired = 0, 'values set by code fire no event of the user');
    FoxFontStyle(Box.Font, fsBold, True);
    Check(fsBold in Box.Font.Style, 'font made bold');
    FoxFontStyle(Box.Font, fsBold, False);
    Check(not (fsBold in Box.Font.Style), 'font made regular');
  finally
    Form.Free;
    Events.Free;
  end;
  Items := TStringList.Create;
  try
    Items.Add('one');
    Same(FoxListText(Items, 0) + '|' + FoxListText(Items, -1), 'one|', 'list value');
  finally
    Items.Free;
  end;
end;

function RectText(const R: TRect): string;
begin
  Result := Format('(%d, %d, %d, %d)', [R.Left, R.Top, R.Right, R.Bottom]);
end;

procedure SameRect(const Got, Expected: TRect; const What: string);
begin
  Same(RectText(Got), RectText(Expected), What);
end;

{ A control at (20, 10)-(60, 30) in a container of 200 x 100, grown to
  300 x 150 (half as large again) or shrunk to 100 x 50. }
procedure TestAnchoredBounds;
const
  Designed: TRect = (Left: 20; Top: 10; Right: 60; Bottom: 30);
  Anchors: array[0..11] of Integer = (0, 15, 8, 240, 32, 128, 256, 768, 130, 40, 65, 15);
  Widths: array[0..11] of Integer = (300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 100);
  Expected: array[0..11] of TRect = (
    (Left: 20; Top: 10; Right: 60; Bottom: 30),    { no anchor: stays }
    (Left: 20; Top: 10; Right: 160; Bottom: 80),   { every edge at its distance }
    (Left: 120; Top: 10; Right: 160; Bottom: 30),  { the right edge alone: moves, keeps its size }
    (Left: 30; Top: 15; Right: 90; Bottom: 45),    { every edge at its proportion }
    (Left: 30; Top: 10; Right: 70; Bottom: 30),    { the left edge at its proportion }
    (Left: 50; Top: 10; Right: 90; Bottom: 30),    { the right edge at its proportion }
    (Left: 40; Top: 10; Right: 80; Bottom: 30),    { centred across }
    (Left: 40; Top: 20; Right: 80; Bottom: 40),    { centred both ways }
    (Left: 20; Top: 10; Right: 90; Bottom: 30),    { left at its distance, right at its proportion }
    (Left: 30; Top: 10; Right: 160; Bottom: 30),   { left at its proportion, right at its distance }
    (Left: 20; Top: 10; Right: 60; Bottom: 45),    { top at its distance, bottom at its proportion }
    (Left: 20; Top: 10; Right: 20; Bottom: 10));   { shrunk past the control: no size, not less }
var
  I: Integer;
begin
  for I := 0 to High(Anchors) do
    SameRect(FoxAnchoredBounds(Anchors[I], Designed, 200, 100, Widths[I], Widths[I] div 2), Expected[I],
      'Anchor ' + IntToStr(Anchors[I]) + ' at ' + IntToStr(Widths[I]));
  SameRect(FoxAnchoredBounds(240, Designed, 0, 0, 300, 150), Designed, 'a container of no size places nothing');
end;

{ Anchor on a shown form: the controls stay where they were designed until
  their container is resized, and the container's own OnResize still runs. }
procedure TestAnchors;
var
  Form: TForm;
  Panel: TPanel;
  Edit: TEdit;
  Pages: TPageControl;
  Page: TTabSheet;
  Button: TButton;
  Events: TEvents;
  Gap: Integer;
begin
  Form := TForm.CreateNew(nil);
  Events := TEvents.Create;
  try
    Form.SetBounds(0, 0, 500, 400);
    Panel := TPanel.Create(Form);
    Panel.BevelOuter := bvNone;
    Panel.SetBounds(10, 10, 200, 100);
    Panel.Parent := Form;
    Panel.OnResize := Events.Count;
    Edit := TEdit.Create(Form);
    Edit.AutoSize := False;
    Edit.SetBounds(20, 10, 40, 20);
    Edit.Parent := Panel;
    Pages := TPageControl.Create(Form);
    Pages.SetBounds(10, 150, 300, 200);
    Pages.Parent := Form;
    Page := TTabSheet.Create(Form);
    Page.PageControl := Pages;
    Button := TButton.Create(Form);
    Button.SetBounds(150, 20, 80, 25);
    Button.Parent := Page;
    FoxAnchor(Edit, 240);
    FoxAnchor(Button, 8);
    Form.Show;
    Application.ProcessMessages;
    SameRect(Edit.BoundsRect, Rect(20, 10, 60, 30), 'anchored control as designed once shown');
    Gap := Page.ClientWidth - Button.Left;
    Panel.SetBounds(10, 10, 300, 150);
    Pages.Width := 400;
    Application.ProcessMessages;
    SameRect(Edit.BoundsRect, Rect(30, 15, 90, 45), 'anchored control in its resized container');
    Check(Events.Fired > 0, 'the container''s own OnResize runs');
    Check(Page.ClientWidth - Button.Left = Gap, 'a page''s control keeps its distance from the right');
    Edit.Free;
    Panel.Width := 250;
    Application.ProcessMessages;
    Check(Panel.Width = 250, 'a container resized after its anchored control was freed');
  finally
    Form.Free;
    Events.Free;
  end;
end;

procedure TestSettings;
var
  Form: TForm;
  Grid: TStringGrid;
  Memo: TMemo;
  Events: TCloseEvents;
begin
  Form := TForm.CreateNew(nil);
  Events := TCloseEvents.Create;
  try
    Grid := TStringGrid.Create(Form);
    Grid.Parent := Form;
    FoxScrollBars(Grid, 2);
    Check(Grid.ScrollBars = ssVertical, 'grid scroll bars down only');
    Memo := TMemo.Create(Form);
    Memo.Parent := Form;
    FoxBackStyle(Memo, 0);
    Check(Memo.ParentColor, 'transparent control takes its container''s color');
    Form.OnClose := Events.Closed;
    FoxClosable(Form, False);
    Form.Perform(LM_CLOSEQUERY, 0, 0);
    Check(Events.Fired = 0, 'the user does not close a form that is not Closable');
    FoxClosable(Form, True);
    Form.Perform(LM_CLOSEQUERY, 0, 0);
    Check(Events.Fired = 1, 'the user closes a Closable form');
  finally
    Form.Free;
    Events.Free;
  end;
end;

begin
  Application.Initialize;
  TestComparisons;
  TestOperators;
  TestIif;
  TestStrings;
  TestValues;
  TestNumbers;
  TestDates;
  TestDialogs;
  TestObjects;
  TestAnchoredBounds;
  TestAnchors;
  TestSettings;
  WriteLn('fox_runtime: ', Checks, ' checks, ', Failures, ' failed');
  if Failures > 0 then Halt(1);
end.
