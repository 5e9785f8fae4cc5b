"""The stamp every generator writes last: it lists the files the run made, so
that the next run can remove those it no longer makes. A file whose source
line is gone (a voice line struck from the table, a sound or picture dropped
from its generator) must not linger in the Resources folder, where it would
hide the missing source from the game and the content lint."""

import os

HEADER = "# outputs\n"


def previous_outputs(stamp):
    """The file names the last run listed in its stamp; none for a stamp of the
    older kind, which listed nothing."""
    try:
        with open(stamp, encoding="utf-8") as previous:
            lines = previous.readlines()
    except FileNotFoundError:
        return set()
    if not lines or lines[0] != HEADER:
        return set()
    return {line.rstrip("\n") for line in lines[1:] if line.strip()}


def finish(stamp, output_dir, names):
    """Removes from output_dir the files the last run made and this one did
    not, then writes the stamp listing names (bare file names in output_dir)."""
    if not stamp:
        return
    names = set(names)
    for gone in sorted(previous_outputs(stamp) - names):
        # Only plain names: a damaged stamp must not reach outside the folder.
        if os.path.basename(gone) != gone or gone in ("", ".", ".."):
            continue
        path = os.path.join(output_dir, gone)
        if os.path.isfile(path):
            os.remove(path)
            print("removed %s: its source is gone" % path)
    temporary = stamp + ".tmp"
    with open(temporary, "w", encoding="utf-8") as written:
        written.write(HEADER)
        for name in sorted(names):
            written.write(name + "\n")
    os.replace(temporary, stamp)
