#!/usr/bin/python3
"""Checks the rooms of the plug-ins' common code (cam/common): every file
sits in a room, a room includes only itself and the rooms below it, and the
common headers are included by room ("fpga/ZOQCam_Imp.h") everywhere."""
import pathlib
import re
import sys

top = pathlib.Path(sys.argv[1])
common = top / 'cam' / 'common'
# The rooms each room may include besides itself; sony and isg sit side by
# side on the shared sensor class.
below = {
    'plugin': {'fpga', 'util'},
    'sony': {'sensor', 'fpga', 'util'},
    'isg': {'sensor', 'fpga', 'util'},
    'sensor': {'fpga', 'util'},
    'fpga': {'util'},
    'util': set(),
}
quoted = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
headers = {p.name: p.parent.name for p in common.glob('*/*.h')}
faults = []

for path in sorted(common.rglob('*')):
    if path.is_file() and path.parent.name not in below:
        faults.append(f'{path.relative_to(top)} is in no room')

for folder in ('cam', 'tests', 'bench'):
    for path in sorted((top / folder).rglob('*')):
        if path.suffix not in ('.h', '.cpp'):
            continue
        room = path.parent.name if path.parent.parent == common else None
        for name in quoted.findall(path.read_text(encoding='utf-8')):
            if name in headers:
                faults.append(f'{path.relative_to(top)} includes "{name}" without its room')
            target = name.split('/')[0]
            if room and target in below and target != room and target not in below[room]:
                faults.append(f'{path.relative_to(top)} ({room}) includes {name}, a higher room')

print('\n'.join(faults + [f'{len(faults)} layering faults']))
sys.exit(1 if faults else 0)
