#!/usr/bin/env python3
"""The tests fox_runtime and translated_code: Pascal programs compiled with fpc against the LCL (GTK 2 widget set)
and run on an Xvfb display of their own, with FOXRUNTIME_UNATTENDED set so that dialogs do not wait.
  run_pascal.py runtime RUNTIME_DIR TEST_DIR WORKDIR
      compiles TEST_DIR/fox_runtime_test.lpr with RUNTIME_DIR/FoxRuntime.pas and runs it;
  run_pascal.py data RUNTIME_DIR TEST_DIR WORKDIR [--postgres]
      makes an SQLite database as the conversion lays one out (with --postgres, the same on a PostgreSQL
      server it starts), runs TEST_DIR/fox_data_test.lpr with RUNTIME_DIR/FoxData.pas on it, and reads back
      what the program changed;
  run_pascal.py code RUNTIME_DIR TEST_DIR WORKDIR CONVERTER MAKE_CODE_FORMS
      writes the forms of TEST_DIR/code_forms.txt, converts them with --loadable, requires every method of them
      to be translated whole and FoxRuntime.pas to be written beside them, then compiles and runs the program that
      calls their handlers and checks the forms.
Exits 77 (skipped) when fpc, the LCL for GTK 2 or Xvfb is missing."""
import glob, os, shutil, sqlite3, subprocess, sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts'))
import lcl_program  # noqa: E402

mode, runtime_dir, test_dir, work = sys.argv[1:5]


absent = lcl_program.missing()
if absent:
    print(f'{os.path.basename(work)} skipped: {absent} is missing')
    sys.exit(77)


def compile_program(source, unit_dirs):
    program = lcl_program.compile(source, unit_dirs, work)
    if program is None: sys.exit(f'{os.path.basename(source)} does not compile')
    return program


def run_program(program, arguments=()):
    with lcl_program.Display() as display:
        lines, status = lcl_program.run(program, list(arguments), display, quiet_for=120)
    print('\n'.join(lines))
    return 1 if status is None else status


shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
if mode == 'runtime':
    sys.exit(run_program(compile_program(os.path.join(test_dir, 'fox_runtime_test.lpr'), [runtime_dir])))

if mode == 'data':
    # The same table in SQLite and, with --postgres, on a PostgreSQL server of the test's own, which the
    # program reaches through FOXDATA_DATABASE.
    schema = '''
        CREATE TABLE "customer" ("_recno" INTEGER PRIMARY KEY, "name" VARCHAR(4), "amount" NUMERIC(8,2),
                                 "born" DATE, "notes" TEXT);
        INSERT INTO "customer" VALUES (1, 'Abe', 1.5, '2020-01-02', 'memo'), (2, 'Seña', 2.25, NULL, NULL),
                                      (3, 'zed', 3, '1999-12-31', NULL);
        CREATE INDEX "customer.name" ON "customer" (upper("name") DESC);
        CREATE TABLE "customer_deleted" ("_recno" INTEGER PRIMARY KEY, "name" VARCHAR(4), "amount" NUMERIC(8,2),
                                         "born" DATE, "notes" TEXT);
        INSERT INTO "customer_deleted" VALUES (4, 'Old', 0, NULL, NULL);'''
    read_back = 'SELECT _recno, name, amount, born FROM customer ORDER BY _recno'
    expected = [(1, 'Abe', 1.5, '2020-01-02'), (2, 'Seña', 2.25, None), (3, 'Zoë', 3, '2021-03-04'),
                (5, 'new', 7.5, None)]
    program = compile_program(os.path.join(test_dir, 'fox_data_test.lpr'), [runtime_dir])
    path = os.path.join(work, 'app.sqlite')
    if '--postgres' not in sys.argv:
        database = sqlite3.connect(path)
        database.executescript(schema)
        database.close()
        status = run_program(program, [path])
        rows = sqlite3.connect(path).execute(read_back).fetchall()
    else:
        sys.path.insert(0, os.path.join(test_dir, '..', '..', 'tests', 'database'))
        import pjx_database  # noqa: E402
        server = pjx_database.postgres()
        bin_dir, folder = server[0], server[2]
        psql = [os.path.join(bin_dir, 'psql'), '-h', folder, '-U', 'postgres', '-X', '-q', '-v', 'ON_ERROR_STOP=1']
        try:
            subprocess.run(psql + ['-d', 'postgres', '-c', 'CREATE DATABASE app'], check=True)
            subprocess.run(psql + ['-d', 'app', '-c', schema], check=True)
            os.environ['FOXDATA_DATABASE'] = f'host={folder} dbname=app user=postgres'
            status = run_program(program, [path])
            out = subprocess.run(psql + ['-d', 'app', '-t', '-A', '-F', '|', '-c', read_back.replace('born', 'born::text')],
                                 check=True, capture_output=True, text=True).stdout
            rows = [(int(r), n, float(a), b or None) for r, n, a, b in (line.split('|') for line in out.splitlines())]
        finally:
            pjx_database.stop(server)
    if rows != expected: sys.exit(f'the database holds {rows}, not {expected}')
    sys.exit(status)

converter, make_forms = sys.argv[5:7]
forms, out = os.path.join(work, 'forms'), os.path.join(work, 'out')
subprocess.run([make_forms, os.path.join(test_dir, 'code_forms.txt'), forms], check=True)
subprocess.run([converter, '--loadable', '-q', '-o', out] + sorted(glob.glob(os.path.join(forms, '*.scx'))), check=True)
failures = []
if not os.path.exists(os.path.join(out, 'FoxRuntime.pas')): failures.append('FoxRuntime.pas was not written')
for unit in sorted(glob.glob(os.path.join(out, '*.pas'))):
    if '// TODO: FoxPro code below is not fully translated' in open(unit, encoding='utf-8-sig').read():
        failures.append(f'{os.path.basename(unit)}: not every method is translated whole')
if failures: sys.exit('\n'.join(failures))
sys.exit(run_program(compile_program(os.path.join(forms, 'translated_code.lpr'), [out])))
