#!/usr/bin/env python3
"""Shows converted forms with their application's database and checks that their data-aware controls show
their cursors' first records. For every unit of a folder of --loadable --project output whose form opens a
table of the database (FoxOpenCursor) and binds a control to it, a Lazarus program opens the database, creates
the form, shows it and prints what each data-aware control shows; each is compared with the first row of its
cursor as the database gives it (the cursor's filter, its index tag's order, then the record number).

  show-data.py OUTDIR SQLITE_FILE WORKDIR [CONNECTION]

OUTDIR holds the units and NAME.lpr (whose NameTable lines it follows); SQLITE_FILE is the database the
expected rows are read from; the programs open CONNECTION where given (a PostgreSQL connection string), else
SQLITE_FILE. Prints every control that shows otherwise, every form that cannot be created, then a line of
counts. Exit status: 0 all shown as expected, 1 otherwise, 77 something it needs is missing (named).
Needs fpc, the LCL for GTK 2 and Xvfb (scripts/install-deps.sh)."""
import os, re, sqlite3, sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lcl_program  # noqa: E402

CONTROLS = ('TDBEdit', 'TDBMemo', 'TDBCheckBox', 'TDBText', 'TDBComboBox')
OPEN = re.compile(r"^\s*FoxOpenCursor\((\w+), '((?:[^']|'')*)', '((?:[^']|'')*)', '((?:[^']|'')*)', (\w+), (\w+)\);",
                  re.M)


def pascal_text(literal):
    return literal.replace("''", "'")


def dfm_string(value):
    """A form-stream string ('ab'#241'c') as text."""
    out, at = '', 0
    for quoted, code in re.findall(r"'((?:[^']|'')*)'|#(\d+)", value):
        out += chr(int(code)) if code else quoted.replace("''", "'")
    return out


def bound_controls(dfm):
    """(component, class, data source, field) of each data-aware control of the form text; a grid's columns
    as GRID#N (N from 0), each with its field."""
    found, stack, depth = [], [], 0
    for line in dfm.splitlines():
        head = re.match(r'\s*(?:object|inherited) (\w+): (\w+)', line)
        if head:
            stack.append({'name': head.group(1), 'class': head.group(2), 'columns': []})
        elif re.match(r'\s*item\s*$', line) and stack:
            depth += 1
            stack[-1]['columns'].append('')
        elif line.strip() in ('end', 'end>') and depth:
            depth -= 1
        elif line.strip() == 'end' and stack:
            c = stack.pop()
            if c['class'] in CONTROLS and c.get('source') and c.get('field'):
                found.append((c['name'], c['class'], c['source'], c['field']))
            if c['class'] == 'TDBGrid' and c.get('source'):
                found += [(f"{c['name']}#{i}", 'TDBGrid', c['source'], f) for i, f in enumerate(c['columns']) if f]
        elif depth and stack:
            setting = re.match(r'\s*FieldName = (.*)$', line)
            if setting: stack[-1]['columns'][-1] = dfm_string(setting.group(1))
        elif stack:
            setting = re.match(r'\s*(DataSource|DataField) = (.*)$', line)
            if setting:
                stack[-1]['source' if setting.group(1) == 'DataSource' else 'field'] = (
                    setting.group(2) if setting.group(1) == 'DataSource' else dfm_string(setting.group(2)))
    return found


def read_units(out):
    units = []
    for folder, _, files in os.walk(out):
        for name in sorted(files):
            if not name.endswith('.pas') or name in ('FoxRuntime.pas', 'FoxData.pas'): continue
            text = open(os.path.join(folder, name), encoding='utf-8-sig', errors='replace').read()
            cursors = {m.group(1): tuple(pascal_text(m.group(i)) for i in (2, 3, 4)) for m in OPEN.finditer(text)}
            form = re.search(r'^\s*(\w+)\s*=\s*class\s*\(\s*TForm\s*\)', text, re.M)
            dfm = os.path.join(folder, name[:-4] + '.dfm')
            if not cursors or not form or not os.path.exists(dfm): continue
            controls = [c for c in bound_controls(open(dfm, encoding='latin-1').read()) if c[2] in cursors]
            if controls: units.append((name[:-4], form.group(1), folder, cursors, controls))
    return units


def first_row(database, table, order, condition):
    """The cursor's first row as a dict of columns, or None where the table is absent or empty."""
    if not database.execute("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?", (table,)).fetchone():
        return None
    terms = ''
    if order:
        found = database.execute("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?",
                                 (f'{table}.{order}',)).fetchone()
        if found:
            definition = found[0]
            start = definition.find('(', definition.upper().find(' ON '))
            terms = definition[start + 1:definition.rindex(')')] + ', '
    where = f' WHERE {condition}' if condition else ''
    cursor = database.execute(f'SELECT * FROM "{table}"{where} ORDER BY {terms}"_recno" LIMIT 1')
    row = cursor.fetchone()
    return None if row is None else {d[0]: v for d, v in zip(cursor.description, row)}


def shown_as_stored(control_class, shown, value):
    if value is None: return shown == ''
    if control_class == 'TDBCheckBox': return shown == str(int(bool(value)))
    if shown in ('True', 'False') and value in (0, 1): return shown == str(bool(value))
    if isinstance(value, str) and re.fullmatch(r'\d{4}-\d\d-\d\d( \d\d:\d\d:\d\d)?', value):
        return shown != ''  # shown in the program's date format
    if isinstance(value, (int, float)):
        try: return abs(float(shown) - value) < 1e-6 * max(1, abs(value))
        except ValueError: return False
    if isinstance(value, bytes): return True
    return shown.replace('\r\n', '\n').rstrip(' ') == str(value).replace('\r\n', '\n').rstrip(' ')


PROGRAM = '''program showdata;
{$mode delphi}{$H+}
uses {$IFDEF UNIX}cthreads,{$ENDIF} Interfaces, SysUtils, Classes, Forms, StdCtrls, DBCtrls, DBGrids, FoxData,
  %s;

function Escaped(const Text: string): string;
begin
  Result := StringReplace(StringReplace(Text, #13, '\\r', [rfReplaceAll]), #10, '\\n', [rfReplaceAll]);
end;

procedure Dump(const UnitName: string; F: TForm);
var i, j: Integer; C: TComponent; Shown: string;
begin
  for i := 0 to F.ComponentCount - 1 do begin
    C := F.Components[i];
    if C is TDBGrid then begin
      for j := 0 to TDBGrid(C).Columns.Count - 1 do
        if TDBGrid(C).Columns[j].Field <> nil then
          WriteLn(UnitName, #9, C.Name, '#', j, #9, Escaped(TDBGrid(C).Columns[j].Field.AsString));
      Continue;
    end
    else if C is TDBEdit then Shown := TDBEdit(C).Text
    else if C is TDBMemo then Shown := TDBMemo(C).Text
    else if C is TDBText then Shown := TDBText(C).Caption
    else if C is TDBComboBox then Shown := TDBComboBox(C).Text
    else if C is TDBCheckBox then begin
      if TDBCheckBox(C).State = cbGrayed then Shown := '' else Shown := IntToStr(Ord(TDBCheckBox(C).Checked)); end
    else Continue;
    WriteLn(UnitName, #9, C.Name, #9, Escaped(Shown));
  end;
end;

procedure Show(const UnitName: string; FormClass: TFormClass);
var F: TForm;
begin
  try
    F := FormClass.Create(Application);
    F.Show; Application.ProcessMessages;
    Dump(UnitName, F);
    F.Free;
    WriteLn(UnitName, #9'shown');
  except on E: Exception do WriteLn(UnitName, #9'error'#9, E.ClassName, ': ', E.Message); end;
end;

begin
  Application.Initialize;
%s
  OpenDatabase(ParamStr(1));
%s
end.
'''


def group_units(units):
    groups = []
    for unit in units:
        group = next((g for g in groups if unit[1].lower() not in g[0]), None)
        if group is None: group = (set(), []); groups.append(group)
        group[0].add(unit[1].lower()); group[1].append(unit)
    return [g[1] for g in groups]


def main():
    if len(sys.argv) < 4:
        print(__doc__); return 2
    out, sqlite_file, work = sys.argv[1:4]
    connection = sys.argv[4] if len(sys.argv) > 4 else os.path.abspath(sqlite_file)
    need = lcl_program.missing()
    if need:
        print(f'show-data: {need} is missing', file=sys.stderr); return 77
    renamed = []
    for lpr in (f for f in os.listdir(out) if f.endswith('.lpr')):
        renamed += re.findall(r"^\s*(NameTable\(.*\);)", open(os.path.join(out, lpr), encoding='utf-8-sig').read(), re.M)
    database = sqlite3.connect(sqlite_file)
    names = {(m[0].lower(), m[1]): m[2] for m in (re.findall(r"'((?:[^']|'')*)'", r) for r in renamed)}
    units = read_units(out)
    expected, counts = {}, dict(forms=0, shown=0, controls=0, equal=0)
    for unit, _, _, cursors, controls in units:
        for name, control_class, source, field in controls:
            table, order, condition = cursors[source]
            row = first_row(database, names.get((unit.lower(), table), table), order, condition)
            if row is not None and field.lower() in row:
                expected[(unit, name)] = (control_class, row[field.lower()], f'{source} {table}.{field}')
    units = [u for u in units if any((u[0], c[0]) in expected for c in u[4])]
    os.makedirs(work, exist_ok=True)
    failures = []
    with lcl_program.Display() as display:
        for number, group in enumerate(group_units(units)):
            source = os.path.join(work, f'showdata{number}.lpr')
            with open(source, 'w') as program:
                program.write(PROGRAM % (',\n  '.join(u[0] for u in group), '\n'.join('  ' + r for r in renamed),
                                         '\n'.join(f"  Show('{u[0]}', {u[0]}.{u[1]});" for u in group)))
            built = lcl_program.compile(source, sorted({u[2] for u in group}), os.path.join(work, f'g{number}'))
            if built is None:
                failures += [f'{u[0]}: does not compile' for u in group]; continue
            lines, status = lcl_program.run(built, [connection], display, quiet_for=60)
            counts['forms'] += len(group)
            seen = set()
            for line in lines:
                parts = line.split('\t')
                if len(parts) >= 2 and parts[1] == 'shown': counts['shown'] += 1; seen.add(parts[0]); continue
                if len(parts) >= 2 and parts[1] == 'error': failures.append(f'{parts[0]}: {parts[-1]}'); seen.add(parts[0]); continue
                if len(parts) != 3 or (parts[0], parts[1]) not in expected: continue
                control_class, value, where = expected[(parts[0], parts[1])]
                shown = parts[2].replace('\\r', '\r').replace('\\n', '\n')
                counts['controls'] += 1
                if shown_as_stored(control_class, shown, value): counts['equal'] += 1
                else: failures.append(f'{parts[0]}.{parts[1]} ({where}): shows {shown!r}, the first record holds {value!r}')
            failures += [f'{u[0]}: not shown (the program stopped, status {status})' for u in group if u[0] not in seen]
    for failure in failures: print(failure)
    print(', '.join(f'{value} {key}' for key, value in counts.items()))
    return 0 if not failures else 1


if __name__ == '__main__':
    sys.exit(main())
