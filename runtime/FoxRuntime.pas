unit FoxRuntime;

{ What the FoxPro code translated into a converted form's unit calls: FoxPro's
  functions with FoxPro's results, its operators where the types of their
  values are known only when the code runs (Variants), and its settings
  (SET EXACT, SET DATE, SET CENTURY), which start as FoxPro starts them and
  which a program sets as its FoxPro main program did. And what a converted
  form's Loaded calls: the settings of FoxPro's objects that Delphi's and the
  LCL's controls have no property for (Anchor in proportion, a grid's scroll
  bars, a form the user may not close).

  A FoxPro error becomes an EFoxError with FoxPro's message. Strings count
  characters, as FoxPro does with a single-byte code page. Dates are
  TDateTime values of whole days; 0 (FoxNoDate) is FoxPro's empty date.

  Dialogs: MESSAGEBOX and WAIT WINDOW show and wait as FoxPro does, unless the
  environment variable FOXRUNTIME_UNATTENDED is set (a program run by a test,
  with no one to answer): then they write their text to the standard error
  output, wait for nothing, and MESSAGEBOX gives its default button. So does
  the dialog of an error the program leaves to the application: FoxPro's
  code fails as FoxPro's does where it runs without what its callers set. }

{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}

interface

uses
  SysUtils, Classes, Types, Variants, Math, Graphics, Controls, StdCtrls, ExtCtrls, Forms, Grids;

type
  EFoxError = class(Exception);

const
  FoxNoDate = 0;

var
  { SET EXACT ON: "=" between strings ignores trailing blanks and needs both
    whole; OFF (FoxPro's start): the right one need only begin the left one. }
  FoxSetExact: Boolean = False;
  { SET DATE: AMERICAN (FoxPro's start), ANSI, BRITISH, FRENCH, GERMAN,
    ITALIAN, JAPAN, TAIWAN, USA, MDY, DMY, YMD. }
  FoxSetDate: string = 'AMERICAN';
  { SET CENTURY ON: years of four digits; OFF (FoxPro's start): of two. }
  FoxSetCentury: Boolean = False;

{ Values of the wrong type fail as FoxPro fails. }
function FoxAsString(const V: Variant): string;
function FoxAsNumber(const V: Variant): Double;
function FoxAsLogical(const V: Variant): Boolean;
function FoxAsDate(const V: Variant): TDateTime;

{ Operators. }
function FoxStrEq(const A, B: string): Boolean;
function FoxEqual(const A, B: Variant): Boolean;
function FoxExactEqual(const A, B: Variant): Boolean;
function FoxContains(const A, B: string): Boolean;
function FoxTrimConcat(const A, B: string): string;
function FoxAdd(const A, B: Variant): Variant;
function FoxSubtract(const A, B: Variant): Variant;
function FoxMultiply(const A, B: Variant): Variant;
function FoxDivide(const A, B: Variant): Variant;
function FoxNegate(const V: Variant): Variant;
function FoxMod(A, B: Double): Double;
function FoxPower(A, B: Double): Double;
function FoxDateAdd(D: TDateTime; Days: Double): TDateTime;
function FoxDaysBetween(A, B: TDateTime): Int64;

{ IIF, whose values are both evaluated: the translation uses it only where
  evaluating the other one can neither fail nor change anything. }
function FoxIifStr(C: Boolean; const A, B: string): string;
function FoxIifInt(C: Boolean; A, B: Int64): Int64;
function FoxIifNum(C: Boolean; A, B: Double): Double;
function FoxIifBool(C: Boolean; A, B: Boolean): Boolean;
function FoxIifDate(C: Boolean; A, B: TDateTime): TDateTime;
function FoxIifVar(C: Boolean; const A, B: Variant): Variant;

{ Strings. }
function FoxAllTrim(const S: string): string;
function FoxLTrim(const S: string): string;
function FoxRTrim(const S: string): string;
function FoxUpper(const S: string): string;
function FoxLower(const S: string): string;
function FoxSubStr(const S: string; Start: Double): string; overload;
function FoxSubStr(const S: string; Start, Count: Double): string; overload;
function FoxLeft(const S: string; Count: Double): string;
function FoxRight(const S: string; Count: Double): string;
function FoxLen(const S: string): Int64;
function FoxAt(const Search, S: string; Occurrence: Double = 1): Int64;
function FoxAtC(const Search, S: string; Occurrence: Double = 1): Int64;
function FoxStrTran(const S, Search: string; const Replacement: string = ''): string;
function FoxStr(N: Double; Len: Double = 10; Decimals: Double = 0): string;
function FoxVal(const S: string): Double;
function FoxPadL(const S: string; Len: Double; const Fill: string = ' '): string;
function FoxPadR(const S: string; Len: Double; const Fill: string = ' '): string;
function FoxPadC(const S: string; Len: Double; const Fill: string = ' '): string;
function FoxSpace(Count: Double): string;
function FoxReplicate(const S: string; Count: Double): string;
function FoxTransform(const V: Variant): string;

{ Values. }
function FoxEmpty(const V: Variant): Boolean;
function FoxIsNull(const V: Variant): Boolean;
function FoxNvl(const V, Replacement: Variant): Variant;
function FoxVarType(const V: Variant): string;
function FoxBetween(X, Low, High: Double): Boolean;
function FoxInList(const X: Variant; const Values: array of Variant): Boolean;

{ Numbers. }
function FoxMax(const Values: array of Double): Double;
function FoxMin(const Values: array of Double): Double;
function FoxInt(N: Double): Int64;
function FoxCeiling(N: Double): Int64;
function FoxFloor(N: Double): Int64;
function FoxRound(N, Decimals: Double): Double;
function FoxAbs(N: Double): Double;
function FoxSign(N: Double): Int64;
function FoxSqrt(N: Double): Double;
function FoxRGB(R, G, B: Double): Int64;

{ Dates. }
function FoxDate: TDateTime;
function FoxTime: string;
function FoxDToC(D: TDateTime): string;
function FoxDToS(D: TDateTime): string;
function FoxCToD(const S: string): TDateTime;
function FoxYear(D: TDateTime): Int64;
function FoxMonth(D: TDateTime): Int64;
function FoxDay(D: TDateTime): Int64;

{ Dialogs. }
function FoxMessageBox(const Text: string; Kind: Double = 0; const Title: string = ''): Int64;
procedure FoxWaitWindow(const Text: string; NoWait: Boolean; Timeout: Double);
procedure FoxWaitClear;

{ Objects of the form. A caption in FoxPro marks its access key with \<,
  a Delphi caption with &. }
function FoxCaption(const S: string): string;
function FoxCaptionOf(const S: string): string;
procedure FoxFontStyle(Font: TFont; Style: TFontStyle; Enable: Boolean);
{ Code that sets a value fires none of the events a user's change fires
  (InteractiveChange, a check box's Click): the setters hold the handlers
  back while they set it. }
procedure FoxSetText(Control: TCustomEdit; const Value: string);
procedure FoxSetChecked(Box: TCheckBox; Value: Boolean);
function FoxCheckState(Box: TCheckBox): Int64;
procedure FoxSetCheckState(Box: TCheckBox; Value: Int64);
function FoxOptionValue(const Buttons: array of TRadioButton): Int64;
procedure FoxSetOptionValue(const Buttons: array of TRadioButton; Value: Int64);
function FoxListText(Items: TStrings; Index: Integer): string;
procedure FoxSetFocus(Control: TWinControl);
procedure FoxRelease(Form: TForm);

{ FoxPro's memory variables. PUBLIC ones live until the program ends. PRIVATE
  ones, and those code sets without declaring them, belong to the method that
  made them: the methods it calls see them, and they go when it returns. A
  translated method that makes them opens a scope (FoxEnterScope gives the mark
  that its FoxLeaveScope goes back to). A name is looked up from the newest
  variable down, then among the public ones; PRIVATE hides a caller's variable
  of its name until the method sets its own. }
function FoxEnterScope: Integer;
procedure FoxLeaveScope(Mark: Integer);
procedure FoxPrivate(const Names: array of string);
procedure FoxPublic(const Names: array of string);
{ A name read without m.: a field of the table Form has selected comes first,
  as in FoxPro. }
function FoxVar(Form: TComponent; const Name: string): Variant;
{ m.Name: a variable only. }
function FoxMemVar(const Name: string): Variant;
{ Name = Value: the variable the name finds, or a new one of the method's. }
procedure FoxSetVar(const Name: string; const Value: Variant);

var
  { The value of field Name of the table Form has selected, where it has one
    of that name; the data unit sets it. }
  FoxFieldValue: function(Form: TComponent; const Name: string; out Value: Variant): Boolean = nil;

{ FoxPro's settings that neither Delphi nor the LCL has a property for, with
  FoxPro's values; a converted form's Loaded makes them.
  Anchor: the edges a control keeps at their distance (1 top, 2 left,
  4 bottom, 8 right) or at their proportion (16, 32, 64, 128) of its
  container, or its centre at its proportion with its size (256 across, 512
  down), as the container is resized. The control and its container have the
  sizes they were designed with. }
procedure FoxAnchor(Control: TControl; Anchor: Integer);
{ The bounds Anchor gives a control whose bounds were Designed in a container
  whose inside measured DesignedWidth x DesignedHeight, now Width x Height:
  an edge held neither way follows the control's other edge, and a control
  held on neither side of a direction stays where it is in it. }
function FoxAnchoredBounds(Anchor: Integer; const Designed: TRect;
  DesignedWidth, DesignedHeight, Width, Height: Integer): TRect;
{ A grid's ScrollBars: 0 none, 1 across, 2 down, 3 both. }
procedure FoxScrollBars(Grid: TCustomGrid; ScrollBars: Integer);
{ BackStyle 0, transparent: the control shows its container's color. }
procedure FoxBackStyle(Control: TControl; BackStyle: Integer);
{ A form that is not Closable cannot be closed by the user (the title bar's
  button, Alt+F4, the window menu); Release and ModalResult close it. }
procedure FoxClosable(Form: TCustomForm; Closable: Boolean);

implementation

uses
{$IFDEF FPC}
  LazUTF8, LMessages,
{$ELSE}
  Messages,
{$ENDIF}
  ComCtrls;

const
  SInvalidArgument = 'Function argument value, type, or count is invalid.';
  SMismatch = 'Operator/operand type mismatch.';
  SDataType = 'Data type mismatch.';

{ Characters, not bytes: UTF-8 in the LCL, UTF-16 in Delphi. }

function CharCount(const S: string): Integer;
begin
{$IFDEF FPC}
  Result := UTF8Length(S);
{$ELSE}
  Result := Length(S);
{$ENDIF}
end;

function CharCopy(const S: string; Start, Count: Integer): string;
begin
{$IFDEF FPC}
  Result := UTF8Copy(S, Start, Count);
{$ELSE}
  Result := Copy(S, Start, Count);
{$ENDIF}
end;

function CharPos(const Search, S: string; From: Integer): Integer;
begin
{$IFDEF FPC}
  Result := UTF8Pos(Search, S, From);
{$ELSE}
  Result := Pos(Search, S, From);
{$ENDIF}
end;

{ A count FoxPro gives as a number: its whole part, within 0 and MaxInt. }
function CountOf(N: Double): Integer;
begin
  if N <= 0 then Result := 0
  else if N >= MaxInt then Result := MaxInt
  else Result := Trunc(N);
end;

{ The standard error output, where a GUI program may have none. }
procedure Report(const Line: string);
begin
{$I-}
  WriteLn(ErrOutput, Line);
{$I+}
  // Where there is none, the line is lost and nothing more.
  InOutRes := 0;
end;

function Fail(const Message: string): EFoxError;
begin
  Result := EFoxError.Create(Message);
end;

function IsDateValue(const V: Variant): Boolean;
begin
  Result := VarType(V) = varDate;
end;

function IsLogicalValue(const V: Variant): Boolean;
begin
  Result := VarType(V) = varBoolean;
end;

function IsNumberValue(const V: Variant): Boolean;
begin
  Result := VarIsNumeric(V) and not IsLogicalValue(V);
end;

function IsStringValue(const V: Variant): Boolean;
begin
  Result := VarIsStr(V);
end;

{ Conversions }

function FoxAsString(const V: Variant): string;
begin
  if not IsStringValue(V) then raise Fail(SDataType);
  Result := V;
end;

function FoxAsNumber(const V: Variant): Double;
begin
  if not IsNumberValue(V) then raise Fail(SDataType);
  Result := V;
end;

function FoxAsLogical(const V: Variant): Boolean;
begin
  if not IsLogicalValue(V) then raise Fail(SDataType);
  Result := V;
end;

function FoxAsDate(const V: Variant): TDateTime;
begin
  if not IsDateValue(V) then raise Fail(SDataType);
  Result := VarToDateTime(V);
end;

{ Operators }

function TrimBlanksRight(const S: string): string;
var
  Last: Integer;
begin
  Last := Length(S);
  while (Last > 0) and (S[Last] = ' ') do Dec(Last);
  Result := Copy(S, 1, Last);
end;

function FoxStrEq(const A, B: string): Boolean;
begin
  if FoxSetExact then
    Result := TrimBlanksRight(A) = TrimBlanksRight(B)
  else
    Result := (Length(B) <= Length(A)) and (Copy(A, 1, Length(B)) = B);
end;

function SameKind(const A, B: Variant): Boolean;
begin
  Result := (IsStringValue(A) and IsStringValue(B)) or (IsNumberValue(A) and IsNumberValue(B)) or
    (IsLogicalValue(A) and IsLogicalValue(B)) or (IsDateValue(A) and IsDateValue(B));
end;

function FoxEqual(const A, B: Variant): Boolean;
begin
  if not SameKind(A, B) then raise Fail(SMismatch);
  if IsStringValue(A) then Result := FoxStrEq(VarToStr(A), VarToStr(B))
  else Result := A = B;
end;

function FoxExactEqual(const A, B: Variant): Boolean;
begin
  if not SameKind(A, B) then raise Fail(SMismatch);
  if IsStringValue(A) then Result := VarToStr(A) = VarToStr(B)
  else Result := A = B;
end;

function FoxContains(const A, B: string): Boolean;
begin
  Result := (A <> '') and (Pos(A, B) > 0);
end;

{ FoxPro's "-" between strings: the first one's trailing blanks go to the end. }
function FoxTrimConcat(const A, B: string): string;
var
  Trimmed: string;
begin
  Trimmed := TrimBlanksRight(A);
  Result := Trimmed + B + StringOfChar(' ', Length(A) - Length(Trimmed));
end;

function FoxAdd(const A, B: Variant): Variant;
begin
  if IsStringValue(A) and IsStringValue(B) then Result := VarToStr(A) + VarToStr(B)
  else if IsNumberValue(A) and IsNumberValue(B) then Result := A + B
  else if IsDateValue(A) and IsNumberValue(B) then Result := VarFromDateTime(FoxDateAdd(VarToDateTime(A), B))
  else if IsNumberValue(A) and IsDateValue(B) then Result := VarFromDateTime(FoxDateAdd(VarToDateTime(B), A))
  else raise Fail(SMismatch);
end;

function FoxSubtract(const A, B: Variant): Variant;
begin
  if IsStringValue(A) and IsStringValue(B) then Result := FoxTrimConcat(VarToStr(A), VarToStr(B))
  else if IsNumberValue(A) and IsNumberValue(B) then Result := A - B
  else if IsDateValue(A) and IsNumberValue(B) then Result := VarFromDateTime(FoxDateAdd(VarToDateTime(A), -B))
  else if IsDateValue(A) and IsDateValue(B) then Result := FoxDaysBetween(VarToDateTime(A), VarToDateTime(B))
  else raise Fail(SMismatch);
end;

function FoxMultiply(const A, B: Variant): Variant;
begin
  if not (IsNumberValue(A) and IsNumberValue(B)) then raise Fail(SMismatch);
  Result := A * B;
end;

function FoxDivide(const A, B: Variant): Variant;
begin
  if not (IsNumberValue(A) and IsNumberValue(B)) then raise Fail(SMismatch);
  if B = 0 then raise Fail('Division by 0.');
  Result := Double(A) / Double(B);
end;

function FoxNegate(const V: Variant): Variant;
begin
  if not IsNumberValue(V) then raise Fail(SMismatch);
  Result := -V;
end;

{ Memory variables }

type
  TFoxVariable = record
    Name: string;
    Value: Variant;
    Level: Integer;  { the scope that made it }
    Made: Boolean;   { False: declared PRIVATE and not set yet }
  end;
  PFoxVariable = ^TFoxVariable;

var
  Privates: array of TFoxVariable;
  PrivateCount: Integer = 0;
  ScopeLevel: Integer = 0;
  Publics: array of TFoxVariable;

function NotFound(const Name: string): EFoxError;
begin
  Result := Fail('Variable ''' + UpperCase(Name) + ''' is not found.');
end;

function FindPrivate(const Name: string): Integer;
begin
  Result := PrivateCount - 1;
  while (Result >= 0) and not SameText(Privates[Result].Name, Name) do Dec(Result);
end;

function FindPublic(const Name: string): Integer;
begin
  Result := High(Publics);
  while (Result >= 0) and not SameText(Publics[Result].Name, Name) do Dec(Result);
end;

procedure AddPrivate(const Name: string; const Value: Variant; Made: Boolean);
begin
  if PrivateCount = Length(Privates) then SetLength(Privates, 2 * PrivateCount + 8);
  Privates[PrivateCount].Name := Name;
  Privates[PrivateCount].Value := Value;
  Privates[PrivateCount].Level := ScopeLevel;
  Privates[PrivateCount].Made := Made;
  Inc(PrivateCount);
end;

function FoxEnterScope: Integer;
begin
  Inc(ScopeLevel);
  Result := PrivateCount;
end;

procedure FoxLeaveScope(Mark: Integer);
var
  i: Integer;
begin
  for i := Mark to PrivateCount - 1 do Privates[i].Value := Unassigned;
  PrivateCount := Mark;
  Dec(ScopeLevel);
end;

procedure FoxPrivate(const Names: array of string);
var
  i, Found: Integer;
begin
  for i := Low(Names) to High(Names) do
  begin
    Found := FindPrivate(Names[i]);
    if (Found < 0) or (Privates[Found].Level <> ScopeLevel) then AddPrivate(Names[i], Unassigned, False);
  end;
end;

procedure FoxPublic(const Names: array of string);
var
  i: Integer;
begin
  for i := Low(Names) to High(Names) do
    if FindPublic(Names[i]) < 0 then
    begin
      SetLength(Publics, Length(Publics) + 1);
      Publics[High(Publics)].Name := Names[i];
      Publics[High(Publics)].Value := False;
      Publics[High(Publics)].Made := True;
    end;
end;

{ The variable a name finds: the newest private one, else the public one;
  nil for none. Valid until the next variable is made. }
function FindVariable(const Name: string): PFoxVariable;
var
  Found: Integer;
begin
  Found := FindPrivate(Name);
  if Found >= 0 then Exit(@Privates[Found]);
  Found := FindPublic(Name);
  if Found >= 0 then Exit(@Publics[Found]);
  Result := nil;
end;

function FoxMemVar(const Name: string): Variant;
var
  Variable: PFoxVariable;
begin
  Variable := FindVariable(Name);
  if (Variable = nil) or not Variable^.Made then raise NotFound(Name);
  Result := Variable^.Value;
end;

function FoxVar(Form: TComponent; const Name: string): Variant;
begin
  if Assigned(FoxFieldValue) and FoxFieldValue(Form, Name, Result) then Exit;
  Result := FoxMemVar(Name);
end;

procedure FoxSetVar(const Name: string; const Value: Variant);
var
  Variable: PFoxVariable;
begin
  Variable := FindVariable(Name);
  if Variable = nil then
  begin
    AddPrivate(Name, Value, True);
    Exit;
  end;
  Variable^.Value := Value;
  Variable^.Made := True;
end;

{ MOD's result takes the divisor's sign. }
function FoxMod(A, B: Double): Double;
begin
  if B = 0 then raise Fail('Division by 0.');
  Result := A - B * Floor(A / B);
end;

function FoxPower(A, B: Double): Double;
begin
  Result := Power(A, B);
end;

function FoxDateAdd(D: TDateTime; Days: Double): TDateTime;
begin
  Result := D + Int(Days);
end;

function FoxDaysBetween(A, B: TDateTime): Int64;
begin
  Result := Round(Int(A) - Int(B));
end;

{ IIF }

function FoxIifStr(C: Boolean; const A, B: string): string;
begin
  if C then Result := A else Result := B;
end;

function FoxIifInt(C: Boolean; A, B: Int64): Int64;
begin
  if C then Result := A else Result := B;
end;

function FoxIifNum(C: Boolean; A, B: Double): Double;
begin
  if C then Result := A else Result := B;
end;

function FoxIifBool(C: Boolean; A, B: Boolean): Boolean;
begin
  if C then Result := A else Result := B;
end;

function FoxIifDate(C: Boolean; A, B: TDateTime): TDateTime;
begin
  if C then Result := A else Result := B;
end;

function FoxIifVar(C: Boolean; const A, B: Variant): Variant;
begin
  if C then Result := A else Result := B;
end;

{ Strings. FoxPro's trimming functions take blanks (spaces) only. }

function FoxAllTrim(const S: string): string;
begin
  Result := FoxLTrim(TrimBlanksRight(S));
end;

function FoxLTrim(const S: string): string;
var
  First: Integer;
begin
  First := 1;
  while (First <= Length(S)) and (S[First] = ' ') do Inc(First);
  Result := Copy(S, First, MaxInt);
end;

function FoxRTrim(const S: string): string;
begin
  Result := TrimBlanksRight(S);
end;

function FoxUpper(const S: string): string;
begin
{$IFDEF FPC}
  Result := UTF8UpperCase(S);
{$ELSE}
  Result := AnsiUpperCase(S);
{$ENDIF}
end;

function FoxLower(const S: string): string;
begin
{$IFDEF FPC}
  Result := UTF8LowerCase(S);
{$ELSE}
  Result := AnsiLowerCase(S);
{$ENDIF}
end;

function FoxSubStr(const S: string; Start: Double): string;
begin
  Result := FoxSubStr(S, Start, CharCount(S));
end;

function FoxSubStr(const S: string; Start, Count: Double): string;
begin
  if (Start < 1) or (Count < 0) then raise Fail(SInvalidArgument);
  Result := CharCopy(S, CountOf(Start), CountOf(Count));
end;

function FoxLeft(const S: string; Count: Double): string;
begin
  Result := CharCopy(S, 1, CountOf(Count));
end;

function FoxRight(const S: string; Count: Double): string;
var
  Total, Wanted: Integer;
begin
  Total := CharCount(S);
  Wanted := CountOf(Count);
  if Wanted >= Total then Result := S
  else Result := CharCopy(S, Total - Wanted + 1, Wanted);
end;

function FoxLen(const S: string): Int64;
begin
  Result := CharCount(S);
end;

function FoxAt(const Search, S: string; Occurrence: Double = 1): Int64;
var
  Found, Need: Integer;
begin
  Result := 0;
  Need := CountOf(Occurrence);
  if (Search = '') or (Need < 1) then Exit;
  Found := 0;
  repeat
    Found := CharPos(Search, S, Found + 1);
    Dec(Need);
  until (Found = 0) or (Need = 0);
  Result := Found;
end;

function FoxAtC(const Search, S: string; Occurrence: Double = 1): Int64;
begin
  Result := FoxAt(FoxUpper(Search), FoxUpper(S), Occurrence);
end;

function FoxStrTran(const S, Search: string; const Replacement: string = ''): string;
begin
  if Search = '' then Result := S
  else Result := StringReplace(S, Search, Replacement, [rfReplaceAll]);
end;

{ N rounded half away from zero to Decimals places, as digits. }
function FixedDigits(N: Double; Decimals: Integer): string;
var
  Scaled: Double;
  Whole: Int64;
  Digits: string;
begin
  Scaled := Abs(N) * IntPower(10, Decimals);
  Whole := Trunc(Scaled + 0.5 + Scaled * 1E-15);
  Digits := IntToStr(Whole);
  if Decimals > 0 then
  begin
    while Length(Digits) <= Decimals do Digits := '0' + Digits;
    Digits := Copy(Digits, 1, Length(Digits) - Decimals) + '.' + Copy(Digits, Length(Digits) - Decimals + 1, Decimals);
  end;
  if (N < 0) and (Whole <> 0) then Digits := '-' + Digits;
  Result := Digits;
end;

{ STR: right-aligned in Len characters (10 when not given), rounded to
  Decimals places (none when not given), with fewer places where they do
  not fit, and asterisks where the whole part does not. }
function FoxStr(N: Double; Len: Double = 10; Decimals: Double = 0): string;
var
  Width, Places: Integer;
begin
  if (Len < 1) or (Len >= 256) then raise Fail(SInvalidArgument);
  Width := CountOf(Len);
  Places := CountOf(Decimals);
  if Places > 18 then Places := 18;
  if Abs(N) >= 1E18 then
  begin
    Result := StringOfChar('*', Width);
    Exit;
  end;
  Result := FixedDigits(N, Places);
  while (Length(Result) > Width) and (Places > 0) do
  begin
    Dec(Places);
    Result := FixedDigits(N, Places);
  end;
  if Length(Result) > Width then Result := StringOfChar('*', Width)
  else Result := StringOfChar(' ', Width - Length(Result)) + Result;
end;

{ VAL reads blanks, a sign, digits, a point and digits, an exponent, and
  stops at the first character that is none of them. }
function FoxVal(const S: string): Double;
var
  At, Sign, Exponent, ExponentSign: Integer;
  Scale: Double;
begin
  At := 1;
  while (At <= Length(S)) and (S[At] = ' ') do Inc(At);
  Sign := 1;
  if (At <= Length(S)) and ((S[At] = '-') or (S[At] = '+')) then
  begin
    if S[At] = '-' then Sign := -1;
    Inc(At);
  end;
  Result := 0;
  while (At <= Length(S)) and (S[At] >= '0') and (S[At] <= '9') do
  begin
    Result := Result * 10 + (Ord(S[At]) - Ord('0'));
    Inc(At);
  end;
  if (At <= Length(S)) and (S[At] = '.') then
  begin
    Inc(At);
    Scale := 0.1;
    while (At <= Length(S)) and (S[At] >= '0') and (S[At] <= '9') do
    begin
      Result := Result + (Ord(S[At]) - Ord('0')) * Scale;
      Scale := Scale / 10;
      Inc(At);
    end;
  end;
  if (At < Length(S)) and ((S[At] = 'E') or (S[At] = 'e')) then
  begin
    Inc(At);
    ExponentSign := 1;
    if (At <= Length(S)) and ((S[At] = '-') or (S[At] = '+')) then
    begin
      if S[At] = '-' then ExponentSign := -1;
      Inc(At);
    end;
    Exponent := 0;
    while (At <= Length(S)) and (S[At] >= '0') and (S[At] <= '9') do
    begin
      Exponent := Exponent * 10 + (Ord(S[At]) - Ord('0'));
      Inc(At);
    end;
    Result := Result * Power(10, ExponentSign * Exponent);
  end;
  Result := Sign * Result;
end;

{ The PAD functions fill with the first character of Fill and cut a longer
  string to its first Len characters. }
function Padded(const S: string; Len: Double; const Fill: string; Side: Integer): string;
var
  Width, Missing: Integer;
  Filler: string;
begin
  Width := CountOf(Len);
  if CharCount(S) >= Width then
  begin
    Result := CharCopy(S, 1, Width);
    Exit;
  end;
  Filler := ' ';
  if Fill <> '' then Filler := CharCopy(Fill, 1, 1);
  Missing := Width - CharCount(S);
  case Side of
    0: Result := FoxReplicate(Filler, Missing) + S;
    1: Result := S + FoxReplicate(Filler, Missing);
  else
    Result := FoxReplicate(Filler, Missing div 2) + S + FoxReplicate(Filler, Missing - Missing div 2);
  end;
end;

function FoxPadL(const S: string; Len: Double; const Fill: string = ' '): string;
begin
  Result := Padded(S, Len, Fill, 0);
end;

function FoxPadR(const S: string; Len: Double; const Fill: string = ' '): string;
begin
  Result := Padded(S, Len, Fill, 1);
end;

function FoxPadC(const S: string; Len: Double; const Fill: string = ' '): string;
begin
  Result := Padded(S, Len, Fill, 2);
end;

function FoxSpace(Count: Double): string;
begin
  Result := FoxReplicate(' ', Count);
end;

function FoxReplicate(const S: string; Count: Double): string;
var
  I: Integer;
begin
  if Count < 0 then raise Fail(SInvalidArgument);
  Result := '';
  for I := 1 to CountOf(Count) do Result := Result + S;
end;

{ TRANSFORM without a picture, of the values whose text is certain. }
function FoxTransform(const V: Variant): string;
begin
  if IsStringValue(V) then Result := VarToStr(V)
  else if IsLogicalValue(V) then
  begin
    if V then Result := '.T.' else Result := '.F.';
  end
  else if IsDateValue(V) then Result := FoxDToC(VarToDateTime(V))
  else if IsNumberValue(V) and (Frac(Double(V)) = 0) then Result := FixedDigits(V, 0)
  else raise Fail(SInvalidArgument);
end;

{ Values }

function FoxEmpty(const V: Variant): Boolean;
var
  Text: string;
  I: Integer;
begin
  if VarIsNull(V) then Result := False
  else if IsStringValue(V) then
  begin
    Text := VarToStr(V);
    Result := True;
    for I := 1 to Length(Text) do
      if not CharInSet(Text[I], [' ', #9, #10, #13]) then Result := False;
  end
  else if IsLogicalValue(V) then Result := not Boolean(V)
  else if IsDateValue(V) then Result := VarToDateTime(V) = FoxNoDate
  else if IsNumberValue(V) then Result := Double(V) = 0
  else Result := VarIsEmpty(V);
end;

function FoxIsNull(const V: Variant): Boolean;
begin
  Result := VarIsNull(V);
end;

function FoxNvl(const V, Replacement: Variant): Variant;
begin
  if VarIsNull(V) then Result := Replacement else Result := V;
end;

function FoxVarType(const V: Variant): string;
begin
  if VarIsNull(V) then Result := 'X'
  else if IsStringValue(V) then Result := 'C'
  else if IsLogicalValue(V) then Result := 'L'
  else if IsDateValue(V) then Result := 'D'
  else if IsNumberValue(V) then Result := 'N'
  else Result := 'U';
end;

function FoxBetween(X, Low, High: Double): Boolean;
begin
  Result := (X >= Low) and (X <= High);
end;

function FoxInList(const X: Variant; const Values: array of Variant): Boolean;
var
  I: Integer;
begin
  Result := False;
  for I := Low(Values) to High(Values) do
    if FoxEqual(X, Values[I]) then
    begin
      Result := True;
      Exit;
    end;
end;

{ Numbers }

function FoxMax(const Values: array of Double): Double;
var
  I: Integer;
begin
  Result := Values[Low(Values)];
  for I := Low(Values) + 1 to High(Values) do
    if Values[I] > Result then Result := Values[I];
end;

function FoxMin(const Values: array of Double): Double;
var
  I: Integer;
begin
  Result := Values[Low(Values)];
  for I := Low(Values) + 1 to High(Values) do
    if Values[I] < Result then Result := Values[I];
end;

function FoxInt(N: Double): Int64;
begin
  Result := Trunc(N);
end;

function FoxCeiling(N: Double): Int64;
begin
  Result := Ceil(N);
end;

function FoxFloor(N: Double): Int64;
begin
  Result := Floor(N);
end;

{ Half away from zero; a negative number of places rounds to tens, hundreds. }
function FoxRound(N, Decimals: Double): Double;
var
  Scale: Double;
begin
  Scale := IntPower(10, Trunc(Decimals));
  Result := Int(Abs(N) * Scale + 0.5 + Abs(N) * Scale * 1E-15) / Scale;
  if N < 0 then Result := -Result;
end;

function FoxAbs(N: Double): Double;
begin
  Result := Abs(N);
end;

function FoxSign(N: Double): Int64;
begin
  Result := Sign(N);
end;

function FoxSqrt(N: Double): Double;
begin
  if N < 0 then raise Fail(SInvalidArgument);
  Result := Sqrt(N);
end;

function FoxRGB(R, G, B: Double): Int64;
begin
  if (R < 0) or (R > 255) or (G < 0) or (G > 255) or (B < 0) or (B > 255) then raise Fail(SInvalidArgument);
  Result := Trunc(R) + Trunc(G) * 256 + Trunc(B) * 65536;
end;

{ Dates }

function FoxDate: TDateTime;
begin
  Result := Date;
end;

function FoxTime: string;
begin
  Result := FormatDateTime('hh":"nn":"ss', Now);
end;

{ The order of day, month and year and their separator that SET DATE gives. }
procedure DateLayout(out Order, Separator: string);
var
  Setting: string;
begin
  Setting := UpperCase(FoxSetDate);
  if (Setting = 'ANSI') then begin Order := 'YMD'; Separator := '.'; end
  else if (Setting = 'BRITISH') or (Setting = 'FRENCH') or (Setting = 'DMY') then begin Order := 'DMY'; Separator := '/'; end
  else if Setting = 'GERMAN' then begin Order := 'DMY'; Separator := '.'; end
  else if Setting = 'ITALIAN' then begin Order := 'DMY'; Separator := '-'; end
  else if (Setting = 'JAPAN') or (Setting = 'TAIWAN') or (Setting = 'YMD') then begin Order := 'YMD'; Separator := '/'; end
  else if Setting = 'USA' then begin Order := 'MDY'; Separator := '-'; end
  else begin Order := 'MDY'; Separator := '/'; end;
end;

function FoxDToC(D: TDateTime): string;
var
  Order, Separator, Part: string;
  Year, Month, Day: Word;
  I: Integer;
begin
  DateLayout(Order, Separator);
  DecodeDate(D, Year, Month, Day);
  Result := '';
  for I := 1 to 3 do
  begin
    case Order[I] of
      'Y':
        if FoxSetCentury then Part := Format('%.4d', [Year]) else Part := Format('%.2d', [Year mod 100]);
      'M': Part := Format('%.2d', [Month]);
    else
      Part := Format('%.2d', [Day]);
    end;
    if D = FoxNoDate then Part := StringOfChar(' ', Length(Part));
    if I > 1 then Result := Result + Separator;
    Result := Result + Part;
  end;
end;

function FoxDToS(D: TDateTime): string;
begin
  if D = FoxNoDate then Result := StringOfChar(' ', 8)
  else Result := FormatDateTime('yyyymmdd', D);
end;

{ CTOD reads the three numbers in SET DATE's order; a year of two digits is
  in the 1900s (FoxPro's SET CENTURY TO 19 ROLLOVER 0); what is no date gives
  the empty date. }
function FoxCToD(const S: string): TDateTime;
var
  Order: string;
  Separator: string;
  Numbers: array[1..3] of Integer;
  Digits: array[1..3] of Integer;
  Count, I, Year, Month, Day: Integer;
begin
  Result := FoxNoDate;
  DateLayout(Order, Separator);
  Count := 0;
  I := 1;
  while I <= Length(S) do
  begin
    if CharInSet(S[I], ['0'..'9']) then
    begin
      Inc(Count);
      if Count > 3 then Exit;
      Numbers[Count] := 0;
      Digits[Count] := 0;
      while (I <= Length(S)) and CharInSet(S[I], ['0'..'9']) do
      begin
        Numbers[Count] := Numbers[Count] * 10 + Ord(S[I]) - Ord('0');
        Inc(Digits[Count]);
        Inc(I);
      end;
    end
    else Inc(I);
  end;
  if Count <> 3 then Exit;
  Year := 0; Month := 0; Day := 0;
  for I := 1 to 3 do
    case Order[I] of
      'Y':
        begin
          Year := Numbers[I];
          if Digits[I] <= 2 then Year := Year + 1900;
        end;
      'M': Month := Numbers[I];
    else
      Day := Numbers[I];
    end;
  if (Year < 1) or (Month < 1) or (Month > 12) or (Day < 1) or (Day > MonthDays[IsLeapYear(Year)][Month]) then Exit;
  Result := EncodeDate(Year, Month, Day);
end;

function FoxYear(D: TDateTime): Int64;
var
  Year, Month, Day: Word;
begin
  if D = FoxNoDate then Exit(0);
  DecodeDate(D, Year, Month, Day);
  Result := Year;
end;

function FoxMonth(D: TDateTime): Int64;
var
  Year, Month, Day: Word;
begin
  if D = FoxNoDate then Exit(0);
  DecodeDate(D, Year, Month, Day);
  Result := Month;
end;

function FoxDay(D: TDateTime): Int64;
var
  Year, Month, Day: Word;
begin
  if D = FoxNoDate then Exit(0);
  DecodeDate(D, Year, Month, Day);
  Result := Day;
end;

{ Dialogs }

function Unattended: Boolean;
begin
  Result := GetEnvironmentVariable('FOXRUNTIME_UNATTENDED') <> '';
end;

{ The button a message box of Kind answers with by default: the first of its
  buttons, or the second or third as Kind's 256 and 512 say. }
function DefaultAnswer(Kind: Integer): Integer;
const
  Answers: array[0..5, 0..2] of Integer = ((1, 1, 1), (1, 2, 2), (3, 4, 5), (6, 7, 2), (6, 7, 7), (4, 2, 2));
var
  Buttons: Integer;
begin
  Buttons := Kind and 15;
  if Buttons > 5 then Buttons := 0;
  Result := Answers[Buttons, Min(2, (Kind shr 8) and 3)];
end;

function FoxMessageBox(const Text: string; Kind: Double = 0; const Title: string = ''): Int64;
var
  Caption: string;
begin
  Caption := Title;
  if Caption = '' then Caption := Application.Title;
  if Unattended then
  begin
    Report('MESSAGEBOX: ' + Caption + ': ' + Text);
    Result := DefaultAnswer(Trunc(Kind));
  end
  else
    Result := Application.MessageBox(PChar(Text), PChar(Caption), Trunc(Kind));
end;

type
  { WAIT WINDOW's window: a small text in the top right corner of the screen,
    gone at a key or a click where FoxPro waits, at the timeout, or at the
    next WAIT. }
  TFoxWaitWindow = class
  private
    FForm: TForm;
    FLabel: TLabel;
    FTimer: TTimer;
    FDone: Boolean;
    procedure Finish(Sender: TObject);
    procedure KeyFinish(Sender: TObject; var Key: Char);
  public
    constructor Create(const Text: string; Timeout: Double);
    destructor Destroy; override;
    procedure Wait;
  end;

var
  WaitWindow: TFoxWaitWindow = nil;

constructor TFoxWaitWindow.Create(const Text: string; Timeout: Double);
begin
  inherited Create;
  FForm := TForm.CreateNew(nil);
  FForm.BorderStyle := bsNone;
  FForm.FormStyle := fsStayOnTop;
  FForm.Color := clInfoBk;
  FForm.KeyPreview := True;
  FForm.OnKeyPress := KeyFinish;
  FForm.OnClick := Finish;
  FLabel := TLabel.Create(FForm);
  FLabel.Parent := FForm;
  FLabel.Caption := Text;
  FLabel.Left := 8;
  FLabel.Top := 4;
  FLabel.AutoSize := True;
  FLabel.OnClick := Finish;
  if Timeout > 0 then
  begin
    FTimer := TTimer.Create(FForm);
    FTimer.Interval := CountOf(Timeout * 1000) + 1;
    FTimer.OnTimer := Finish;
  end;
  FForm.Show;
  FForm.ClientWidth := FLabel.Width + 16;
  FForm.ClientHeight := FLabel.Height + 8;
  FForm.Left := Screen.Width - FForm.Width - 8;
  FForm.Top := 8;
end;

destructor TFoxWaitWindow.Destroy;
begin
  FForm.Free;
  inherited Destroy;
end;

procedure TFoxWaitWindow.Finish(Sender: TObject);
begin
  FDone := True;
  FForm.Hide;
  if FTimer <> nil then FTimer.Enabled := False;
end;

procedure TFoxWaitWindow.KeyFinish(Sender: TObject; var Key: Char);
begin
  Finish(Sender);
end;

procedure TFoxWaitWindow.Wait;
begin
  if FForm.CanFocus then FForm.SetFocus;
  while not FDone and not Application.Terminated do
  begin
    Application.ProcessMessages;
    Sleep(10);
  end;
end;

procedure FoxWaitWindow(const Text: string; NoWait: Boolean; Timeout: Double);
begin
  FoxWaitClear;
  if Unattended then
  begin
    Report('WAIT WINDOW: ' + Text);
    Exit;
  end;
  WaitWindow := TFoxWaitWindow.Create(Text, Timeout);
  if not NoWait then
  begin
    WaitWindow.Wait;
    FoxWaitClear;
  end;
end;

procedure FoxWaitClear;
begin
  FreeAndNil(WaitWindow);
end;

{ Objects of the form }

function FoxCaption(const S: string): string;
var
  Marker: Integer;
begin
  Result := StringReplace(S, '&', '&&', [rfReplaceAll]);
  Marker := Pos('\<', Result);
  if Marker > 0 then Result := Copy(Result, 1, Marker - 1) + '&' + Copy(Result, Marker + 2, MaxInt);
end;

function FoxCaptionOf(const S: string): string;
var
  I: Integer;
begin
  Result := '';
  I := 1;
  while I <= Length(S) do
  begin
    if (S[I] = '&') and (I < Length(S)) and (S[I + 1] = '&') then
    begin
      Result := Result + '&';
      Inc(I);
    end
    else if S[I] = '&' then Result := Result + '\<'
    else Result := Result + S[I];
    Inc(I);
  end;
end;

procedure FoxFontStyle(Font: TFont; Style: TFontStyle; Enable: Boolean);
begin
  if Enable then Font.Style := Font.Style + [Style] else Font.Style := Font.Style - [Style];
end;

type
  { Reach the OnChange that TCustomEdit keeps protected, the OnClick that
    TControl does, and the LCL's OnChange of check and option buttons. }
  TEditEvents = class(TCustomEdit);
  TControlEvents = class(TControl);
{$IFDEF FPC}
  TCheckEvents = class(TCustomCheckBox);
{$ENDIF}

procedure FoxSetText(Control: TCustomEdit; const Value: string);
var
  Handler: TNotifyEvent;
begin
  Handler := TEditEvents(Control).OnChange;
  TEditEvents(Control).OnChange := nil;
  try
    Control.Text := Value;
  finally
    TEditEvents(Control).OnChange := Handler;
  end;
end;

{ A check or option button's state, set without its OnClick (which Delphi
  fires when code changes it) and, in the LCL, its OnChange. }
procedure SetButtonState(Button: TButtonControl; Checked, Grayed: Boolean);
var
  Click: TNotifyEvent;
{$IFDEF FPC}
  Change: TNotifyEvent;
{$ENDIF}
begin
  Click := TControlEvents(Button).OnClick;
  TControlEvents(Button).OnClick := nil;
{$IFDEF FPC}
  Change := TCheckEvents(Button).OnChange;
  TCheckEvents(Button).OnChange := nil;
{$ENDIF}
  try
    if Button is TRadioButton then TRadioButton(Button).Checked := Checked
    else if Grayed then
    begin
      (Button as TCheckBox).AllowGrayed := True;
      TCheckBox(Button).State := cbGrayed;
    end
    else (Button as TCheckBox).Checked := Checked;
  finally
    TControlEvents(Button).OnClick := Click;
{$IFDEF FPC}
    TCheckEvents(Button).OnChange := Change;
{$ENDIF}
  end;
end;

procedure FoxSetChecked(Box: TCheckBox; Value: Boolean);
begin
  SetButtonState(Box, Value, False);
end;

{ A check box's Value: 0 clear, 1 checked, 2 grayed. }
function FoxCheckState(Box: TCheckBox): Int64;
begin
  case Box.State of
    cbChecked: Result := 1;
    cbGrayed: Result := 2;
  else
    Result := 0;
  end;
end;

procedure FoxSetCheckState(Box: TCheckBox; Value: Int64);
begin
  if (Value < 0) or (Value > 2) then raise Fail(SInvalidArgument);
  SetButtonState(Box, Value = 1, Value = 2);
end;

{ An option group's Value: the number of the option chosen, 0 for none. }
function FoxOptionValue(const Buttons: array of TRadioButton): Int64;
var
  I: Integer;
begin
  Result := 0;
  for I := Low(Buttons) to High(Buttons) do
    if Buttons[I].Checked then Result := I - Low(Buttons) + 1;
end;

procedure FoxSetOptionValue(const Buttons: array of TRadioButton; Value: Int64);
var
  I: Integer;
begin
  if (Value < 0) or (Value > Length(Buttons)) then raise Fail(SInvalidArgument);
  for I := Low(Buttons) to High(Buttons) do
    SetButtonState(Buttons[I], I - Low(Buttons) + 1 = Value, False);
end;

function FoxListText(Items: TStrings; Index: Integer): string;
begin
  if Index < 0 then Result := '' else Result := Items[Index];
end;

{ FoxPro gives no focus to a control that is disabled or hidden. A form not
  shown yet gives the focus to the control when it is. }
procedure FoxSetFocus(Control: TWinControl);
var
  Form: TCustomForm;
begin
  if not Control.CanFocus then Exit;
  Form := GetParentForm(Control);
  if (Form <> nil) and not Form.Visible then Form.ActiveControl := Control
  else Control.SetFocus;
end;

{ Release runs the form's Unload (its OnClose) and frees the form once its
  events are over; a modal form ends its ShowModal instead, which closes it. }
procedure FoxRelease(Form: TForm);
var
  Action: TCloseAction;
begin
  if fsModal in Form.FormState then
  begin
    Form.ModalResult := mrCancel;
    Exit;
  end;
  Action := caFree;
  if Assigned(Form.OnClose) then Form.OnClose(Form, Action);
  Form.Release;
end;

{ Settings. }

type
  { Access to what TControl and TCustomGrid keep protected in Delphi and the
    LCL alike. }
  TFoxControl = class(TControl);
  TFoxGrid = class(TCustomGrid);

  { The controls of one container that Anchor places, each with its bounds at
    the container's designed size; placed anew at every resize of the
    container, before its own OnResize handler. }
  TFoxAnchors = class(TComponent)
  private
    FContainer: TWinControl;
    { Whose size the container's inside follows: the container, or for a
      page (sized by its page control only once shown) its page control. }
    FSizeOf: TControl;
    FDesignedWidth, FDesignedHeight: Integer;  { its size when the form was loaded }
    FControls: array of TControl;
    FAnchors: array of Integer;
    FBounds: array of TRect;
    FResized: TNotifyEvent;
    procedure ContainerResized(Sender: TObject);
  protected
    procedure Notification(AComponent: TComponent; Operation: TOperation); override;
  public
    constructor Create(Container: TWinControl); reintroduce;
    procedure Add(Control: TControl; Anchor: Integer);
  end;

{$IFDEF FPC}
  TFoxMessage = TLMessage;
const
  CloseMessage = LM_CLOSEQUERY;
{$ELSE}
  TFoxMessage = TMessage;
const
  CloseMessage = WM_CLOSE;
{$ENDIF}

type
  { Keeps the close the user asks for (the message the title bar's button,
    Alt+F4 and the window menu send) from its form. }
  TFoxCloseGuard = class(TComponent)
  private
    FForm: TCustomForm;
    FWindowProc: TWndMethod;
    procedure FormWindowProc(var Message: TFoxMessage);
  public
    constructor Create(Form: TCustomForm); reintroduce;
    destructor Destroy; override;
  end;

{ One direction of FoxAnchoredBounds: the control's edges Low and High, the
  bits of Anchor that hold each, in a container of extent Designed, now
  Extent. }
procedure AnchorEdges(Anchor, LowAbsolute, LowRelative, HighAbsolute, HighRelative, Centre: Integer;
  Designed, Extent: Integer; var Low, High: Integer);
var
  Size, NewLow, NewHigh: Integer;
  LowHeld, HighHeld: Boolean;
begin
  Size := High - Low;
  if Anchor and Centre <> 0 then
  begin
    Low := Round((Low + High) / 2 * Extent / Designed - Size / 2);
    High := Low + Size;
    Exit;
  end;
  LowHeld := Anchor and (LowAbsolute or LowRelative) <> 0;
  HighHeld := Anchor and (HighAbsolute or HighRelative) <> 0;
  NewLow := Low;
  NewHigh := High;
  if Anchor and LowRelative <> 0 then NewLow := Round(Low * Extent / Designed);
  if Anchor and HighAbsolute <> 0 then NewHigh := High + Extent - Designed
  else if Anchor and HighRelative <> 0 then NewHigh := Round(High * Extent / Designed);
  if HighHeld and not LowHeld then NewLow := NewHigh - Size
  else if LowHeld and not HighHeld then NewHigh := NewLow + Size;
  Low := NewLow;
  High := Max(NewHigh, NewLow);
end;

function FoxAnchoredBounds(Anchor: Integer; const Designed: TRect;
  DesignedWidth, DesignedHeight, Width, Height: Integer): TRect;
begin
  Result := Designed;
  if DesignedWidth > 0 then
    AnchorEdges(Anchor, 2, 32, 8, 128, 256, DesignedWidth, Width, Result.Left, Result.Right);
  if DesignedHeight > 0 then
    AnchorEdges(Anchor, 1, 16, 4, 64, 512, DesignedHeight, Height, Result.Top, Result.Bottom);
end;

constructor TFoxAnchors.Create(Container: TWinControl);
begin
  inherited Create(Container);
  FContainer := Container;
  FSizeOf := Container;
  if (Container is TTabSheet) and (TTabSheet(Container).PageControl <> nil) then
    FSizeOf := TTabSheet(Container).PageControl;
  FDesignedWidth := FSizeOf.Width;
  FDesignedHeight := FSizeOf.Height;
  FResized := TFoxControl(Container).OnResize;
  TFoxControl(Container).OnResize := ContainerResized;
end;

procedure TFoxAnchors.Add(Control: TControl; Anchor: Integer);
var
  Count: Integer;
begin
  Count := Length(FControls);
  SetLength(FControls, Count + 1);
  SetLength(FAnchors, Count + 1);
  SetLength(FBounds, Count + 1);
  FControls[Count] := Control;
  FAnchors[Count] := Anchor;
  FBounds[Count] := Control.BoundsRect;
  Control.FreeNotification(Self);
end;

{ A control freed before its container (as a form frees its controls) is
  placed no more. }
procedure TFoxAnchors.Notification(AComponent: TComponent; Operation: TOperation);
var
  I: Integer;
begin
  inherited Notification(AComponent, Operation);
  if Operation <> opRemove then Exit;
  for I := 0 to High(FControls) do
    if FControls[I] = AComponent then FControls[I] := nil;
end;

{ The container's inside at its designed size: what it measures now, less
  what the size it follows has grown by since. Its outside, not its inside:
  when the form is loaded, the LCL's form has its size, not yet its inside. }
procedure TFoxAnchors.ContainerResized(Sender: TObject);
var
  I, DesignedWidth, DesignedHeight: Integer;
begin
  DesignedWidth := FContainer.ClientWidth - (FSizeOf.Width - FDesignedWidth);
  DesignedHeight := FContainer.ClientHeight - (FSizeOf.Height - FDesignedHeight);
  for I := 0 to High(FControls) do
    if FControls[I] <> nil then
      FControls[I].BoundsRect := FoxAnchoredBounds(FAnchors[I], FBounds[I], DesignedWidth, DesignedHeight,
        FContainer.ClientWidth, FContainer.ClientHeight);
  if Assigned(FResized) then FResized(Sender);
end;

procedure FoxAnchor(Control: TControl; Anchor: Integer);
var
  Anchors: TFoxAnchors;
  I: Integer;
begin
  if Control.Parent = nil then Exit;
  Anchors := nil;
  for I := 0 to Control.Parent.ComponentCount - 1 do
    if Control.Parent.Components[I] is TFoxAnchors then Anchors := TFoxAnchors(Control.Parent.Components[I]);
  if Anchors = nil then Anchors := TFoxAnchors.Create(Control.Parent);
  Anchors.Add(Control, Anchor);
end;

procedure FoxScrollBars(Grid: TCustomGrid; ScrollBars: Integer);
begin
  { FoxPro's values stand in the order of TScrollStyle's first four. }
  if (ScrollBars >= 0) and (ScrollBars <= 3) then TFoxGrid(Grid).ScrollBars := TScrollStyle(ScrollBars);
end;

procedure FoxBackStyle(Control: TControl; BackStyle: Integer);
begin
  TFoxControl(Control).ParentColor := BackStyle = 0;
end;

constructor TFoxCloseGuard.Create(Form: TCustomForm);
begin
  inherited Create(Form);
  FForm := Form;
  FWindowProc := Form.WindowProc;
  Form.WindowProc := FormWindowProc;
end;

destructor TFoxCloseGuard.Destroy;
begin
  FForm.WindowProc := FWindowProc;
  inherited Destroy;
end;

procedure TFoxCloseGuard.FormWindowProc(var Message: TFoxMessage);
begin
  if Message.Msg <> CloseMessage then FWindowProc(Message);
end;

procedure FoxClosable(Form: TCustomForm; Closable: Boolean);
var
  I: Integer;
begin
  for I := Form.ComponentCount - 1 downto 0 do
    if Form.Components[I] is TFoxCloseGuard then Form.Components[I].Free;
  if not Closable then TFoxCloseGuard.Create(Form);
end;

{ The application's dialog of an error no code handled, when unattended. }
type
  TErrorReport = class
    procedure Show(Sender: TObject; E: Exception);
  end;

procedure TErrorReport.Show(Sender: TObject; E: Exception);
begin
  Report('Error: ' + E.Message);
end;

var
  ErrorReport: TErrorReport = nil;

initialization
  if Unattended and (Application <> nil) then
  begin
    ErrorReport := TErrorReport.Create;
    Application.OnException := ErrorReport.Show;
  end;

finalization
  FoxWaitClear;
  FreeAndNil(ErrorReport);

end.
