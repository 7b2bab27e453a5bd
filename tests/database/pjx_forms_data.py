#!/usr/bin/env python3
"""The six shared FoxPro projects (shared pjx/), converted with --loadable: their forms, shown by Lazarus
programs that open NAME.sqlite, show their cursors' first records in their data-aware controls
(scripts/show-data.py). With --postgres, NAME.sql of each project is loaded into a PostgreSQL server this
script starts, and the forms opening that server show the same records.

usage: pjx_forms_data.py CONVERTER SHARED_DIR WORK_DIR [--postgres]
Exits 77 (skipped) when the shared folder, or what the programs or the server need, is absent."""

import os
import shutil
import subprocess
import sys

import pjx_database

HERE = os.path.dirname(os.path.abspath(__file__))
SHOW_DATA = os.path.join(HERE, '..', '..', 'scripts', 'show-data.py')


def show(out, sqlite_path, work, connection=None):
    """show-data.py's last line (its counts); the test fails on any form or control it names."""
    command = [sys.executable, SHOW_DATA, out, sqlite_path, work] + ([connection] if connection else [])
    run = subprocess.run(command, capture_output=True, text=True)
    if run.returncode == 77:
        print('pjx_forms_data skipped: ' + run.stderr.strip())
        sys.exit(77)
    lines = run.stdout.splitlines()
    assert run.returncode in (0, 1) and lines, f'{out}: show-data stopped: {run.stdout}{run.stderr}'
    problems = [line for line in lines[:-1]]
    assert not problems, f'{out}:\n' + '\n'.join(problems)
    return lines[-1]


def main():
    converter, shared, work = sys.argv[1:4]
    with_postgres = '--postgres' in sys.argv[4:]
    projects = pjx_database.shared_projects(shared)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    server = pjx_database.postgres() if with_postgres else None
    controls = 0
    try:
        for number, pjx in enumerate(projects):
            data = pjx_database.convert(converter, pjx, work)
            if not data:
                continue
            sqlite_path, sql_path = data['files']
            out = os.path.dirname(sqlite_path)
            connection = None
            if server:
                pjx_database.check_in_postgres(server[0], server[2], sql_path, data, number)
                connection = f'host={server[2]} dbname=app{number} user=postgres'
            counts = show(out, sqlite_path, os.path.join(work, f'show{number}'), connection)
            print(f'{os.path.basename(pjx)}: {counts}')
            controls += int(counts.split(', ')[2].split()[0])
    finally:
        if server:
            pjx_database.stop(server)
    assert controls > 0, 'no control of any form was compared'
    return 0


if __name__ == '__main__':
    sys.exit(main())
