{ Free Pascal's own form-stream round trip of a DFM text, to compare the
  canonical text with: the text is compiled into the binary form stream
  (ObjectTextToBinary) and printed back (ObjectBinaryToText); the result is
  gathered in memory and written to standard output at once.
  Usage: dfm_round_trip FILE.dfm }
program dfm_round_trip;

{$mode objfpc}{$H+}

uses
  Classes, SysUtils;

var
  Text, Binary, Result: TMemoryStream;
  Output: THandleStream;
begin
  Text := TMemoryStream.Create;
  Binary := TMemoryStream.Create;
  Result := TMemoryStream.Create;
  Output := THandleStream.Create(StdOutputHandle);
  try
    Text.LoadFromFile(ParamStr(1));
    ObjectTextToBinary(Text, Binary);
    Binary.Position := 0;
    ObjectBinaryToText(Binary, Result);
    Output.WriteBuffer(Result.Memory^, Result.Size);
  finally
    Output.Free;
    Result.Free;
    Binary.Free;
    Text.Free;
  end;
end.
