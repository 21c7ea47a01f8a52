#!/usr/bin/env python3
"""Fails on an #include that runs against the allowed edges of tools/layers.txt.

  tools/check-includes.py [ROOT] [--xml FILE]

Every quoted include of a source under a folder of the table must name a header of the same
folder or of a folder the table lets it reach. With --xml the outcome is written as a test
report, so tools/run-tests.sh counts it with the other tests.
"""
import os
import re
import sys
from xml.sax.saxutils import quoteattr

SOURCES = ('.h', '.cpp', '.rc')
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def read_table(path):
    table = {}
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.split('#', 1)[0].strip()
        if not line:
            continue
        folder, _, below = line.partition(':')
        if not _ or folder.strip() in table:
            raise SystemExit(f'{path}:{number}: expected one "folder: folders below" line per folder')
        table[folder.strip()] = below.split()
    return table


def reachable(table):
    """Each folder's allowed folders, itself included; a cycle in the table is an error."""
    reach, visiting = {}, set()

    def walk(folder):
        if folder in reach:
            return reach[folder]
        if folder in visiting:
            raise SystemExit(f'layers: {folder} reaches itself again')
        if folder not in table:
            raise SystemExit(f'layers: {folder} is named below another folder but has no line')
        visiting.add(folder)
        allowed = {folder}
        for below in table[folder]:
            allowed |= walk(below)
        visiting.discard(folder)
        reach[folder] = allowed
        return allowed

    for folder in table:
        walk(folder)
    return reach


def owner(table, path):
    """The deepest folder of the table that holds `path` (relative, with '/')."""
    best = None
    for folder in table:
        if path.startswith(folder + '/') and (best is None or len(folder) > len(best)):
            best = folder
    return best


def check(root, table):
    reach = reachable(table)
    faults = []
    for directory, subfolders, files in os.walk(root):
        subfolders[:] = [s for s in subfolders if not s.startswith('.') and s != 'build']
        for name in files:
            if not name.endswith(SOURCES):
                continue
            full = os.path.join(directory, name)
            relative = os.path.relpath(full, root).replace(os.sep, '/')
            top = relative.split('/', 1)[0]
            if top in ('tests', 'bench', 'fuzz', 'tools', 'build') or '/' not in relative:
                continue
            folder = owner(table, relative)
            if folder is None:
                faults.append(f'{relative}: its folder has no line in the table')
                continue
            text = open(full, encoding='utf-8', errors='replace').read()
            for included in INCLUDE.findall(text):
                # A bare name is a header beside the source, perhaps one the build writes.
                beside = os.path.join(directory, included)
                if '/' not in included or os.path.exists(beside):
                    target = os.path.relpath(beside, root)
                else:
                    target = included
                target_folder = owner(table, target.replace(os.sep, '/'))
                if target_folder is None or target_folder not in reach[folder]:
                    faults.append(f'{relative}: includes "{included}", which {folder}/ may not reach')
    return faults


def write_report(path, name, faults):
    failure = ''.join(f'<failure message={quoteattr(f)}/>' for f in faults)
    report = (f'<?xml version="1.0" encoding="UTF-8"?>\n'
              f'<testsuites tests="1" failures="{1 if faults else 0}" disabled="0" errors="0" name="{name}">\n'
              f'<testsuite name="{name}" tests="1"><testcase name="IncludesRunDown">{failure}'
              f'</testcase></testsuite>\n</testsuites>\n')
    with open(path, 'w', encoding='utf-8') as out:
        out.write(report)


def main(arguments):
    xml = None
    if '--xml' in arguments:
        at = arguments.index('--xml')
        xml = arguments[at + 1]
        del arguments[at:at + 2]
    root = arguments[0] if arguments else os.path.join(os.path.dirname(__file__), '..')
    table = read_table(os.path.join(root, 'tools', 'layers.txt'))
    faults = check(root, table)
    for fault in faults:
        print(fault)
    if xml:
        write_report(xml, 'include_check', faults)
    print(f'{len(faults)} include(s) against the layers')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
