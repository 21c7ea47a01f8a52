#!/usr/bin/env python3
"""Sets HKEY_CURRENT_CONFIG\\Software\\Fonts LogPixels in a Wine prefix's system.reg.

    set-log-pixels.py PREFIX/system.reg 84

The Wine server must be stopped: it rewrites the file from memory when it ends.
"""
import re
import sys

KEY = r"[System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]"


def main(path, value):
    with open(path, encoding="utf-8", newline="") as registry:
        text = registry.read()
    line = '"LogPixels"=dword:%08x' % value
    start = text.find(KEY)
    if start < 0:
        text = text.rstrip("\n") + "\n\n" + KEY + "\n" + line + "\n"
    else:
        end = text.find("\n[", start + 1)
        end = len(text) if end < 0 else end
        section = text[start:end]
        if re.search(r'^"LogPixels"=.*$', section, flags=re.M):
            section = re.sub(r'^"LogPixels"=.*$', line, section, flags=re.M)
        else:
            section = section.rstrip("\n") + "\n" + line + "\n"
        text = text[:start] + section + text[end:]
    with open(path, "w", encoding="utf-8", newline="") as registry:
        registry.write(text)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
