#!/usr/bin/env python3
"""Checks the tree before anything is compiled; run by `make test`.

1. Every #include "..." follows the layering table of docs/architecture.md
   (the table under "## Layers"): a folder may include its own headers, those
   of the folders its row names, and, through them, what those may include.
   tests/X may include what X may, the tests of those folders, sim and
   platform/testing, plus what a row of its own adds; bench and fuzz may
   include the tests' headers. Includes are written from the top of the
   tree and name a file that exists.
2. The table is the tree as built: every row names a folder that holds
   files, and every folder that makes a library (its CMakeLists.txt calls
   quorvel_library, or QUORVEL_FOLDERS of the top CMakeLists.txt lists it)
   has a row. The table of app's sub-folders (under "## Inside app") names
   every folder below app/ and no other.
3. No file name and no text of the tree names the document the system was
   built from or a numbered part of it; SDL's type names are allowed.

Each fault is printed as file:line: message; the exit status is 1 if any.
"""

import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE_DOC = "docs/architecture.md"
SOURCE_SUFFIXES = (".cpp", ".h", ".cc", ".hpp", ".inc")

# Built from pieces, so that this file passes its own check.
WORD = "sp" + "ec"
FORBIDDEN_WORDS = {WORD, WORD + "s", WORD + "ification", WORD + "ifications"}
PART_IN_TEXT = (re.compile(r"\bparts?[ \t]+\d", re.IGNORECASE), re.compile(r"\bPart_?\d"))
PART_IN_NAME = re.compile(r"(?:^|[^a-z])parts?[ _-]?\d", re.IGNORECASE)
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
CAMEL_WORD = re.compile(r"[A-Z]+(?![a-z])|[A-Z]?[a-z]+|\d+")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
RAW_STRING = re.compile(r'R"([^(\s]{0,16})\(')


def tree_files():
    try:
        out = subprocess.run(
            ["git", "ls-files", "--cached", "--others", "--exclude-standard"],
            cwd=ROOT, capture_output=True, text=True, check=True).stdout
        return sorted(p for p in set(out.splitlines()) if os.path.isfile(os.path.join(ROOT, p)))
    except (OSError, subprocess.CalledProcessError):
        found = []
        for folder, dirs, files in os.walk(ROOT):
            dirs[:] = [d for d in dirs if not d.startswith(".") and d != "build"]
            found += [os.path.relpath(os.path.join(folder, f), ROOT) for f in files]
        return sorted(found)


def table_rows(section):
    """The rows of the table under `section`: (line number, first cell, second cell)."""
    path = os.path.join(ROOT, TABLE_DOC)
    rows, in_section = [], False
    with open(path, encoding="utf-8") as doc:
        for number, line in enumerate(doc, 1):
            if line.startswith("## "):
                in_section = line.strip() == section
                continue
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if not in_section or len(cells) < 2 or not cells[0].startswith("`"):
                continue
            rows.append((number, cells[0].strip("`").rstrip("/"), cells[1]))
    return rows


def read_table():
    """The rows of the layering table: folder -> set of folders it names."""
    rows = {folder: set(re.findall(r"`([^`]+)`", uses))
            for _, folder, uses in table_rows("## Layers")}
    if not rows:
        sys.exit(f"{TABLE_DOC}: no layering table under '## Layers'")
    return rows


def library_folders(files):
    """The folders that make a library: QUORVEL_FOLDERS and every
    CMakeLists.txt outside tests/ that calls quorvel_library."""
    found = set()
    for path in files:
        if not path.endswith("CMakeLists.txt") or path.startswith("tests/"):
            continue
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        folder = os.path.dirname(path)
        if folder and re.search(r"^\s*quorvel_library\(", text, re.MULTILINE):
            found.add(folder)
        listed = re.search(r"set\(QUORVEL_FOLDERS([^)]*)\)", text)
        if not folder and listed:
            found |= set(listed.group(1).split())
    return found


def check_table_is_tree(files, faults):
    """No row without a folder, no library folder without a row; the same
    for the table of app's sub-folders."""
    folders = {os.path.dirname(p) for p in files}
    folders |= {f for p in list(folders) for f in parents(p)}
    rows = table_rows("## Layers")
    named = {folder for _, folder, _ in rows}
    for number, folder, _ in rows:
        if folder not in folders:
            faults.append(f"{TABLE_DOC}:{number}: the row `{folder}` names no folder of the tree")
    for folder in sorted(library_folders(files) - named):
        faults.append(f"{folder}: a library folder without a row in the table of {TABLE_DOC}")
    inside = table_rows("## Inside app")
    if not inside:
        return
    listed = {folder for _, folder, _ in inside}
    for number, folder, _ in inside:
        if folder != "app" and folder not in folders:
            faults.append(f"{TABLE_DOC}:{number}: the row `{folder}` names no folder of the tree")
    below = {f for f in folders if f.startswith("app/")}
    for folder in sorted(below - listed):
        faults.append(f"{folder}: a folder of app without a row under '## Inside app' "
                      f"in {TABLE_DOC}")


def parents(folder):
    while "/" in folder:
        folder = folder.rsplit("/", 1)[0]
        yield folder


class Layers:
    def __init__(self, rows):
        self.rows = rows
        self.folders = sorted((f for f in rows if not f.startswith("tests/")),
                              key=len, reverse=True)
        self.closure = {}

    def folder_of(self, path):
        """The folder a tree path belongs to: tests/ + folder for tests."""
        prefix = ""
        for own in (f for f in self.rows if f.startswith("tests/") and
                    f[len("tests/"):] not in self.rows):
            if path.startswith(own + "/"):
                return own  # a test folder of its own, mirroring no library
        if path.startswith("tests/"):
            prefix, path = "tests/", path[len("tests/"):]
        for folder in self.folders:
            if path == folder or path.startswith(folder + "/"):
                return prefix + folder
        return None

    def uses(self, folder, seen=()):
        """Every folder `folder` may include, its own excluded."""
        if folder in self.closure:
            return self.closure[folder]
        named = self.rows.get(folder, set())
        if "*" in named:
            named = {f for f in self.folders if f != "platform/testing"} - {folder}
        result = set()
        for used in named:
            if used in seen:
                continue
            result.add(used)
            result |= self.uses(used, seen + (folder,))
        self.closure[folder] = result
        return result

    def allowed(self, source, target):
        if source == target:
            return True
        if source in ("bench", "fuzz") and target.startswith("tests/"):
            return True  # the fakes they share with the tests
        if not source.startswith("tests/"):
            return target in self.uses(source)
        tested = source[len("tests/"):]
        below = {tested} | self.uses(tested)
        extra = self.uses(source)  # a row of the test folder's own
        return (target in below or target in extra or target in ("platform/testing", "sim")
                or (target.startswith("tests/") and target[len("tests/"):] in below))


def without_raw_strings(text):
    """The text with the insides of raw string literals blanked, lines kept."""
    out, at = [], 0
    for match in RAW_STRING.finditer(text):
        if match.start() < at:
            continue
        end = text.find(")" + match.group(1) + '"', match.end())
        if end < 0:
            break
        out.append(text[at:match.end()])
        out.append(re.sub(r"[^\n]", " ", text[match.end():end]))
        at = end
    out.append(text[at:])
    return "".join(out)


def check_includes(path, text, layers, faults):
    source = layers.folder_of(path)
    for number, line in enumerate(without_raw_strings(text).splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        bracket, target = match.groups()
        where = f"{path}:{number}"
        if bracket == "<":
            if os.path.isfile(os.path.join(ROOT, target)):
                faults.append(f'{where}: include the tree\'s own header with quotes: "{target}"')
            continue
        if not os.path.isfile(os.path.join(ROOT, target)):
            faults.append(f"{where}: {target} is no file of the tree (includes are written "
                          "from the top of the tree)")
            continue
        target_folder = layers.folder_of(target)
        if source is None or target_folder is None:
            missing = path if source is None else target
            faults.append(f"{where}: {missing} lies in no folder of the table in {TABLE_DOC}")
        elif not layers.allowed(source, target_folder):
            faults.append(f"{where}: {source} may not include {target_folder} ({target}); "
                          f"see the table in {TABLE_DOC}")


def forbidden_word(text, part_patterns=PART_IN_TEXT):
    """The first forbidden word of `text`, or None."""
    for token in IDENTIFIER.findall(text):
        if token.startswith("SDL_"):
            continue
        for part in token.split("_"):
            for word in CAMEL_WORD.findall(part):
                if word.lower() in FORBIDDEN_WORDS:
                    return word
    for pattern in part_patterns:
        match = pattern.search(text)
        if match:
            return match.group(0).strip("/_- ")
    return None


def check_words(path, text, faults):
    word = forbidden_word(path, (PART_IN_NAME,))
    if word:
        faults.append(f"{path}:0: the file name says '{word}'")
    for number, line in enumerate(text.splitlines(), 1):
        word = forbidden_word(line)
        if word:
            faults.append(f"{path}:{number}: '{word}': describe the system itself, not the "
                          "document it was built from")


def main():
    layers = Layers(read_table())
    faults = []
    files = tree_files()
    check_table_is_tree(files, faults)
    for path in files:
        with open(os.path.join(ROOT, path), "rb") as f:
            data = f.read()
        if b"\0" in data:
            check_words(path, "", faults)
            continue
        text = data.decode("utf-8", errors="replace")
        check_words(path, text, faults)
        if path.endswith(SOURCE_SUFFIXES):
            check_includes(path, text, layers, faults)
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-tree: {len(faults)} fault(s)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
