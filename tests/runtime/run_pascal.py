#!/usr/bin/env python3
"""The tests fox_runtime and translated_code: Pascal programs compiled with fpc against the LCL (GTK 2 widget set)
and run on an Xvfb display of their own, with FOXRUNTIME_UNATTENDED set so that dialogs do not wait.
  run_pascal.py runtime TRANSLATE_DIR TEST_DIR WORKDIR
      compiles TEST_DIR/fox_runtime_test.lpr with TRANSLATE_DIR/FoxRuntime.pas and runs it;
  run_pascal.py code TRANSLATE_DIR TEST_DIR WORKDIR CONVERTER MAKE_CODE_FORMS
      writes the forms of TEST_DIR/code_forms.txt, converts them with --loadable, requires every method of them
      to be translated whole and FoxRuntime.pas to be written beside them, then compiles and runs the program that
      calls their handlers and checks the forms.
Exits 77 (skipped) when fpc, the LCL for GTK 2 or Xvfb is missing."""
import glob, os, shutil, subprocess, sys, tempfile, time

mode, translate_dir, test_dir, work = sys.argv[1:5]


def skip(what):
    print(f'{os.path.basename(work)} skipped: {what} is missing')
    sys.exit(77)


lcl = sorted(glob.glob('/usr/lib/lazarus/*/lcl/units/*/gtk2'))
if not shutil.which('fpc'): skip('fpc (Debian package fpc)')
if not lcl: skip('the LCL for GTK 2 (Debian package lcl-gtk2-2.2)')
if not shutil.which('Xvfb'): skip('Xvfb (Debian package xvfb)')
units = os.path.dirname(lcl[-1])
lazarus = os.path.dirname(os.path.dirname(os.path.dirname(units)))
target = os.path.basename(units)


def compile_program(source, unit_dirs):
    out = os.path.join(work, 'obj')
    os.makedirs(out, exist_ok=True)
    command = ['fpc', '-Mdelphi', '-O1', '-vewn', '-FU' + out, '-Fu' + units, '-Fu' + units + '/gtk2',
               '-Fu' + f'{lazarus}/components/lazutils/lib/{target}', '-Fu' + f'{lazarus}/packager/units/{target}',
               '-dLCL', '-dLCLgtk2'] + ['-Fu' + d for d in unit_dirs] + ['-o' + os.path.join(work, 'program'), source]
    run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if run.returncode != 0:
        print('\n'.join(l for l in run.stdout.splitlines() if 'Error' in l or 'Fatal' in l))
        sys.exit(f'{os.path.basename(source)} does not compile')


def run_program():
    with tempfile.TemporaryFile() as display_file:
        xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(display_file.fileno()), '-screen', '0', '1024x768x24',
                                 '-nolisten', 'tcp'], pass_fds=[display_file.fileno()], stderr=subprocess.DEVNULL)
        try:
            for _ in range(100):
                display_file.seek(0)
                number = display_file.read().strip()
                if number: break
                time.sleep(0.1)
            if not number: sys.exit('Xvfb did not start')
            env = dict(os.environ, DISPLAY=':' + number.decode(), FOXRUNTIME_UNATTENDED='1')
            run = subprocess.run([os.path.join(work, 'program')], env=env, stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, text=True, timeout=120)
            print(run.stdout, end='')
            return run.returncode
        finally:
            xvfb.terminate()
            xvfb.wait()


shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
if mode == 'runtime':
    compile_program(os.path.join(test_dir, 'fox_runtime_test.lpr'), [translate_dir])
    sys.exit(run_program())

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
compile_program(os.path.join(forms, 'translated_code.lpr'), [out])
sys.exit(run_program())
