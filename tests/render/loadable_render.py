#!/usr/bin/env python3
"""The test loadable_render: shows the sample forms and the corpus forms of forms.txt as the LCL draws
them (scripts/show-forms.sh) and holds what it measures to the minimums below. Every form must compile
and show. Then it runs every method with translated code (scripts/run-handlers.py): none may hang or
crash, and at most RAISED_AT_MOST per cent may raise. Exits 77 (skipped) when the shared folder or something the showing needs is absent.
Usage: loadable_render.py CONVERTER SHARED_DIR WORKDIR   ($QUORVEX_SHARED, where set, is the shared folder)"""
import glob, os, re, subprocess, sys

# Per cent of the compared values that must be what FoxPro shows, at least.
AT_LEAST = {'geometry': 99, 'captions': 99.9, 'fonts': 99, 'visibility': 99.9, 'events wired': 99,
            'method code kept': 99, 'state': 95}
# Per cent of the compared objects ("of N") that may be so, at the most.
AT_MOST = {'objects without a control': 1, 'collapsed to 1 px': 0.5, 'hidden under a windowed sibling': 0.15}
# Translated code may raise where FoxPro would too, or where code left untranslated would have filled a list.
RAISED_AT_MOST = 1

converter, shared, work = sys.argv[1:4]
shared = os.environ.get('QUORVEX_SHARED') or shared
here = os.path.dirname(os.path.abspath(__file__))
repo = os.path.dirname(os.path.dirname(here))
corpus = os.path.join(shared, 'corpus', 'forms')
if not os.path.isdir(corpus):
    print(f'loadable_render skipped: the shared corpus {corpus} is absent')
    sys.exit(77)

names = [line.split('#')[0].strip() for line in open(os.path.join(here, 'forms.txt'))]
inputs = sorted(glob.glob(os.path.join(repo, 'samples', '*.scx'))) + [os.path.join(corpus, n) for n in names if n]
run = subprocess.run(['sh', os.path.join(repo, 'scripts', 'show-forms.sh'), converter, work, *inputs],
                     env=dict(os.environ, QUORVEX_SHARED=shared), stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
if run.returncode == 77:
    print('loadable_render skipped: ' + run.stderr.strip())
    sys.exit(77)
print(run.stdout + run.stderr, end='')

failures = [] if run.returncode == 0 else ['not every form was converted and shown (above)']
line = next((l for l in run.stdout.splitlines() if l.startswith('forms: fidelity: ')), None)
if line is None:
    print('loadable_render: the forms were not measured (above)')
    sys.exit(1)
for name, least in AT_LEAST.items():
    right, checked = (int(n) for n in re.search(rf'{name} (\d+)/(\d+)', line).groups())
    if not checked or 100 * right / checked < least:
        failures.append(f'{name} {right}/{checked}: under {least}%')
objects = int(re.search(r'objects without a control \d+ of (\d+)', line).group(1))
for name, most in AT_MOST.items():
    count = int(re.search(rf'{name} (\d+)', line).group(1))
    if not objects or 100 * count / objects > most:
        failures.append(f'{name} {count} of {objects} objects: over {most}%')
handlers = subprocess.run([sys.executable, os.path.join(repo, 'scripts', 'run-handlers.py'), os.path.join(work, 'forms', 'out'),
                           os.path.join(work, 'handlers')], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
print(handlers.stdout, end='')
counts = re.search(r'methods run: (\d+) .* raised (\d+)', handlers.stdout)
if handlers.returncode != 0 or counts is None:
    failures.append('translated code did not compile, hung or crashed (above)')
elif 100 * int(counts.group(2)) > RAISED_AT_MOST * int(counts.group(1)):
    failures.append(f'translated code raised in {counts.group(2)} of {counts.group(1)} methods: over {RAISED_AT_MOST}%')
print('\n'.join(f'loadable_render: {f}' for f in failures) or 'loadable_render: every minimum met')
sys.exit(1 if failures else 0)
