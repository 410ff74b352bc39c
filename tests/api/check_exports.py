#!/usr/bin/python3
"""Checks that libzoqapi exports exactly its interface: every ZOQ_* function
declared in zoqapi.h (plain C names, two with C++ symbols), the pixel
helpers, g_SkipTable and CBusManager::LogSetLocal; besides them the
continuous-acquisition functions declared in zoqstream.h, all with their own
ZOQStream_ prefix; and nothing else."""
import re
import subprocess
import sys

library, header, stream_header = sys.argv[1], sys.argv[2], sys.argv[3]
text = open(header).read()
declared = set(re.findall(r'ZOQ_EXPORT int (ZOQ_\w+)\(', text))
helpers = set(re.findall(r'ZOQ_EXPORT int (Helper_\w+)\(', text))
cxx = {'_Z19ZOQ_ReadMapfromFilePKcRiS1_RPfS3_', '_Z9ZOQ_RemapPhiiiS_PfS0_'}
others = {'g_SkipTable', '_ZN11CBusManager11LogSetLocalEbPKc'}
stream_text = open(stream_header).read()
stream = set(re.findall(r'ZOQ_EXPORT int (\w+)\(', stream_text))

out = subprocess.run(['nm', '-D', '--defined-only', library], check=True,
                     capture_output=True, text=True).stdout
exported = {line.split()[-1] for line in out.splitlines() if line.strip()}

errors = []
outside = {name for name in stream if not name.startswith('ZOQStream_')}
if outside:
    errors.append('zoqstream.h declares names outside its prefix: ' + ', '.join(sorted(outside)))
if declared & stream:
    errors.append('declared in both headers: ' + ', '.join(sorted(declared & stream)))
missing = (declared | helpers | cxx | others | stream) - exported
if missing:
    errors.append('not exported: ' + ', '.join(sorted(missing)))
extra = exported - declared - helpers - cxx - others - stream
if extra:
    errors.append('exported but not part of the interface: ' + ', '.join(sorted(extra)))
plain = {name for name in exported if name.startswith('ZOQ_')}
print(f'{len(plain)} plain ZOQ_ functions, {len(cxx & exported)} with C++ symbols, '
      f'{len(stream & exported)} ZOQStream_ functions, {len(exported)} symbols in all')
if errors:
    print('\n'.join(errors))
    sys.exit(1)
