#!/usr/bin/python3
"""Runs the command given with its standard output on a pseudo-terminal in
raw mode (no line-ending translation) and writes what it printed there to
this script's own standard output, exiting with the command's status."""
import os
import pty
import subprocess
import sys
import tty

master, slave = pty.openpty()
tty.setraw(slave)
program = subprocess.Popen(sys.argv[1:], stdout=slave)
os.close(slave)
out = bytearray()
while True:
    try:
        chunk = os.read(master, 4096)
    except OSError:  # the terminal's last writer has gone
        break
    if not chunk:
        break
    out += chunk
sys.stdout.buffer.write(out)
sys.exit(program.wait())
