#!/usr/bin/python3
"""Checks that libzoqapi exports exactly its interface: every ZOQ_* function
declared in zoqapi.h (plain C names, two with C++ symbols), the pixel
helpers, g_SkipTable and CBusManager::LogSetLocal, and nothing else."""
import re
import subprocess
import sys

library, header = sys.argv[1], sys.argv[2]
text = open(header).read()
c_block = text
declared = set(re.findall(r'ZOQ_EXPORT int (ZOQ_\w+)\(', c_block))
helpers = set(re.findall(r'ZOQ_EXPORT int (Helper_\w+)\(', c_block))
cxx = {'_Z19ZOQ_ReadMapfromFilePKcRiS1_RPfS3_', '_Z9ZOQ_RemapPhiiiS_PfS0_'}
others = {'g_SkipTable', '_ZN11CBusManager11LogSetLocalEbPKc'}

out = subprocess.run(['nm', '-D', '--defined-only', library], check=True,
                     capture_output=True, text=True).stdout
exported = {line.split()[-1] for line in out.splitlines() if line.strip()}

errors = []
missing = (declared | helpers | cxx | others) - exported
if missing:
    errors.append('not exported: ' + ', '.join(sorted(missing)))
extra = exported - declared - helpers - cxx - others
if extra:
    errors.append('exported but not part of the interface: ' + ', '.join(sorted(extra)))
plain = {name for name in exported if name.startswith('ZOQ_')}
print(f'{len(plain)} plain ZOQ_ functions, {len(cxx & exported)} with C++ symbols, '
      f'{len(exported)} symbols in all')
if errors:
    print('\n'.join(errors))
    sys.exit(1)
