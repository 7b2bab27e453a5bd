#!/usr/bin/env python3
"""The application data of the six shared FoxPro projects (shared pjx/), converted with --loadable:
every table a project or its forms name is in NAME.sqlite with every record and value, as a DBF
reader of this script's own reads them; NAME.sql, loaded into SQLite, holds the same. With
--postgres, NAME.sql is loaded into a PostgreSQL server this script starts in a folder of its own.

usage: pjx_database.py CONVERTER SHARED_DIR WORK_DIR [--postgres]
Exits 77 (skipped) when the shared folder or, with --postgres, PostgreSQL's programs are absent."""

import datetime
import decimal
import glob
import json
import os
import shutil
import sqlite3
import struct
import subprocess
import sys
import tempfile

SKIP = 77
CODE_PAGES = {0x00: 'cp1252', 0x01: 'cp437', 0x02: 'cp850', 0x03: 'cp1252', 0x64: 'cp852', 0x65: 'cp866',
              0x66: 'cp865', 0x67: 'cp861', 0xC8: 'cp1250', 0xC9: 'cp1251', 0xCA: 'cp1254', 0xCB: 'cp1253'}
VFP = (0x30, 0x31, 0x32)
JULIAN_1970 = 2440588


def file_no_case(folder, name):
    for entry in os.listdir(folder):
        if entry.lower() == name.lower():
            return os.path.join(folder, entry)
    return None


class Memo:
    def __init__(self, table_path):
        stem = os.path.splitext(os.path.basename(table_path))[0]
        path = file_no_case(os.path.dirname(table_path), stem + '.fpt')
        self.data = open(path, 'rb').read() if path else None
        self.block = struct.unpack('>H', self.data[6:8])[0] if self.data and len(self.data) >= 8 else 0

    def entry(self, block):
        """The entry's bytes, or None where this reader finds none."""
        if block == 0:
            return b''
        if not self.data or self.block == 0:
            return None
        at = block * self.block
        if at + 8 > len(self.data):
            return None
        length = struct.unpack('>I', self.data[at + 4:at + 8])[0]
        return self.data[at + 8:at + 8 + length]


def read_dbf(path):
    """Fields and records: each record (number, deleted, values), a value as SQL should hold it, or
    the marker INVALID where this reader cannot read it."""
    data = open(path, 'rb').read()
    version, header, width = data[0], struct.unpack('<H', data[8:10])[0], struct.unpack('<H', data[10:12])[0]
    code_page = CODE_PAGES[data[29]]
    fields, offset, at = [], 1, 32
    end = header - (263 if version in VFP else 0) - 1
    while at + 32 <= end + 1 and data[at] != 0x0D:
        raw = data[at:at + 32]
        name = raw[:11].split(b'\0')[0].decode('latin-1')
        kind, length, decimals, flags = chr(raw[11]), raw[16], raw[17], raw[18] if version in VFP else 0
        size = length + 256 * decimals if kind == 'C' else length
        fields.append(dict(name=name, kind=kind, size=size, decimals=decimals, flags=flags, offset=offset))
        offset += size
        at += 32
    bit = 0
    for field in fields:
        if field['kind'] in 'VQ' and field['kind'] != '0':
            field['length_bit'] = bit
            bit += 1
        if field['flags'] & 0x02 and field['kind'] != '0':
            field['null_bit'] = bit
            bit += 1
    null_field = next((f for f in fields if f['kind'] == '0'), None)
    columns = [f for f in fields if f['kind'] != '0']
    memo = Memo(path)
    count = (len(data) - header) // width if len(data) > header else 0
    records = []
    for number in range(1, count + 1):
        record = data[header + (number - 1) * width:header + number * width]
        flags = int.from_bytes(record[null_field['offset']:null_field['offset'] + null_field['size']], 'little') \
            if null_field else 0
        values = [value_of(f, record[f['offset']:f['offset'] + f['size']], flags, version, code_page, memo)
                  for f in columns]
        records.append((number, record[0:1] == b'*', values))
    return columns, records


INVALID = object()


def value_of(field, raw, null_flags, version, code_page, memo):
    kind, vfp = field['kind'], version in VFP
    if 'null_bit' in field and null_flags >> field['null_bit'] & 1:
        return None
    binary = field['flags'] & 0x04
    if kind == 'C':
        return raw.rstrip(b' \0').decode(code_page, 'replace')
    if kind in 'VQ':
        if null_flags >> field['length_bit'] & 1:
            raw = raw[:raw[-1]]
        return raw if kind == 'Q' else raw.decode(code_page, 'replace')
    if kind in 'MGWP' or (kind == 'B' and not vfp):
        text = raw.strip()
        block = struct.unpack('<I', raw)[0] if vfp else int(text or b'0')
        entry = memo.entry(block)
        if entry is None:
            return INVALID
        return entry.decode(code_page, 'replace') if kind == 'M' and not binary else entry
    if kind in 'NF':
        text = raw.strip().decode('ascii')
        return decimal.Decimal(0) if text == '' else decimal.Decimal(text)
    if kind == 'I':
        return struct.unpack('<i', raw)[0]
    if kind == 'Y':
        return decimal.Decimal(struct.unpack('<q', raw)[0]) / 10000
    if kind == 'B':
        return struct.unpack('<d', raw)[0]
    if kind == 'D':
        text = raw.strip().decode('ascii')
        return None if text in ('', '00000000') else f'{text[:4]}-{text[4:6]}-{text[6:]}'
    if kind == 'T':
        day, milliseconds = struct.unpack('<II', raw)
        if raw.strip(b' \0') == b'':
            return None
        moment = datetime.datetime(1970, 1, 1) + datetime.timedelta(days=day - JULIAN_1970,
                                                                    milliseconds=(milliseconds + 500) // 1000 * 1000)
        return moment.strftime('%Y-%m-%d %H:%M:%S')
    if kind == 'L':
        return 1 if raw in b'TtYy' and raw.strip() else 0
    raise ValueError(f'type {kind} of {field["name"]}')


def same(expected, stored):
    if isinstance(expected, decimal.Decimal):
        return stored is not None and decimal.Decimal(str(stored)) == expected
    if isinstance(expected, float):
        return stored == expected
    return expected == stored


def check_table(database, table, counts):
    columns, records = read_dbf(table['source'])
    lost = {(v['record'], v['column']) for v in table['values_not_carried']}
    names = [row[1] for row in database.execute(f'PRAGMA table_info("{table["name"]}")')][1:]
    assert len(names) == len(columns), f'{table["name"]}: {len(names)} columns for {len(columns)} fields'
    for deleted in (False, True):
        name = table['name'] + ('_deleted' if deleted else '')
        expected = [r for r in records if r[1] == deleted]
        stored = database.execute(f'SELECT * FROM "{name}" ORDER BY 1').fetchall() if expected else []
        assert len(stored) == len(expected), f'{name}: {len(stored)} rows for {len(expected)} records'
        for (number, _, values), row in zip(expected, stored):
            assert row[0] == number, f'{name}: row {row[0]} for record {number}'
            for column, value, cell in zip(names, values, row[1:]):
                counts['values'] += 1
                if (number, column) in lost or value is INVALID:
                    assert (number, column) in lost and cell is None, f'{name} #{number} {column}: {cell!r}'
                    counts['not carried'] += 1
                else:
                    assert same(value, cell), f'{name} #{number} {column}: {cell!r} for {value!r}'
        counts['rows'] += len(expected)


def check_text_in_sqlite(sqlite_path, sql_path, data):
    """NAME.sql loaded into SQLite holds what NAME.sqlite holds, but for the values it lists."""
    stored, loaded = sqlite3.connect(sqlite_path), sqlite3.connect(':memory:')
    loaded.executescript(open(sql_path, encoding='utf-8', newline='').read())
    otherwise = {(t['name'], v['record'], v['column']) for t in data['tables'] for v in t['values_otherwise_in_sql']}
    names = lambda db: sorted(r[0] for r in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'"))
    assert names(stored) == names(loaded), sql_path
    for table in names(stored):
        columns = [row[1] for row in stored.execute(f'PRAGMA table_info("{table}")')]
        base = table[:-8] if table.endswith('_deleted') else table
        for a, b in zip(stored.execute(f'SELECT * FROM "{table}" ORDER BY 1'),
                        loaded.execute(f'SELECT * FROM "{table}" ORDER BY 1')):
            for column, x, y in zip(columns, a, b):
                assert x == y or (base, a[0], column) in otherwise, f'{sql_path}: {table} #{a[0]} {column}'
        assert stored.execute(f'SELECT COUNT(*) FROM "{table}"').fetchone() == \
            loaded.execute(f'SELECT COUNT(*) FROM "{table}"').fetchone()


def convert(converter, pjx, work):
    name = os.path.splitext(os.path.basename(pjx))[0]
    out, report = os.path.join(work, name), os.path.join(work, name + '.json')
    status = subprocess.run([converter, '--loadable', '-q', '-o', out, '--report-json', report, pjx]).returncode
    assert status in (0, 3), f'{pjx}: exit status {status}'
    return json.load(open(report, encoding='utf-8')).get('application_data')


def postgres():
    """A server of this script's own on a socket in a temporary folder: its bin folder, data folder, socket
    folder and the command prefix that runs its programs (as user postgres for root, whom initdb refuses)."""
    found = sorted(glob.glob('/usr/lib/postgresql/*/bin/initdb'))
    if not found:
        print('PostgreSQL server programs (Debian: postgresql) not found: skipped')
        sys.exit(SKIP)
    bin_dir = os.path.dirname(found[-1])
    as_user = ['runuser', '-u', 'postgres', '--'] if os.geteuid() == 0 else []
    folder = tempfile.mkdtemp(prefix='pjx_database_postgres')
    if as_user:
        shutil.chown(folder, 'postgres')
    data = os.path.join(folder, 'data')
    subprocess.run(as_user + [os.path.join(bin_dir, 'initdb'), '-D', data, '-E', 'UTF8', '--locale=C', '-A', 'trust',
                              '-U', 'postgres'], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(as_user + [os.path.join(bin_dir, 'pg_ctl'), '-D', data, '-w', '-l', os.path.join(folder, 'log'),
                              '-o', f"-k {folder} -c listen_addresses=''", 'start'], check=True,
                   stdout=subprocess.DEVNULL)
    return bin_dir, data, folder, as_user


def stop(server):
    """Stops a server postgres() started and removes its folder."""
    bin_dir, data, folder, as_user = server
    subprocess.run(as_user + [os.path.join(bin_dir, 'pg_ctl'), '-D', data, '-m', 'fast', 'stop'],
                   stdout=subprocess.DEVNULL)
    shutil.rmtree(folder, ignore_errors=True)


def shared_projects(shared):
    """The .pjx files of the shared folder's pjx/; exits 77 (skipped) when there are none."""
    projects = sorted(glob.glob(os.path.join(shared, 'pjx', '**', '*.pjx'), recursive=True))
    if not projects:
        print(f'shared pjx/ not found in {shared}: skipped')
        sys.exit(SKIP)
    return projects


def check_in_postgres(bin_dir, socket, sql_path, data, number):
    psql = [os.path.join(bin_dir, 'psql'), '-h', socket, '-U', 'postgres', '-X', '-q', '-v', 'ON_ERROR_STOP=1']
    database = f'app{number}'
    subprocess.run(psql + ['-d', 'postgres', '-c', f'CREATE DATABASE {database}'], check=True)
    with open(sql_path, 'rb') as text:  # read here: the server's user may not reach the build folder
        subprocess.run(psql + ['-d', database, '-f', '-'], stdin=text, check=True)
    for table in data['tables']:
        for name, rows in ((table['name'], table['rows']), (table['name'] + '_deleted', table['deleted_rows'])):
            if rows == 0 and name.endswith('_deleted'):
                continue
            out = subprocess.run(psql + ['-d', database, '-t', '-A', '-c', f'SELECT COUNT(*) FROM "{name}"'],
                                 check=True, capture_output=True, text=True).stdout.strip()
            assert int(out) == rows, f'{sql_path}: {name} has {out} rows in PostgreSQL, not {rows}'


def main():
    converter, shared, work = sys.argv[1:4]
    with_postgres = '--postgres' in sys.argv[4:]
    projects = shared_projects(shared)
    os.makedirs(work, exist_ok=True)
    server = postgres() if with_postgres else None
    counts = dict(projects=0, tables=0, rows=0, values=0)
    counts['not carried'] = 0
    try:
        for number, pjx in enumerate(projects):
            data = convert(converter, pjx, work)
            counts['projects'] += 1
            if not data:
                continue
            sqlite_path, sql_path = data['files']
            if server:
                check_in_postgres(server[0], server[2], sql_path, data, number)
                counts['tables'] += len(data['tables'])
                counts['rows'] += sum(t['rows'] + t['deleted_rows'] for t in data['tables'])
                continue
            database = sqlite3.connect(sqlite_path)
            for table in data['tables']:
                assert table['failure'] is None, f'{table["source"]}: {table["failure"]}'
                check_table(database, table, counts)
                counts['tables'] += 1
            check_text_in_sqlite(sqlite_path, sql_path, data)
    finally:
        if server:
            stop(server)
    print(', '.join(f'{value} {key}' for key, value in counts.items()))
    return 0


if __name__ == '__main__':
    sys.exit(main())
