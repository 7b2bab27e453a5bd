#!/usr/bin/python3
"""Puts 20 converted forms, as the LCL draws them, into one picture: each form's PNG from the shots folder
of scripts/show-forms.sh (or of the test loadable_render), scaled down to fit its cell, with its unit's
name under it.
Usage: scripts/forms-picture.py SHOTDIR OUT.png [UNIT...]
  UNIT  the forms to show, by unit name; by default 20 of SHOTDIR's, spread evenly over their names
After `ctest -R loadable_render`:
  scripts/forms-picture.py build/tests/render/loadable_render/forms/shots docs/loadable-forms.png
Needs the Debian packages python3-pil (hence Debian's own python3) and fonts-liberation."""
import os, sys
from PIL import Image, ImageDraw, ImageFont

COUNT, COLUMNS = 20, 4
CELL_W, CELL_H, LABEL_H, GAP = 400, 300, 24, 12

shots, out, units = sys.argv[1], sys.argv[2], sys.argv[3:]
if not units:
    names = sorted(f[:-4] for f in os.listdir(shots) if f.endswith('.png'))
    units = [names[i * len(names) // COUNT] for i in range(min(COUNT, len(names)))]
font = ImageFont.truetype('LiberationSans-Regular.ttf', 15)
rows = (len(units) + COLUMNS - 1) // COLUMNS
sheet = Image.new('RGB', (COLUMNS * (CELL_W + GAP) + GAP, rows * (CELL_H + LABEL_H + GAP) + GAP), 'white')
draw = ImageDraw.Draw(sheet)
for i, unit in enumerate(units):
    x = GAP + i % COLUMNS * (CELL_W + GAP)
    y = GAP + i // COLUMNS * (CELL_H + LABEL_H + GAP)
    form = Image.open(os.path.join(shots, unit + '.png')).convert('RGB')
    form.thumbnail((CELL_W, CELL_H))
    sheet.paste(form, (x, y))
    draw.rectangle((x - 1, y - 1, x + form.width, y + form.height), outline='gray')
    draw.text((x, y + CELL_H + 4), unit, fill='black', font=font)
sheet.save(out)
print(f'{out}: {len(units)} forms')
