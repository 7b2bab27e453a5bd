"""Lazarus programs built with fpc against the installed LCL (GTK 2 widget set) and run on an Xvfb display of
their own: what the translated-code tests and scripts/run-handlers.py share."""
import glob, os, selectors, shutil, subprocess, tempfile, time


def missing():
    """What is missing to build and run such programs, as the Debian package to install, or None."""
    if not shutil.which('fpc'): return 'fpc (Debian package fpc)'
    if not glob.glob('/usr/lib/lazarus/*/lcl/units/*/gtk2'): return 'the LCL for GTK 2 (Debian package lcl-gtk2-2.2)'
    if not shutil.which('Xvfb'): return 'Xvfb (Debian package xvfb)'
    return None


def compile(source, unit_dirs, work):
    """Compiles SOURCE (Delphi mode) into a program of its name in WORK, the units into WORK/obj (shared by the
    programs of one WORK). The program's path, or None with fpc's errors printed."""
    units = os.path.dirname(sorted(glob.glob('/usr/lib/lazarus/*/lcl/units/*/gtk2'))[-1])
    lazarus = os.path.dirname(os.path.dirname(os.path.dirname(units)))
    target = os.path.basename(units)
    program = os.path.join(work, os.path.splitext(os.path.basename(source))[0])
    obj_dir = os.path.join(work, 'obj')
    os.makedirs(obj_dir, exist_ok=True)
    command = ['fpc', '-Mdelphi', '-O1', '-vewn', '-FU' + obj_dir, '-Fu' + units, '-Fu' + units + '/gtk2',
               '-Fu' + f'{lazarus}/components/lazutils/lib/{target}', '-Fu' + f'{lazarus}/packager/units/{target}',
               '-dLCL', '-dLCLgtk2'] + ['-Fu' + d for d in unit_dirs] + ['-o' + program, source]
    run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors='replace')
    if run.returncode == 0: return program
    print('\n'.join(l for l in run.stdout.splitlines() if 'Error' in l or 'Fatal' in l))
    return None


class Display:
    """An Xvfb display for the length of a with block; its name (":N") is the value."""

    def __enter__(self):
        self.number_file = tempfile.TemporaryFile()
        self.xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(self.number_file.fileno()), '-screen', '0',
                                      '1024x768x24', '-nolisten', 'tcp'], pass_fds=[self.number_file.fileno()],
                                     stderr=subprocess.DEVNULL)
        for _ in range(100):
            self.number_file.seek(0)
            number = self.number_file.read().strip()
            if number: return ':' + number.decode()
            time.sleep(0.1)
        self.__exit__()
        raise RuntimeError('Xvfb did not start')

    def __exit__(self, *_):
        self.xvfb.terminate()
        self.xvfb.wait()
        self.number_file.close()


def run(program, arguments, display, quiet_for):
    """Runs PROGRAM on DISPLAY with dialogs answering at once, and kills it when it prints nothing for QUIET_FOR
    seconds. Its output lines and its exit status (None when it was killed)."""
    env = dict(os.environ, DISPLAY=display, FOXRUNTIME_UNATTENDED='1')
    lines = []
    with subprocess.Popen([program] + arguments, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL) as process:
        waiting = selectors.DefaultSelector()
        waiting.register(process.stdout, selectors.EVENT_READ)
        pending, killed = b'', False
        while waiting.select(timeout=quiet_for):
            chunk = os.read(process.stdout.fileno(), 65536)
            if not chunk: break
            *whole, pending = (pending + chunk).split(b'\n')
            lines += [line.decode('utf-8', 'replace') for line in whole]
        else:
            process.kill()
            killed = True
        status = process.wait()
    return lines + ([pending.decode('utf-8', 'replace')] if pending else []), None if killed else status
