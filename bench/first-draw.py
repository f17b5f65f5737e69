#!/usr/bin/env python3
"""Starts the window program and prints when it last drew within WAIT seconds of its start
(first_draw_ms: the pair compared and drawn, for the window draws nothing more until it is
used) and its peak memory then (peak_mib), and ends it.

Usage: first-draw.py WAIT PROGRAM [ARGUMENTS...]

The drawing times are Qt's own: its painting log, stamped with the monotonic clock this script
reads before it starts the program."""
import os
import subprocess
import sys
import tempfile
import time


def main():
    wait, program = float(sys.argv[1]), sys.argv[2:]
    env = dict(os.environ, QT_LOGGING_RULES="qt.widgets.painting=true",
               QT_MESSAGE_PATTERN="%{time boot} %{message}")
    with tempfile.TemporaryDirectory() as scratch:
        env["XDG_CONFIG_HOME"] = scratch  # the first use's settings, the same every run
        # The log goes to a file: a pipe nobody reads while the program runs would stall it.
        with open(os.path.join(scratch, "log"), "w+") as log_file:
            start = time.monotonic()
            child = subprocess.Popen(program, env=env, stdout=subprocess.DEVNULL,
                                     stderr=log_file)
            time.sleep(wait)
            with open(f"/proc/{child.pid}/status") as status:
                peak = next(int(line.split()[1]) for line in status
                            if line.startswith("VmHWM:"))
            child.kill()
            child.wait()
            log_file.seek(0)
            log = log_file.read()
    flushes = [float(line.split()[0]) for line in log.splitlines() if " Flushing " in line]
    if not flushes:
        sys.exit("first-draw.py: the program drew nothing")
    if flushes[-1] - start > wait - 0.3:
        sys.exit("first-draw.py: the program was still drawing at the end; wait longer")
    print(f"first_draw_ms\t{(flushes[-1] - start) * 1000:.1f}\npeak_mib\t{peak / 1024:.1f}")


if __name__ == "__main__":
    main()
