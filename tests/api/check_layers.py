#!/usr/bin/python3
"""Checks the include layering of the source tree: the plug-ins, the demosaic
and log libraries and the simulator never include libzoqapi's internals;
inside libzoqapi each room includes only the rooms below it (the device's use
of its bus's transport interface being the one exception), and only frame/
sees the bus manager. The camera id table is the one piece of the library
that tools compile in (zoqcam's access check, the udev rules generator)."""
import os
import re
import sys

root = sys.argv[1]
# From the top of a call down; a room may include itself and rooms after it.
rooms = ['stream', 'frame', 'usb', 'device', 'calibration', 'colourroad', 'rawroad', 'imagefile',
         'geometry', 'platform']
allowed_up = {('device', 'usb/IZOQBus.h')}
shared_with_tools = {'usb/ZOQBusUsb_DeviceIds.h'}
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
errors = []


def sources(folder):
    for base, _, files in os.walk(os.path.join(root, folder)):
        for name in files:
            if name.endswith(('.c', '.cpp', '.h')):
                yield os.path.join(base, name)


def includes(path):
    with open(path, encoding='utf-8') as f:
        return include.findall(f.read())


api_headers = {os.path.relpath(p, os.path.join(root, 'api')) for p in sources('api')}
for outside in ['cam', 'bayer', 'log', 'sim', 'tools', 'examples']:
    for path in sources(outside):
        for inc in includes(path):
            if outside == 'tools' and inc in shared_with_tools:
                continue
            if inc in api_headers or inc.startswith(tuple(r + '/' for r in rooms)) \
                    and os.path.exists(os.path.join(root, 'api', inc)):
                errors.append(f'{os.path.relpath(path, root)} includes api/{inc}')

for path in sources('api'):
    rel = os.path.relpath(path, os.path.join(root, 'api'))
    room = rel.split('/')[0]
    if room not in rooms:
        errors.append(f'api/{rel} is in no room')
        continue
    for inc in includes(path):
        target = inc.split('/')[0]
        if target not in rooms:
            continue
        if inc == 'frame/BusManager.h' and room != 'frame':
            errors.append(f'api/{rel} reaches the bus manager')
        if rooms.index(target) < rooms.index(room) and (room, inc) not in allowed_up:
            errors.append(f'api/{rel} ({room}) includes {inc}, a higher room')

for e in errors:
    print(e)
print(f'{len(errors)} layering faults')
sys.exit(1 if errors else 0)
