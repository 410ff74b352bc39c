#!/usr/bin/python3
"""Checks the generated udev rules: one well-formed rule per camera id pair
(135), each granting uaccess and group plugdev, the generic controller pair
explained by a comment, and no pair the library refuses."""
import re
import sys

rules = open(sys.argv[1], encoding='utf-8').read().splitlines()
rule = re.compile(r'^ATTR\{idVendor\}=="([0-9a-f]{4})", ATTR\{idProduct\}=="([0-9a-f]{4})", '
                  r'MODE="0660", GROUP="plugdev", TAG\+="uaccess"$')
errors = []
pairs = []
for number, line in enumerate(rules, 1):
    if not line or line.startswith('#') or line.startswith('LABEL=') or 'GOTO=' in line:
        continue
    m = rule.match(line)
    if not m:
        errors.append(f'line {number} is not a camera rule: {line}')
        continue
    pairs.append((int(m.group(1), 16), int(m.group(2), 16)))
    if m.group(1) == '04b4' and not rules[number - 2].startswith('# 04b4:8613 is '):
        errors.append('the generic controller pair has no comment above it')

if len(pairs) != 135 or len(set(pairs)) != 135:
    errors.append(f'{len(pairs)} rules, {len(set(pairs))} distinct pairs; expected 135')
for present in [(0x0816, 0x0511), (0x0816, 0x1A2F), (0x0916, 0x0552), (0x0817, 0x0555),
                (0x04B4, 0x8613)]:
    if present not in pairs:
        errors.append(f'{present[0]:04x}:{present[1]:04x} is missing')
for absent in [(0x0916, 0x0555), (0x0816, 0x0514), (0x0816, 0x1D14)]:
    if absent in pairs:
        errors.append(f'{absent[0]:04x}:{absent[1]:04x} is not a camera')
if rules.count('LABEL="zoq_cameras_end"') != 1:
    errors.append('the end label is missing')

for e in errors:
    print(e)
print('udev rules ok' if not errors else f'{len(errors)} faults')
sys.exit(1 if errors else 0)
