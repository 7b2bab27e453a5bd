program fox_data_test;

{ FoxData against an SQLite database laid out as the conversion writes one
  (run_pascal.py makes it): cursors in their tag's order and filtered, a
  table the program names, changes written through as the database keeps its
  values, and a name code reads without m. found as a field. Prints "fail: ..." for each check that fails and a last line;
  run_pascal.py then reads the database back. }

{$MODE DELPHI}{$H+}

uses
  {$IFDEF UNIX}cthreads,{$ENDIF} Interfaces, SysUtils, Classes, DB, Variants, FoxRuntime, FoxData;

var
  Failures: Integer = 0;
  Owner: TComponent;

procedure Check(Condition: Boolean; const What: string);
begin
  if not Condition then
  begin
    WriteLn('fail: ', What);
    Inc(Failures);
  end;
end;

function Names(Data: TDataSet): string;
begin
  Result := '';
  Data.First;
  while not Data.Eof do
  begin
    Result := Result + Data.FieldByName('name').AsString + ';';
    Data.Next;
  end;
  Data.First;
end;

function Source: TDataSource;
begin
  Result := TDataSource.Create(Owner);
end;

var
  Data: TDataSet;
  Raised: Boolean;
begin
  { FOXDATA_DATABASE names the database instead of any the program opens. }
  if GetEnvironmentVariable('FOXDATA_DATABASE') = '' then
  begin
    try
      OpenDatabase(ExtractFilePath(ParamStr(0)) + 'missing.sqlite');
      Raised := False;
    except
      on E: EFoxData do Raised := Pos('missing.sqlite does not exist', E.Message) > 0;
    end;
    Check(Raised, 'a database that is not there is an EFoxData naming it');
    Check(not FileExists(ExtractFilePath(ParamStr(0)) + 'missing.sqlite'), 'nor is one made');
  end;

  OpenDatabase(ParamStr(1));
  Owner := TComponent.Create(nil);
  Data := FoxOpenCursor(Source, 'customer', 'NAME', '', False, True);
  Check(Names(Data) = 'zed;Seña;Abe;', 'ordered by the tag, descending: ' + Names(Data));
  Check(not Data.FieldByName('_recno').Visible, 'the record number is not shown');
  Check(Names(FoxOpenCursor(Source, 'customer', 'nosuchtag', '"amount" > 2', True, True)) = 'Seña;zed;',
    'filtered, in record order without the tag');
  Check(FoxOpenCursor(Source, 'nosuch', '', '', False, True) = nil, 'a table the database lacks opens nothing');
  try
    FoxOpenCursor(Source, 'customer', '', '"amount" >', False, True);
    Raised := False;
  except
    on E: EFoxData do Raised := Pos('The table customer of  cannot be opened: ', E.Message) = 1;
  end;
  Check(Raised, 'a cursor that cannot be opened is an EFoxData naming its table');
  { A name read without m. is a field of the first cursor open, padded to its
    width as FoxPro holds it, before a variable of that name. }
  FoxSetVar('NAME', 'variable');
  FoxSetVar('TOTAL', 3);
  Check(FoxVar(Owner, 'name') = 'zed ', 'a name is the selected table''s field: ' + VarToStr(FoxVar(Owner, 'name')));
  Check((FoxVar(Owner, 'TOTAL') = 3) and (FoxMemVar('NAME') = 'variable'), 'then a variable, and m.name one only');
  Check(FoxVar(nil, 'name') = 'variable', 'code of no form reads no table');
  NameTable('Classes', 'wanted', 'customer');
  Check(FoxOpenCursor(Source, 'wanted', '', '', True, True) <> nil, 'a table the program names otherwise');

  { Changes go to the database at once. }
  Data.First;
  Data.Edit;
  Data.FieldByName('born').AsDateTime := EncodeDate(2021, 3, 4);
  Data.FieldByName('name').AsString := 'Zoë';
  Data.Post;
  Data.Append;
  Data.FieldByName('name').AsString := 'new';
  Data.Post;
  Check(Data.FieldByName('_recno').AsInteger = 5, 'a record added gets the number after the deleted ones');
  Check(Data.FieldByName('name').AsString = 'new', 'and keeps its values');
  Data.Edit;
  Data.FieldByName('amount').AsFloat := 7.5;
  Data.Post;
  Data.Append;
  Data.FieldByName('name').AsString := 'gone';
  Data.Post;
  Data.Delete;
  Owner.Free;
  CloseDatabase;
  WriteLn(Failures, ' failures');
  if Failures > 0 then Halt(1);
end.
