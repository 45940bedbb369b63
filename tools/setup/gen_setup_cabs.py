#!/usr/bin/env python3
"""Device setup cabinets, one per pack, made from the packs' manifests.

    gen_setup_cabs.py BUILD OUT [MANIFEST ...]

Reads every pack manifest (tools/manifest/<pack>.txt; not the device's,
the system's or the test fixtures') unless manifests are named, and writes
into OUT:

  <pack>.cab      the pack's device setup cabinet: its setup file
                  ("<stub>.000", layout in tools/setup/README.md) and every
                  file it installs under its cabinet name ("<stub>.<id>"),
                  packed uncompressed by gcab;
  catalogue.txt   one line per pack for the desktop installer:
                  pack|title|application|cabinet|bytes|applets|description
  <pack>.record.reg  the installer's record of the pack, for the boot
                  installation (tools/device) to write beside the pack

A pack's title and description come from its `pack` line
(`pack | Calculators | what it brings`); a manifest without one is titled
after its file name and described by its opening comment.  A cabinet is
rewritten only when what goes into it changed.
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SRC = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MANIFESTS = os.path.join(SRC, "tools", "manifest")
NOT_PACKS = {"device.txt", "system.txt", "tests.txt"}

PROVIDER = "ZARQ"
PROCESSOR = 2577            # the device's processor (StrongARM)
HIVES = {"HKCR": 1, "HKCU": 2, "HKLM": 3}
# Folder macros the device's installer expands, longest first.
MACROS = [
    ("\\Windows\\Start Menu\\Programs", "%CE11%"),
    ("\\Windows\\Start Menu", "%CE17%"),
    ("\\Windows\\StartUp", "%CE4%"),
    ("\\Windows\\Fonts", "%CE15%"),
    ("\\Windows", "%CE2%"),
    ("\\Program Files", "%CE1%"),
    ("\\My Documents", "%CE5%"),
]
FILE_NO_OVERWRITE = 0x00000010   # keep a copy the device already has (samples)
FILE_IGNORE_DATE = 0x40000000    # replace whatever date the device's copy has
FILE_SELF_REGISTER = 0x00000001  # a component library: the installer calls its DllRegisterServer
REG_TYPE_SZ, REG_TYPE_BINARY, REG_TYPE_DWORD = 0x00000000, 0x00000001, 0x00010001
APPLET_KEY = "HKLM\\SOFTWARE\\ZARQ\\APPLETS\\"


class ManifestError(Exception):
    pass


def fields(line):
    return [f.strip() for f in line.split("|")]


def source_path(build, text):
    if text.startswith("bin/"):
        return os.path.join(build, text)
    if text.startswith("src:"):
        return os.path.join(SRC, text[4:])
    return text


def split_device_path(path):
    """(folder, name) of a drive-less device path."""
    if not path.startswith("\\") or path.endswith("\\"):
        raise ManifestError("not a device file path: %s" % path)
    folder, _, name = path.rpartition("\\")
    return folder or "\\", name


class Pack:
    def __init__(self, manifest):
        self.manifest = manifest
        self.name = os.path.splitext(os.path.basename(manifest))[0]
        self.title = self.name.capitalize()
        self.description = ""
        self.folders = []          # device folders, in order of first use
        self.files = []            # (device folder, name, host source, flags)
        self.values = []           # (root, key, name, type, data bytes)
        self.links = []            # (.lnk device path, device target)
        self.applets = []

    def folder(self, path):
        if path not in self.folders:
            self.folders.append(path)

    def add_file(self, device_path, source, flags=FILE_IGNORE_DATE):
        folder, name = split_device_path(device_path)
        self.folder(folder)
        self.files = [f for f in self.files if (f[0].lower(), f[1].lower()) != (folder.lower(), name.lower())]
        self.files.append((folder, name, source, flags))

    def self_register(self, device_path):
        folder, name = split_device_path(device_path)
        for i, (f, n, source, flags) in enumerate(self.files):
            if f.lower() == folder.lower() and n.lower() == name.lower():
                self.files[i] = (f, n, source, flags | FILE_SELF_REGISTER)
                return
        raise ManifestError("%s: %s is not installed (a file line comes first)" % (self.manifest, device_path))

    def add_tree(self, source, device_folder, flags=FILE_IGNORE_DATE):
        self.folder(device_folder)
        for root, dirs, names in os.walk(source):
            dirs.sort()
            rel = os.path.relpath(root, source)
            folder = device_folder if rel == "." else device_folder + "\\" + rel.replace("/", "\\")
            self.folder(folder)
            for name in sorted(names):
                self.add_file(folder + "\\" + name, os.path.join(root, name), flags)

    def add_value(self, path, name, kind, data):
        root, _, key = path.partition("\\")
        if root not in HIVES or not key:
            raise ManifestError("%s: unknown registry root in %s" % (self.manifest, path))
        substitute = 0
        if kind == "sz":
            # Paths into the programs' folder follow the application where
            # the user installs it (the device or a storage card).
            if data.lower().startswith("\\program files\\") or data.lower() == "\\program files":
                data, substitute = "%CE1%" + data[len("\\Program Files"):], 1
            value = (REG_TYPE_SZ, data.encode("cp1252") + b"\0")
        elif kind == "dword":
            value = (REG_TYPE_DWORD, struct.pack("<I", int(data, 0)))
        elif kind == "hex":
            value = (REG_TYPE_BINARY, bytes(int(b, 16) for b in data.split(",") if b.strip()))
        else:
            raise ManifestError("%s: unknown value type %s" % (self.manifest, kind))
        self.values.append((root, key, name, substitute) + value)


def read_pack(build, manifest):
    pack = Pack(manifest)
    opening, in_opening = [], True
    with open(manifest, encoding="utf-8") as text:
        for raw in text:
            line = raw.strip()
            if not line:
                in_opening = in_opening and not opening
                continue
            if line.startswith("#"):
                if in_opening:
                    opening.append(line.lstrip("#").strip())
                continue
            in_opening = False
            kind, *rest = fields(line)
            rest += [""] * (5 - len(rest))
            a, b, c, d = rest[:4]
            src = source_path(build, a)
            if kind == "pack":
                pack.title, pack.description = a, b
            elif kind == "file":
                if not os.path.isfile(src):
                    raise ManifestError("%s: %s is missing (not built?)" % (manifest, src))
                pack.add_file(b, src)
            elif kind == "tree":
                if not os.path.isdir(src):
                    raise ManifestError("%s: folder %s is missing" % (manifest, src))
                pack.add_tree(src, b)
            elif kind == "mkdir":
                pack.folder(a)
            elif kind == "reg":
                pack.add_value(a, b, c, d)
            elif kind == "applet":
                if not os.path.isfile(src):
                    raise ManifestError("%s: %s is missing (not built?)" % (manifest, src))
                pack.add_file(b, src)
                settings = {"type": "0", "group": "Default", "order": "99", "enabled": "1",
                            "options": "0", "notify": "0"}
                for pair in d.split():
                    key, _, value = pair.partition("=")
                    if key not in settings:
                        raise ManifestError("%s: unknown applet setting %s" % (manifest, pair))
                    settings[key] = value
                key = APPLET_KEY + c
                # The values in the order the boot installation writes them.
                for name, kind_, data in (("Type", "dword", settings["type"]),
                                          ("Options", "dword", settings["options"]),
                                          ("Order", "dword", settings["order"]),
                                          ("Enabled", "dword", settings["enabled"]),
                                          ("DLL", "sz", b), ("Group", "sz", settings["group"]),
                                          ("Notify", "dword", settings["notify"])):
                    pack.add_value(key, name, kind_, data)
                pack.applets.append(c)
            elif kind == "selfreg":
                pack.self_register(a)
            elif kind == "shortcut":
                pack.links.append((a, b, c))
            elif kind == "seed":
                if os.path.isdir(src):
                    pack.add_tree(src, b, FILE_NO_OVERWRITE)
                elif os.path.isfile(src):
                    pack.add_file(b, src, FILE_NO_OVERWRITE)
                else:
                    raise ManifestError("%s: %s is missing" % (manifest, src))
            else:
                raise ManifestError("%s: unknown entry kind %s" % (manifest, kind))
    if not pack.description:
        pack.description = " ".join(opening)
    return pack


class SetupWriter:
    """The setup file's sections, strings shared by every section."""

    def __init__(self):
        self.strings = []      # (id, bytes)
        self.string_ids = {}

    def string(self, text):
        if text not in self.string_ids:
            self.string_ids[text] = len(self.strings) + 1
            self.strings.append((len(self.strings) + 1, text.encode("cp1252") + b"\0"))
        return self.string_ids[text]

    def folder_string_ids(self, path):
        for prefix, macro in MACROS:
            if path.lower() == prefix.lower() or path.lower().startswith(prefix.lower() + "\\"):
                rest = path[len(prefix):]
                parts = [macro] + [p for p in rest.split("\\") if p]
                break
        else:
            parts = [p for p in path.split("\\") if p]
        for part in parts:
            if part in (".", "..") or ":" in part or "/" in part:
                raise ManifestError("a folder outside the device's tree: %s" % path)
        return [self.string(p) for p in parts]


def string_id_list(ids):
    return struct.pack("<%dH" % (len(ids) + 1), *(ids + [0]))


def shortcut_text(target, args):
    command = target if target.startswith('"') else '"%s"' % target
    if args:
        command += " " + args
    return ("%d#%s" % (len(command), command)).encode("cp1252")


def cabinet_stub(name):
    stem = "".join(ch for ch in os.path.splitext(name)[0] if ch.isalnum())[:8]
    return stem.rjust(8, "0")


def build_setup(pack, application, work):
    """Writes the members into work; returns [(member name, path)], setup first."""
    w = SetupWriter()
    app_id = w.string(application)
    provider_id = w.string(PROVIDER)
    folders = {}
    for path in pack.folders:
        folders[path.lower()] = (len(folders) + 1, w.folder_string_ids(path))

    members, file_records = [], []
    files = list(pack.files)
    links = []
    installed = {(f[0] + "\\" + f[1]).lower(): i for i, f in enumerate(files)}
    extra = 0
    for lnk, target, args in pack.links:
        # A shortcut to a file of the pack is a link record; any other
        # (arguments, a target elsewhere) travels as the shortcut file itself.
        if not args and target.lower() in installed:
            links.append((lnk, installed[target.lower()] + 1))
            continue
        extra += 1
        path = os.path.join(work, "link%d.lnk" % extra)
        with open(path, "wb") as out:
            out.write(shortcut_text(target, args))
        folder, name = split_device_path(lnk)
        files.append((folder, name, path, FILE_IGNORE_DATE))
    for path in [f[0] for f in files] + [split_device_path(l[0])[0] for l in links]:
        if path.lower() not in folders:
            folders[path.lower()] = (len(folders) + 1, w.folder_string_ids(path))
    if len(files) > 999:
        raise ManifestError("%s: more than 999 files" % pack.manifest)

    for number, (folder, name, source, flags) in enumerate(files, start=1):
        member = "%s.%03d" % (cabinet_stub(name), number)
        shutil.copyfile(source, os.path.join(work, member))
        members.append(member)
        encoded = name.encode("cp1252") + b"\0"
        file_records.append(struct.pack("<HHHIH", number, folders[folder.lower()][0], number, flags,
                                         len(encoded)) + encoded)

    hives, hive_records, value_records = {}, [], []
    for root, key, name, substitute, kind, data in pack.values:
        hive_key = (root, key.lower())
        if hive_key not in hives:
            hives[hive_key] = len(hives) + 1
            id_list = string_id_list([w.string(p) for p in key.split("\\") if p])
            hive_records.append(struct.pack("<HHHH", hives[hive_key], HIVES[root], 0, len(id_list)) + id_list)
        body = name.encode("cp1252") + b"\0" + data
        value_records.append(struct.pack("<HHHIH", len(value_records) + 1, hives[hive_key], substitute, kind,
                                         len(body)) + body)

    link_records = []
    for number, (lnk, file_id) in enumerate(links, start=1):
        folder, name = split_device_path(lnk)
        if name.lower().endswith(".lnk"):
            name = name[:-4]
        id_list = string_id_list(w.folder_string_ids(folder) + [w.string(name)])
        link_records.append(struct.pack("<HHHHHH", number, 0, 0, file_id, 1, len(id_list)) + id_list)

    folder_records = []
    for path in sorted(folders, key=lambda p: folders[p][0]):
        number, ids = folders[path]
        id_list = string_id_list(ids)
        folder_records.append(struct.pack("<HH", number, len(id_list)) + id_list)
    string_records = [struct.pack("<HH", i, len(b)) + b for i, b in w.strings]

    sections = [string_records, folder_records, file_records, hive_records, value_records, link_records]
    offsets, body, at = [], b"", 100
    for records in sections:
        offsets.append(at)
        chunk = b"".join(records)
        body += chunk
        at += len(chunk)
    # Name, provider and the (empty) unsupported list point into the strings.
    name_at = 100 + 4
    provider_at = 100 + len(string_records[0]) + 4
    header = b"MSCE" + struct.pack("<IIIII", 0, 100 + len(body), 0, 1, PROCESSOR)
    header += struct.pack("<IIIIII", 3, 0, 100, 0, 0, 0)
    header += struct.pack("<6H", *[len(s) for s in sections])
    header += struct.pack("<6I", *offsets)
    header += struct.pack("<6H", name_at, len(application) + 1, provider_at, len(PROVIDER) + 1, 0, 0)
    header += struct.pack("<HH", 0, 0)
    assert len(header) == 100 and app_id == 1 and provider_id == 2
    setup_member = "%s.000" % cabinet_stub(application)
    with open(os.path.join(work, setup_member), "wb") as out:
        out.write(header + body)
    return [setup_member] + members


def digest(pack, application):
    h = hashlib.sha256(application.encode())
    for folder, name, source, flags in pack.files:
        h.update(("%s|%s|%d" % (folder, name, flags)).encode())
        with open(source, "rb") as data:
            h.update(data.read())
    h.update(repr((pack.folders, pack.values, pack.links)).encode())
    with open(__file__, "rb") as me:
        h.update(me.read())
    return h.hexdigest()


def make_cabinet(pack, out):
    application = "Ketra " + pack.title
    cab = os.path.join(out, pack.name + ".cab")
    stamp = cab + ".digest"
    wanted = digest(pack, application)
    if os.path.isfile(cab) and os.path.isfile(stamp) and open(stamp).read() == wanted:
        return application, cab
    with tempfile.TemporaryDirectory() as work:
        members = build_setup(pack, application, work)
        subprocess.run(["gcab", "-c", "-n", cab + ".tmp"] + [os.path.join(work, m) for m in members],
                       check=True)
    os.replace(cab + ".tmp", cab)
    with open(stamp, "w") as out_stamp:
        out_stamp.write(wanted)
    return application, cab


def hex_multi_string(items):
    # The boot's registry file is 8-bit text: its importer widens these
    # bytes as it widens the rest of the file.
    data = "".join(item + "\0" for item in items) + "\0"
    return "hex(7):" + ",".join("%02x" % b for b in data.encode("cp1252"))


def write_record(pack, application, out):
    """The record the device's installer would write for this pack, as a
    registry file: the boot installation imports it, so Remove Programs
    lists and removes a pack the boot put on the device.  Samples are left
    out: what the user's documents hold stays theirs."""
    files = [folder + "\\" + name for folder, name, _, flags in pack.files if not flags & FILE_NO_OVERWRITE]
    files += [lnk for lnk, _, _ in pack.links]
    values = ["%s\\%s|%s" % (root, key, name) for root, key, name, *_ in pack.values]
    escaped = application.replace("\\", "\\\\").replace('"', '\\"')
    text = ("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Apps\\%s %s]\r\n" % (PROVIDER, application) +
            '"Instl"=dword:00000001\r\n' +
            '"Application"="%s"\r\n' % escaped +
            '"Files"=%s\r\n' % hex_multi_string(files) +
            '"Folders"=%s\r\n' % hex_multi_string([]) +
            '"Values"=%s\r\n\r\n' % hex_multi_string(values))
    record = os.path.join(out, pack.name + ".record.reg")
    with open(record + ".tmp", "w", encoding="utf-8", newline="") as reg:
        reg.write(text)
    os.replace(record + ".tmp", record)


def pack_manifests():
    names = sorted(os.listdir(MANIFESTS))
    return [os.path.join(MANIFESTS, n) for n in names
            if n.endswith(".txt") and n not in NOT_PACKS and not n.endswith(".tests.txt")]


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    build, out = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    manifests = argv[3:] or pack_manifests()
    os.makedirs(out, exist_ok=True)
    lines = []
    try:
        for manifest in manifests:
            pack = read_pack(build, manifest)
            application, cab = make_cabinet(pack, out)
            write_record(pack, application, out)
            lines.append("|".join([pack.name, pack.title, application, os.path.basename(cab),
                                   str(os.path.getsize(cab)), ",".join(pack.applets),
                                   pack.description.replace("|", "/")]))
    except (ManifestError, OSError, ValueError, UnicodeError, subprocess.CalledProcessError) as error:
        print("gen_setup_cabs: %s" % error, file=sys.stderr)
        return 1
    catalogue = os.path.join(out, "catalogue.txt")
    with open(catalogue + ".tmp", "w", encoding="cp1252", newline="\r\n") as text:
        text.write("\n".join(lines) + "\n")
    os.replace(catalogue + ".tmp", catalogue)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
