unit FoxData;

{ The application's data for the converted forms: the database its FoxPro
  tables were moved into, and a dataset for each cursor of a form's data
  environment.

  OpenDatabase opens an SQLite file (a relative name is looked for beside the
  program) or, given a PostgreSQL connection string of key=value pairs
  ('host=server dbname=sales user=clerk'), a database server. The environment
  variable FOXDATA_DATABASE, where set, names the database instead: a team
  points a built program at its server without building it again, and a
  form shown on its own (no OpenDatabase) opens that database with its first
  cursor.

  A converted form opens its cursors when it is loaded, before its FoxPro
  Load: FoxOpenCursor gives the cursor's data source a dataset of the table,
  in the order of its index tag, filtered, read-only where FoxPro's cursor
  is. A dataset closes with its form, or at CloseDatabase for a cursor FoxPro
  leaves open (AutoCloseTables = .F.). Changes are written through at once, as
  FoxPro writes a table without buffering. With no database open, or a table
  the database does not hold (a FoxPro view, a table not found when the
  application was converted), the data source stays without a dataset and
  its controls show nothing, as in the form designer.

  The Lazarus branch (SQLdb) is the one compiled and tested; the Delphi branch
  (FireDAC) holds only what makes the connection and the queries. }

{$IFDEF FPC}{$MODE DELPHI}{$H+}{$ENDIF}

interface

uses
  SysUtils, Classes, DB, Variants, FoxRuntime,
{$IFDEF FPC}
  {$IFDEF UNIX}cwstring,{$ENDIF} sqldb, sqlite3conn, sqlite3dyn, pqconnection;
{$ELSE}
  FireDAC.Stan.Def, FireDAC.Stan.Async, FireDAC.DApt, FireDAC.Phys.SQLite, FireDAC.Phys.PG, FireDAC.Comp.Client;
{$ENDIF}

type
  EFoxData = class(Exception);

{ Opens the application's database, closing one open before. }
procedure OpenDatabase(const Name: string);
procedure CloseDatabase;
function DatabaseIsOpen: Boolean;

{ The table of the database that a cursor of the forms of UnitName opens as
  Wanted holds another name (Table): two FoxPro tables of one file name in
  different folders. The converted program's first lines say so. }
procedure NameTable(const UnitName, Wanted, Table: string);

{ Gives Source a dataset of Table: ordered by the index Table.Order (by the
  FoxPro record number where Order is '' or no such index is in the database),
  with the SQL condition Filter ('' for none). CloseWithForm: the dataset
  belongs to the form that holds Source. The dataset, or nil where no
  database is open or it holds no such table. }
function FoxOpenCursor(Source: TDataSource; const Table, Order, Filter: string;
  ReadOnly, CloseWithForm: Boolean): TDataSet;

{ Fills Items with Field of every row of Source's dataset, as FoxPro fills a
  list whose rows are a field (RowSourceType 6) when its form loads; the
  dataset stays at the record it was at. Nothing where Source has no open
  dataset or it no such field. }
procedure FoxFillList(Items: TStrings; Source: TDataSource; const Field: string);

implementation

const
  RecordNumber = '_recno';

type
{$IFDEF FPC}
  TFoxConnection = TSQLConnection;
  TFoxQuery = TSQLQuery;
{$ELSE}
  TFoxConnection = TFDConnection;
  TFoxQuery = TFDQuery;
{$ENDIF}

var
  Connection: TFoxConnection = nil;
{$IFDEF FPC}
  Transaction: TSQLTransaction = nil;
{$ENDIF}
  Server: Boolean = False;
  Tables: TStringList = nil;   { the database's tables, in lower case }
  Renamed: TStringList = nil;  { 'unit/wanted' = table }
  LeftOpen: TComponent = nil;  { owns the datasets that outlive their forms }

function IsConnectionString(const Name: string): Boolean;
begin
  Result := Pos('=', Name) > 0;
end;

function BesideProgram(const Name: string): string;
begin
  if (ExtractFileDrive(Name) <> '') or ((Name <> '') and CharInSet(Name[1], ['/', '\'])) then
    Result := Name
  else
    Result := ExtractFilePath(ParamStr(0)) + Name;
end;

function Quoted(const Identifier: string): string;
begin
  Result := '"' + StringReplace(Identifier, '"', '""', [rfReplaceAll]) + '"';
end;

{$IFDEF FPC}
procedure Connect(const Name: string);
begin
  if Server then
  begin
    Connection := TPQConnection.Create(nil);
    Connection.Params.Text := Name;
    { Widths count characters, as the database declares them, not bytes. }
    Connection.CharSet := 'UTF8';
  end
  else
  begin
{$IFDEF LINUX}
    { The name the runtime package installs; libsqlite3.so comes only with
      the development files. }
    SQLiteDefaultLibrary := 'libsqlite3.so.0';
{$ENDIF}
    Connection := TSQLite3Connection.Create(nil);
    Connection.DatabaseName := Name;
  end;
  Transaction := TSQLTransaction.Create(nil);
  Connection.Transaction := Transaction;
  Connection.Open;
  Connection.GetTableNames(Tables, False);
end;

function NewQuery(Owner: TComponent; const SQL: string; ReadOnly: Boolean): TFoxQuery;
begin
  Result := TSQLQuery.Create(Owner);
  Result.DataBase := Connection;
  Result.Transaction := Transaction;
  Result.SQL.Text := SQL;
  Result.ReadOnly := ReadOnly;
  Result.UpdateMode := upWhereKeyOnly;
  { Its key is the record number, which FoxOpenCursor marks: SQLdb would
    read the key from the indexes, whose names (table.tag) it does not quote. }
  Result.UsePrimaryKeyAsKey := False;
  Result.Options := [sqoKeepOpenOnCommit, sqoAutoApplyUpdates, sqoAutoCommit];
end;

{ The cursor's fields as the database declares them, before it opens: a
  server's client library learns them only by running the query. }
procedure Describe(Query: TFoxQuery);
begin
  if Server then
  begin
    Query.Open;
    Query.Close;
  end
  else
    Query.FieldDefs.Update;
end;

{ The columns a cursor asks a server for: its client library cuts a text to
  the declared width in bytes, where the database counts characters, so a
  text column comes with room for UTF-8's four bytes a character. }
function ServerColumns(Query: TFoxQuery): string;
var
  i: Integer;
  Column: string;
begin
  Result := '';
  for i := 0 to Query.FieldDefs.Count - 1 do
  begin
    Column := Quoted(Query.FieldDefs[i].Name);
    if Query.FieldDefs[i].DataType in [ftString, ftFixedChar] then
      Column := 'CAST(' + Column + ' AS VARCHAR(' + IntToStr(4 * Query.FieldDefs[i].Size) + ')) AS ' + Column;
    if Result <> '' then Result := Result + ', ';
    Result := Result + Column;
  end;
end;

{ A server refuses every later statement of a transaction in which one
  failed; changes are committed as they are made, so nothing is lost. }
procedure KeepConnectionUsable;
begin
  if Server and Transaction.Active then Transaction.RollbackRetaining;
end;

{ The number a record added gets: the next after every record of the table,
  its deleted ones (in Table_deleted) included, as FoxPro numbers them. }
function NextRecordNumber(const Table: string): string;
var
  Highest: string;
begin
  Highest := 'SELECT max(' + Quoted(RecordNumber) + ') AS n FROM ' + Quoted(Table);
  if Tables.IndexOf(LowerCase(Table + '_deleted')) >= 0 then
    Highest := Highest + ' UNION ALL SELECT max(' + Quoted(RecordNumber) + ') FROM ' + Quoted(Table + '_deleted');
  Result := '(SELECT coalesce(max(n), 0) + 1 FROM (' + Highest + ') AS highest)';
end;

type
  { Gives a record added to a cursor its record number before it is written,
    so that the dataset knows the row it made. }
  TRecordNumbering = class(TComponent)
  private
    FTable: string;
    procedure NumberNewRecord(DataSet: TDataSet);
  end;

procedure TRecordNumbering.NumberNewRecord(DataSet: TDataSet);
var
  Next: TFoxQuery;
begin
  if DataSet.State <> dsInsert then Exit;
  Next := NewQuery(nil, 'SELECT ' + NextRecordNumber(FTable), True);
  try
    Next.Open;
    DataSet.FieldByName(RecordNumber).AsInteger := Next.Fields[0].AsInteger;
  finally
    Next.Free;
  end;
end;

{ The statements that write a cursor's changes, a record added with the
  number TRecordNumbering gave it. SQLdb would write dates into SQLite as day
  numbers; the database holds them as text ('YYYY-MM-DD',
  'YYYY-MM-DD HH:MM:SS'), as its other readers expect. }
procedure WriteAsStored(Query: TFoxQuery; const Table: string);
var
  i: Integer;
  Field: TFieldDef;
  Value, Columns, Values, Settings, Key: string;
  Numbering: TRecordNumbering;
begin
  Columns := Quoted(RecordNumber);
  Values := ':' + Quoted(RecordNumber);
  Settings := '';
  for i := 0 to Query.FieldDefs.Count - 1 do
  begin
    Field := Query.FieldDefs[i];
    if Field.Name = RecordNumber then Continue;
    Value := ':' + Quoted(Field.Name);
    if not Server then
      case Field.DataType of
        ftDate: Value := 'date(' + Value + ')';
        ftDateTime: Value := 'datetime(' + Value + ')';
      end;
    if Settings <> '' then Settings := Settings + ', ';
    Columns := Columns + ', ' + Quoted(Field.Name);
    Values := Values + ', ' + Value;
    Settings := Settings + Quoted(Field.Name) + ' = ' + Value;
  end;
  Key := ' WHERE ' + Quoted(RecordNumber) + ' = :' + Quoted('OLD_' + RecordNumber);
  if Settings <> '' then Query.UpdateSQL.Text := 'UPDATE ' + Quoted(Table) + ' SET ' + Settings + Key;
  Query.InsertSQL.Text := 'INSERT INTO ' + Quoted(Table) + ' (' + Columns + ') VALUES (' + Values + ')';
  Query.DeleteSQL.Text := 'DELETE FROM ' + Quoted(Table) + Key;
  Numbering := TRecordNumbering.Create(Query);
  Numbering.FTable := Table;
  Query.BeforePost := Numbering.NumberNewRecord;
end;
{$ELSE}
procedure Connect(const Name: string);
var
  Pairs: TStringList;
begin
  Connection := TFDConnection.Create(nil);
  if Server then
  begin
    Pairs := TStringList.Create;
    try
      Pairs.Delimiter := ' ';
      Pairs.DelimitedText := Name;
      Connection.DriverName := 'PG';
      Connection.Params.Values['Server'] := Pairs.Values['host'];
      Connection.Params.Values['Port'] := Pairs.Values['port'];
      Connection.Params.Values['Database'] := Pairs.Values['dbname'];
      Connection.Params.Values['User_Name'] := Pairs.Values['user'];
      Connection.Params.Values['Password'] := Pairs.Values['password'];
    finally
      Pairs.Free;
    end;
  end
  else
  begin
    Connection.DriverName := 'SQLite';
    Connection.Params.Values['Database'] := Name;
    Connection.Params.Values['OpenMode'] := 'ReadWrite';
  end;
  Connection.Open;
  Connection.GetTableNames('', '', '', Tables);
end;

function NewQuery(Owner: TComponent; const SQL: string; ReadOnly: Boolean): TFoxQuery;
begin
  Result := TFDQuery.Create(Owner);
  Result.Connection := Connection;
  Result.SQL.Text := SQL;
  Result.UpdateOptions.ReadOnly := ReadOnly;
  Result.UpdateOptions.KeyFields := RecordNumber;
end;

procedure KeepConnectionUsable;
begin
end;

procedure Describe(Query: TFoxQuery);
begin
end;

function ServerColumns(Query: TFoxQuery): string;
begin
  Result := '*';
end;

{ FireDAC writes SQLite's dates as text itself; a record added gets the next
  record number from the engine. }
procedure WriteAsStored(Query: TFoxQuery; const Table: string);
begin
end;
{$ENDIF}

procedure OpenDatabase(const Name: string);
var
  Wanted: string;
begin
  CloseDatabase;
  Wanted := GetEnvironmentVariable('FOXDATA_DATABASE');
  if Wanted = '' then Wanted := Name;
  Server := IsConnectionString(Wanted);
  if not Server then
  begin
    Wanted := BesideProgram(Wanted);
    { SQLite would make an empty database of a name that is not there. }
    if not FileExists(Wanted) then
      raise EFoxData.Create('The database ' + Wanted + ' does not exist');
  end;
  Tables := TStringList.Create;
  LeftOpen := TComponent.Create(nil);
  try
    Connect(Wanted);
  except
    on E: Exception do
    begin
      CloseDatabase;
      raise EFoxData.Create('The database ' + Wanted + ' cannot be opened: ' + E.Message);
    end;
  end;
  Tables.Text := LowerCase(Tables.Text);
  Tables.Sorted := True;
end;

procedure CloseDatabase;
begin
  FreeAndNil(LeftOpen);
  FreeAndNil(Connection);
{$IFDEF FPC}
  FreeAndNil(Transaction);
{$ENDIF}
  FreeAndNil(Tables);
end;

function DatabaseIsOpen: Boolean;
begin
  Result := Connection <> nil;
end;

procedure NameTable(const UnitName, Wanted, Table: string);
begin
  if Renamed = nil then Renamed := TStringList.Create;
  Renamed.Values[LowerCase(UnitName + '/' + Wanted)] := Table;
end;

function TableOf(Source: TDataSource; const Wanted: string): string;
begin
  Result := '';
  if (Renamed <> nil) and (Source.Owner <> nil) then
    Result := Renamed.Values[LowerCase(Source.Owner.UnitName + '/' + Wanted)];
  if Result = '' then Result := Wanted;
end;

{ The terms of the index Name as its definition lists them: what follows the
  table's name in "CREATE INDEX ... ON table (terms)", '' where there is no
  such index. }
function IndexTerms(const Name: string): string;
var
  Query: TFoxQuery;
  Definition: string;
  Open, Close: Integer;
begin
  Result := '';
  if Server then
    Query := NewQuery(nil, 'SELECT indexdef FROM pg_indexes WHERE indexname = :name', True)
  else
    Query := NewQuery(nil, 'SELECT sql FROM sqlite_master WHERE type = ''index'' AND name = :name', True);
  try
    Query.Params[0].AsString := Name;
    Query.Open;
    if Query.Eof then Exit;
    Definition := Query.Fields[0].AsString;
    Open := Pos(' ON ', UpperCase(Definition));
    if Open = 0 then Exit;
    Open := Pos('(', Copy(Definition, Open, MaxInt)) + Open - 1;
    Close := Length(Definition);
    while (Close > Open) and (Definition[Close] <> ')') do Dec(Close);
    if Close > Open + 1 then Result := Copy(Definition, Open + 1, Close - Open - 1);
  finally
    Query.Free;
  end;
end;

function CursorQuery(const Table, Order, Filter, Columns: string): string;
var
  Terms: string;
begin
  Result := 'SELECT ' + Columns + ' FROM ' + Quoted(Table);
  if Filter <> '' then Result := Result + ' WHERE ' + Filter;
  Terms := '';
  if Order <> '' then Terms := IndexTerms(Table + '.' + LowerCase(Order));
  { The record number last: FoxPro keeps equal keys in record order. }
  if Terms <> '' then Terms := Terms + ', ';
  Result := Result + ' ORDER BY ' + Terms + Quoted(RecordNumber);
end;

{ The width FoxPro gave a character field: a server's cursor asks for four
  bytes a character (ServerColumns). }
function FieldWidth(Field: TField): Integer;
begin
  Result := Field.Size;
  if Server then Result := Result div 4;
end;

{ A field's value as FoxPro reads it: a character field padded with blanks
  to its width; in a table without records, the field's blank value. }
function FoxValueOf(Field: TField): Variant;
var
  Text: Boolean;
begin
  Text := Field.DataType in [ftString, ftFixedChar, ftWideString, ftFixedWideChar];
  if Field.DataSet.IsEmpty then
  begin
    if Text then Exit(FoxSpace(FieldWidth(Field)));
    case Field.DataType of
      ftBoolean: Result := False;
      ftDate, ftDateTime: Result := VarFromDateTime(FoxNoDate);
      ftMemo, ftWideMemo: Result := '';
    else
      Result := 0;
    end;
    Exit;
  end;
  Result := Field.Value;
  if Text and not VarIsNull(Result) then Result := FoxPadR(VarToStr(Result), FieldWidth(Field));
end;

{ The table a form has selected is the first of its cursors that is open, as
  a form's data environment selects the first cursor it opens. }
function FieldOfForm(Form: TComponent; const Name: string; out Value: Variant): Boolean;
var
  i: Integer;
  Data: TDataSet;
  Field: TField;
begin
  Result := False;
  if Form = nil then Exit;
  for i := 0 to Form.ComponentCount - 1 do
  begin
    if not (Form.Components[i] is TDataSource) then Continue;
    Data := TDataSource(Form.Components[i]).DataSet;
    if (Data = nil) or not Data.Active then Continue;
    Field := Data.FindField(Name);
    if (Field = nil) or SameText(Name, RecordNumber) then Exit;
    Value := FoxValueOf(Field);
    Exit(True);
  end;
end;

function FoxOpenCursor(Source: TDataSource; const Table, Order, Filter: string;
  ReadOnly, CloseWithForm: Boolean): TDataSet;
var
  Name: string;
  Owner: TComponent;
  Query: TFoxQuery;
  Key: TField;
begin
  Result := nil;
  if (Connection = nil) and (GetEnvironmentVariable('FOXDATA_DATABASE') <> '') then OpenDatabase('');
  if Connection = nil then Exit;
  Name := TableOf(Source, Table);
  if Tables.IndexOf(LowerCase(Name)) < 0 then Exit;
  if CloseWithForm then Owner := Source.Owner else Owner := LeftOpen;
  Query := NewQuery(Owner, CursorQuery(Name, Order, Filter, '*'), ReadOnly);
  try
    Describe(Query);
    if not ReadOnly then WriteAsStored(Query, Name);
    if Server then Query.SQL.Text := CursorQuery(Name, Order, Filter, ServerColumns(Query));
    Query.Open;
  except
    on E: Exception do
    begin
      Query.Free;
      KeepConnectionUsable;
      raise EFoxData.Create('The table ' + Name + ' of ' + Source.Name + ' cannot be opened: ' + E.Message);
    end;
  end;
  Key := Query.FindField(RecordNumber);
  if Key <> nil then
  begin
    Key.ProviderFlags := [pfInKey, pfInWhere];
    Key.Visible := False;
  end;
  Source.DataSet := Query;
  Result := Query;
end;

procedure FoxFillList(Items: TStrings; Source: TDataSource; const Field: string);
var
  Data: TDataSet;
  Value: TField;
  Mark: TBookmark;
begin
  Data := Source.DataSet;
  if (Data = nil) or not Data.Active then Exit;
  Value := Data.FindField(Field);
  if Value = nil then Exit;
  { Apart from its controls meanwhile, which read the record again once the
    list is full: a list of fixed items shows only a value it holds. }
  Source.DataSet := nil;
  Items.BeginUpdate;
  Mark := Data.GetBookmark;
  try
    Items.Clear;
    Data.First;
    while not Data.Eof do
    begin
      Items.Add(Value.AsString);
      Data.Next;
    end;
    Data.GotoBookmark(Mark);
  finally
    Data.FreeBookmark(Mark);
    Items.EndUpdate;
    Source.DataSet := Data;
  end;
end;

initialization
  FoxFieldValue := FieldOfForm;

finalization
  CloseDatabase;
  FreeAndNil(Renamed);
end.
