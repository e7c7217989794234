#!/usr/bin/env python3
"""Takes the README's pictures of the two boxes Setup can show, under Xvfb in
a throwaway Wine prefix: docs/install-ok.png and docs/install-failed.png.
Needs xwd (x11-apps) and ImageMagick's convert, which scripts/screenshots.sh
installs."""
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import bench  # noqa: E402

DOCS = os.path.join(bench.ROOT, "docs")


def find_box(prefix, timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=prefix.env,
                              stdout=subprocess.PIPE, text=True).stdout
        match = re.search(r'^\s+(0x[0-9a-f]+) "Vrim": .*$', tree, re.M)
        if match:
            return match.group(1)
        time.sleep(0.1)
    raise SystemExit("no box appeared")


def shoot(prefix, cwd, program, name):
    setup = prefix.start([program], cwd=cwd)
    window = find_box(prefix)
    time.sleep(1)  # let it draw
    xwd = subprocess.run(["xwd", "-id", window, "-silent"], env=prefix.env, check=True,
                         stdout=subprocess.PIPE).stdout
    out = os.path.join(DOCS, name)
    subprocess.run(["/usr/bin/convert", "xwd:-", out], input=xwd, check=True)
    subprocess.run(["wine", os.path.join(bench.FIXTURES, "box_helper.exe"), "Vrim", "5000"],
                   env=prefix.env, stdout=subprocess.DEVNULL, check=True)
    setup.wait(timeout=60)
    print("wrote", os.path.relpath(out, bench.ROOT))


def main():
    os.makedirs(DOCS, exist_ok=True)
    prefix = bench.Prefix("win32")
    try:
        kit = bench.make_distribution(prefix.unix(r"C:\users\Public\Downloads\Vrim Kit"))
        shoot(prefix, kit, "Setup.exe", "install-ok.png")
        shutil.rmtree(prefix.program_folder)
        shoot(prefix, prefix.unix(r"C:\users\Public"), os.path.join(kit, "Setup.exe"),
              "install-failed.png")
    finally:
        prefix.close()


if __name__ == "__main__":
    main()
