#!/usr/bin/env python3
"""Counts a program's requests to the Wine server until its main window shows.

    tools/bench-requests.py TRACE

TRACE is what `wineserver -f -d2` wrote on its standard error while one
program started and showed its dialog. Under Wine most of what a start costs
beyond the loader is round trips to the server, and unlike the time they
take, their number moves by a request or two from one start to the next,
however busy the machine. The
program's main thread is the one that makes the dialog (window class
#32770); its requests are counted from its first to the SetWindowPos that
shows the dialog. Prints the count before the dialog is made and from then
to the showing, tab-separated.
"""
import re
import sys

DIALOG_CLASS_ATOM = "8002"
SWP_SHOWWINDOW = 0x40

# "0024: create_window( parent=..., atom=8002, ... )" and its reply
# "0024: create_window() = 0 { handle=0001004c, ... }".
LINE = re.compile(r"^([0-9a-f]{4}): ([a-z_]+)\((.*)$")


def main(trace_path):
    lines = []
    with open(trace_path, errors="replace") as trace:
        for text in trace:
            match = LINE.match(text)
            if match:
                lines.append(match.groups())

    thread = dialog = None
    for index, (who, name, rest) in enumerate(lines):
        if thread is None and name == "create_window" and f"atom={DIALOG_CLASS_ATOM}," in rest \
                and not rest.startswith(")"):
            thread, made = who, index
            continue
        if thread == who and name == "create_window" and rest.startswith(") = 0"):
            dialog = re.search(r"handle=([0-9a-f]+)", rest).group(1)
            break
    if dialog is None:
        sys.exit(f"{trace_path}: no dialog was made")

    # Requests only, not their replies.
    requests = [(index, rest) for index, (who, name, rest) in enumerate(lines)
                if who == thread and not rest.startswith(")")]
    before = sum(1 for index, _ in requests if index < made)
    for index, (who, name, rest) in enumerate(lines):
        if index > made and who == thread and name == "set_window_pos" and f"handle={dialog}," in rest:
            flags = int(re.search(r"swp_flags=([0-9a-f]+)", rest).group(1), 16)
            if flags & SWP_SHOWWINDOW:
                shown = index
                break
    else:
        sys.exit(f"{trace_path}: the dialog never showed")
    after = sum(1 for index, _ in requests if made <= index <= shown)
    print(f"{before}\t{after}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
