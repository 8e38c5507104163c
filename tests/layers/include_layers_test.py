#!/usr/bin/env python3
"""Fails when an #include in src/ runs against the layers of the program.

Every folder of src/ stands on a floor and may include only its own floor and those below it,
so the folders' imports can draw no circle. Besides: a model folder includes no ui/ folder,
nothing outside app/ includes app/, and base/ includes only base/ (it is the lowest floor).
Usage: include_layers_test.py SRC_DIR
"""
import re
import sys
from pathlib import Path

# Lowest first. A subsystem's widgets stand right above its model; the map's stand above the
# picture as well, since they show the map through its painter canvas. app/ is the top.
FLOORS = ["base", "base/ui", "platform", "geolocation", "geolocation/ui", "trace", "trace/ui",
          "map", "picture", "map/ui", "cli", "app"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder(path):
    parent = str(Path(path).parent)
    # The program's entry points beside the folders belong to the top, like app/ui/.
    return "app" if parent in (".", "app/ui") else parent


def resolve(src, file, written):
    """The included file's path below src, looked up as the compiler does: beside the including
    file first, then from src; None when it is not one of ours."""
    for candidate in (file.parent / written, src / written):
        if candidate.is_file() and candidate.resolve().is_relative_to(src.resolve()):
            return candidate.resolve().relative_to(src.resolve()).as_posix()
    return None


def faults(src):
    found = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        source = file.relative_to(src).as_posix()
        for written in INCLUDE.findall(file.read_text(encoding="utf-8")):
            target = resolve(src, file, written)
            if target is None:
                continue  # not ours: a generated or a system header
            own, other = folder(source), folder(target)
            unknown = [f for f in (own, other) if f not in FLOORS]
            if unknown:
                why = f"{unknown[0]}/ stands on no floor"
            elif other == "app" and own != "app":
                why = "nothing includes app/"
            elif other.endswith("/ui") and not own.endswith("/ui") and own != "app":
                why = "a model includes a widget"
            elif FLOORS.index(other) > FLOORS.index(own):
                why = "runs back up a floor"
            else:
                continue
            found.append(f"{source} includes {target}: {why}")
    return found


def main():
    found = faults(Path(sys.argv[1]))
    for line in found:
        print(line)
    print(f"{len(found)} includes cross the layers the wrong way" if found else "layers hold")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
