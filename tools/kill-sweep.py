#!/usr/bin/env python3
"""Kills zelvik-cli at random moments while it replaces a C source and its
header, and counts what a kill can leave: a source and a header from
different runs, a file that is neither the old nor the new one, and temporary
files that pile up.

    tools/kill-sweep.py build/bin/zelvik-cli [KILLS]

Two fonts of different identifiers are exported in turn over one pair; each
run is killed (SIGKILL) after a delay drawn evenly from the time a whole run
takes. After every kill both files must come from the same run, old or new.
"""
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time


def font_file(path, identifier):
    """A font file with one character, named after `identifier`."""
    subprocess.run([CLI, "import", BDF, "--identifier", identifier, "-o", path],
                   check=True, stderr=subprocess.DEVNULL)


def export(font, out, **kw):
    return subprocess.Popen([CLI, "export", font, "--target", "c", "--bytes", "vertical",
                             "-o", out], stderr=subprocess.DEVNULL, **kw)


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


CLI = os.path.abspath(sys.argv[1])
KILLS = int(sys.argv[2]) if len(sys.argv) > 2 else 600
work = tempfile.mkdtemp(prefix="zelvik-kill-sweep-")
BDF = os.path.join(work, "one.bdf")
with open(BDF, "w") as f:
    f.write("STARTFONT 2.1\nFONT one\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\n"
            "CHARS 1\nSTARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 8 0\n"
            "BBX 8 8 0 0\nBITMAP\n80\n00\n00\n00\n00\n00\n00\n00\nENDCHAR\nENDFONT\n")

fonts = [os.path.join(work, "first.fnt"), os.path.join(work, "second.fnt")]
font_file(fonts[0], "first")
font_file(fonts[1], "second")
out_dir = os.path.join(work, "out")
os.mkdir(out_dir)
refs = []
for i, font in enumerate(fonts):
    ref = os.path.join(work, f"ref{i}")
    os.mkdir(ref)  # the same names as the pair: the source includes its header by name
    export(font, os.path.join(ref, "a.c")).wait()
    refs.append((read(os.path.join(ref, "a.c")), read(os.path.join(ref, "a.h"))))

# How long a whole run takes, as the range of the kill delays.
times = []
for _ in range(20):
    start = time.perf_counter()
    export(fonts[0], os.path.join(out_dir, "a.c")).wait()
    times.append(time.perf_counter() - start)
span = sorted(times)[len(times) // 2]

mixed = foreign = killed = 0
most_leftovers = 0
random.seed(1)
for n in range(KILLS):
    process = export(fonts[n % 2], os.path.join(out_dir, "a.c"))
    time.sleep(random.uniform(0, span))
    if process.poll() is None:
        process.send_signal(signal.SIGKILL)
        killed += 1
    process.wait()
    source, header = read(os.path.join(out_dir, "a.c")), read(os.path.join(out_dir, "a.h"))
    which = [next((i for i, r in enumerate(refs) if r[k] == data), None)
             for k, data in enumerate((source, header))]
    if None in which:
        foreign += 1
    elif which[0] != which[1]:
        mixed += 1
    most_leftovers = max(most_leftovers, len(os.listdir(out_dir)) - 2)

export(fonts[0], os.path.join(out_dir, "a.c")).wait()
after = sorted(os.listdir(out_dir))
print(f"runs {KILLS}, killed before they ended {killed}, run time {span * 1000:.1f} ms")
print(f"mixed pairs {mixed}, files of neither run {foreign}")
print(f"most temporary files at once {most_leftovers}, left after the next run: "
      f"{len(after) - 2} ({' '.join(after)})")
shutil.rmtree(work)
sys.exit(1 if mixed or foreign or len(after) != 2 else 0)
