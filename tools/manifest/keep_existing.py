#!/usr/bin/env python3
"""Drops from an installation registry file the values a device already has.

A device that is booted again keeps what its user changed (applets unticked,
options, skins): installing over it only adds the values that are missing.
The packs' installation records (HKLM Software\Apps) are written whole.

    keep_existing.py INSTALL_REG SYSTEM_REG USER_REG

INSTALL_REG is rewritten in place; SYSTEM_REG and USER_REG are the device's
Wine hives (HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER).
"""
import re
import sys

HIVES = {"HKEY_LOCAL_MACHINE": 0, "HKEY_CURRENT_USER": 1}
VALUE = re.compile(r'^(@|"((?:[^"\\]|\\.)*)")=')


def unescape(text):
    return re.sub(r"\\(.)", r"\1", text)


def value_name(line):
    match = VALUE.match(line)
    if not match:
        return None
    return "" if match.group(1) == "@" else unescape(match.group(2)).lower()


def hive_values(path):
    """(key, value name) pairs of a Wine hive file, lower case."""
    present = set()
    key = None
    try:
        with open(path, encoding="utf-8", errors="replace") as hive:
            for line in hive:
                line = line.rstrip("\r\n")
                if line.startswith("["):
                    key = unescape(line[1:line.rindex("]")]).lower()
                elif key is not None:
                    name = value_name(line)
                    if name is not None:
                        present.add((key, name))
    except OSError:
        pass
    return present


def main(install, system, user):
    present = (hive_values(system), hive_values(user))
    with open(install, encoding="utf-8", newline="") as source:
        text = source.read()
    header, *blocks = text.split("\r\n\r\n[")
    kept = []
    for block in blocks:
        lines = [line for line in ("[" + block).split("\r\n") if line]
        root, _, key = lines[0][1:-1].partition("\\")
        if key.lower().startswith("software\\apps\\"):
            # Installation records follow what this boot installed.
            kept.append("\r\n".join(lines))
            continue
        missing = [line for line in lines[1:]
                   if (key.lower(), value_name(line)) not in present[HIVES.get(root, 0)]]
        if missing:
            kept.append("\r\n".join([lines[0]] + missing))
    out = header + "".join("\r\n\r\n" + block for block in kept) + "\r\n\r\n"
    with open(install + ".tmp", "w", encoding="utf-8", newline="") as target:
        target.write(out)
    import os
    os.replace(install + ".tmp", install)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
