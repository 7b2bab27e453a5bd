#!/usr/bin/env python3
"""Runs the translated FoxPro code of converted forms: for every unit of a folder of --loadable output, and every
method of its form that holds translated code, a Lazarus program creates the form, shows it, calls the method
(with a click's arguments: the form as Sender, no key, the left button at 0,0) and frees the form again.
Prints one line per method that raises, hangs or crashes, and a last line of counts.

  run-handlers.py OUTDIR WORKDIR

Needs fpc, the LCL for GTK 2 and Xvfb (scripts/install-deps.sh); runs on an Xvfb display of its own, with
FOXRUNTIME_UNATTENDED set so that message boxes answer at once. A method that runs longer than 20 seconds
counts as hung and the program goes on with the next one."""
import collections, os, re, subprocess, sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lcl_program  # noqa: E402

# The arguments a handler of each parameter list is called with, by the list as the unit declares it.
ARGUMENTS = {
    '': '',
    '(Sender: TObject)': '(F)',
    '(Sender: TObject; var Key: Word; Shift: TShiftState)': '(F, KeyWord, [])',
    '(Sender: TObject; var Key: Char)': '(F, KeyChar)',
    '(Sender: TObject; var Action: TCloseAction)': '(F, CloseAction)',
    '(Sender: TObject; var CanClose: Boolean)': '(F, CanClose)',
    '(Sender: TObject; Shift: TShiftState; X, Y: Integer)': '(F, [], 0, 0)',
    '(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)': '(F, mbLeft, [], 0, 0)',
    '(Sender: TObject; MousePos: TPoint; var Handled: Boolean)': '(F, Point(0, 0), Handled)',
}
COMMENT = re.compile(r'^\s*(\{.*\}|//.*)?\s*$')


def translated_methods(text, form_class):
    """(method, arguments) of each method of the form class whose body holds a statement that is no comment."""
    found = []
    heads = re.finditer(rf'^procedure {form_class}\.(\w+)(\(.*?\))?;\s*$', text, re.M)
    for head in heads:
        name, params = head.group(1), head.group(2) or ''
        body = text[head.end():text.find('\nend;', head.end())]
        statements = body.split('\nbegin\n', 1)[-1].splitlines()
        if name not in ('Loaded', 'DoCreate') and params in ARGUMENTS and any(not COMMENT.match(l) for l in statements):
            found.append((name, ARGUMENTS[params]))
    return found


def read_units(out):
    """(unit, form class, methods) of each unit of OUTDIR's tree with translated code, and the folders."""
    units, dirs = [], set()
    for folder, _, files in os.walk(out):
        for name in sorted(files):
            if not name.lower().endswith('.pas'): continue
            text = open(os.path.join(folder, name), 'rb').read().decode('latin-1').replace('\r\n', '\n')
            unit = re.match(r'(?:\ufeff|\xef\xbb\xbf)?\s*unit\s+(\w+)\s*;', text, re.I)
            form = re.search(r'^\s*(\w+)\s*=\s*class\s*\(\s*TForm\s*\)', text, re.M | re.I)
            if not (unit and form): continue
            methods = translated_methods(text, form.group(1))
            if methods: units.append((unit.group(1), form.group(1), methods)); dirs.add(folder)
    return units, sorted(dirs)


def group_units(units, size=60):
    """Units in groups where no two share a form class name: each program links one form text per class."""
    groups = []
    for unit in units:
        group = next((g for g in groups if unit[1].lower() not in g[0] and len(g[1]) < size), None)
        if group is None: group = (set(), []); groups.append(group)
        group[0].add(unit[1].lower()); group[1].append(unit)
    return [g[1] for g in groups]


PROGRAM_HEAD = '''program runhandlers;
{$mode delphi}{$H+}
uses Interfaces, SysUtils, Classes, Types, Controls, Forms,
  %s;

var F: TForm; Step, First: Integer; KeyWord: Word; KeyChar: Char; CloseAction: TCloseAction;
  CanClose, Handled: Boolean;

function Alive(Form: TForm): Boolean;
var i: Integer;
begin
  Result := False;
  for i := 0 to Screen.CustomFormCount - 1 do Result := Result or (Screen.CustomForms[i] = Form);
end;

{ One method's run: the step announced first, so that a hang or a crash names it; the form created and shown;
  the method called; the outcome; the form freed unless the method released it. }
procedure Before(FormClass: TFormClass);
begin
  WriteLn('start ', Step); Flush(Output);
  F := nil;
  KeyWord := 0; KeyChar := #0; CloseAction := caHide; CanClose := True; Handled := False;
  F := FormClass.Create(Application);
  F.Show; Application.ProcessMessages;
end;

procedure After(const Failure: string);
begin
  if Failure = '' then WriteLn('ok ', Step) else WriteLn('raised ', Step, ' ', Failure);
  Flush(Output);
  Application.ProcessMessages;
  if (F <> nil) and Alive(F) then F.Free;
end;

function Described(E: Exception): string;
begin
  Result := E.ClassName + ': ' + StringReplace(E.Message, LineEnding, ' ', [rfReplaceAll]);
end;

begin
  Application.Initialize;
  First := StrToIntDef(ParamStr(1), 0);
'''

STEP = '''  Step := %d;
  if Step >= First then begin
    try Before(%s.%s); %s(F).%s%s; After('');
    except on E: Exception do After(Described(E)); end;
  end;
'''


def write_program(folder, group):
    steps, lines = [], [PROGRAM_HEAD % ',\n  '.join(u for u, _, _ in group)]
    for unit, form_class, methods in group:
        for method, arguments in methods:
            lines.append(STEP % (len(steps), unit, form_class, form_class, method, arguments))
            steps.append(f'{unit}.{method}')
    lines.append('end.\n')
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'runhandlers.lpr'), 'w') as source: source.write(''.join(lines))
    return steps


def run_steps(program, steps, display, outcome):
    """Runs the program from each step on until every step has an outcome: ok, raised, hung or crashed."""
    first = 0
    while first < len(steps):
        lines, status = lcl_program.run(program, [str(first)], display, quiet_for=20)
        current = None
        for line in lines:
            word, _, rest = line.partition(' ')
            number, _, failure = rest.partition(' ')
            if word == 'start': current = int(number)
            elif word in ('ok', 'raised'): outcome[steps[int(number)]] = (word, failure); current = None
        if current is None: break
        outcome[steps[current]] = ('hung' if status is None else 'crashed', '')
        first = current + 1


def main():
    out, work = sys.argv[1], os.path.abspath(sys.argv[2])
    units, dirs = read_units(out)
    outcome, failed = {}, []
    absent = lcl_program.missing()
    if absent: sys.exit(f'run-handlers: {absent} is missing')
    with lcl_program.Display() as display:
        for number, group in enumerate(group_units(units), 1):
            folder = os.path.join(work, f'g{number:02d}')
            steps = write_program(folder, group)
            program = lcl_program.compile(os.path.join(folder, 'runhandlers.lpr'), dirs, folder)
            if program is None: failed += [u for u, _, _ in group]; continue
            run_steps(program, steps, display, outcome)
    counts = collections.Counter(kind for kind, _ in outcome.values())
    for step, (kind, failure) in sorted(outcome.items()):
        if kind != 'ok': print(f'{step}: {kind} {failure}'.rstrip())
    for unit in failed: print(f'{unit}: does not compile')
    print(f'methods run: {len(outcome)} in {len(units) - len(failed)} units; ok {counts["ok"]}, raised '
          f'{counts["raised"]}, hung {counts["hung"]}, crashed {counts["crashed"]}; units not compiled {len(failed)}')
    return 1 if failed or counts['hung'] or counts['crashed'] else 0


if __name__ == '__main__':
    sys.exit(main())
