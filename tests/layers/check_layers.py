#!/usr/bin/env python3
"""What may include what.

The program's folders are layers, each above the ones before it:

    platform  <  records  <  stats  <  data, ui  <  games/common  <  games/<game>  <  app

A file includes headers of its own layer and of the layers below, never of a layer above.
Within that, a file includes headers only of its own library and of the libraries its library
links (as CMake says, through PUBLIC links of those): so data and ui, or two games, know
nothing of each other, and a game's rules library knows nothing of the game's window library
in the same folder. A class declared ahead (`class RecordStore;`) counts as an include of the
header that defines it. Every source file of these folders belongs to a library or the program.

Usage: check_layers.py <source folder> <library list written by tests/layers/CMakeLists.txt>
Prints every include or declaration that breaks the rules as file:line and exits 1; exits 0
when there is none.
"""

import re
import sys
from collections import defaultdict
from pathlib import Path, PurePosixPath

# Folder prefixes in layer order; a game folder is any other folder under games/.
LAYERS = [
    ("platform/", 0),
    ("records/", 1),
    ("stats/", 2),
    ("data/", 3),
    ("ui/", 3),
    ("games/common/", 4),
    ("games/", 5),
    ("app/", 6),
]
SOURCE_SUFFIXES = {".h", ".cpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
DECLARATION = re.compile(r"^\s*(?:class|struct)\s+(\w+)\s*;")
DEFINITION = re.compile(r"^\s*(?:class|struct)\s+(\w+)\s*(?:final\s*)?(?:[:{]|$)")


def layer_of(path):
    """The layer's folder and rank of a source path, or None outside the layers."""
    for prefix, rank in LAYERS:
        if path.startswith(prefix):
            if prefix == "games/":
                return "games/" + path.split("/")[1] + "/", rank
            return prefix, rank
    return None


def read_libraries(list_file):
    owner = {}
    direct = defaultdict(set)
    interface = defaultdict(set)
    for line in Path(list_file).read_text(encoding="utf-8").splitlines():
        target, kind, value = line.split("\t")
        if kind == "source":
            owner.setdefault(value, target)
        elif kind == "LINK_LIBRARIES":
            direct[target].add(value)
        else:
            interface[target].add(value)
    return owner, direct, interface


def visible_libraries(target, direct, interface):
    """The library itself, the ones it links and what those pass on through their interface."""
    seen = {target}
    pending = list(direct[target])
    while pending:
        library = pending.pop()
        if library not in seen:
            seen.add(library)
            pending.extend(interface[library])
    return seen


def resolve(root, including, bracket, name):
    """The repository file an include names, relative to the root, or None for any other."""
    candidates = [] if bracket == "<" else [root / PurePosixPath(including).parent / name]
    candidates.append(root / name)
    for candidate in candidates:
        if candidate.is_file():
            return candidate.resolve().relative_to(root).as_posix()
    return None


def check(root, list_file):
    owner, direct, interface = read_libraries(list_file)
    files = sorted({
        path.relative_to(root).as_posix()
        for prefix, _ in LAYERS
        for path in (root / prefix).rglob("*")
        if path.suffix in SOURCE_SUFFIXES and path.is_file()
    })
    texts = {path: (root / path).read_text(encoding="utf-8").splitlines() for path in files}
    defined = defaultdict(set)  # class name -> the files that define it
    for path, lines in texts.items():
        for line in lines:
            match = DEFINITION.match(line)
            if match:
                defined[match.group(1)].add(path)
    visible = {}
    problems = []

    def against_layers(path, used):
        """Why path may not use what the file used holds, or None when it may."""
        folder, rank = layer_of(path)
        used_layer = layer_of(used)
        if used_layer is None:
            return f"{used} is outside the program's layers"
        if used_layer[1] > rank:
            return f"{folder} is below {used_layer[0]}: a lower layer uses a higher one ({used})"
        target = owner[path]
        if target not in visible:
            visible[target] = visible_libraries(target, direct, interface)
        if owner.get(used) not in visible[target]:
            return f"{target} does not link {owner.get(used, 'any library holding ' + used)}"
        return None

    for path, lines in texts.items():
        if path not in owner:
            problems.append(f"{path}: belongs to no library, so what it uses cannot be judged")
            continue
        for number, line in enumerate(lines, start=1):
            include = INCLUDE.match(line)
            declaration = DECLARATION.match(line)
            if include:
                header = resolve(root, path, *include.groups())
                # Headers outside the repository are the system's, Qt's or generated ones.
                reason = header and against_layers(path, header)
            elif declaration and defined[declaration.group(1)]:
                # A class declared ahead is fine when one of its definitions may be included.
                reasons = [against_layers(path, other) for other in sorted(defined[declaration.group(1)])]
                reason = None if None in reasons else reasons[0]
            else:
                reason = None
            if reason:
                problems.append(f"{path}:{number}: {line.strip()}\n    {reason}")
    return files, problems


def main():
    root = Path(sys.argv[1]).resolve()
    files, problems = check(root, sys.argv[2])
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) or declaration(s) against the layers")
        return 1
    print(f"{len(files)} files of the layers use only what they may")
    return 0


if __name__ == "__main__":
    sys.exit(main())
