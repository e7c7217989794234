#!/usr/bin/env python3
"""Shows the kit at work in a throwaway 32-bit Wine prefix: a sample
distribution folder, a silent install with what it placed where, the
uninstall, and what remains. Exits 0 only when every step did what it should."""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import bench  # noqa: E402

SAMPLE = os.path.join(bench.ROOT, "build", "sample")
results = []


def check(what, ok):
    results.append((what, ok))
    print("  [%s] %s" % ("ok" if ok else "FAILED", what))


def main():
    shutil.rmtree(SAMPLE, ignore_errors=True)
    bench.make_distribution(SAMPLE)
    print("Sample distribution folder build/sample/: %s" % ", ".join(sorted(os.listdir(SAMPLE))))
    print("Starting a throwaway 32-bit Wine prefix...")
    prefix = bench.Prefix("win32")
    try:
        kit = prefix.unix(r"C:\users\Public\Downloads\Vrim Kit")
        shutil.copytree(SAMPLE, kit)

        print("\n1. Setup.exe /s, started from the distribution folder")
        code, seconds = prefix.run(["Setup.exe", "/s"], cwd=kit)
        check("exit code %d after %.1f s" % (code, seconds), code == 0)
        placed = [
            ("program folder", prefix.program_folder),
            ("application", os.path.join(prefix.program_folder, "Vrim.exe")),
            ("cursor file", os.path.join(prefix.program_folder, "hourglas.ani")),
            ("uninstaller copy", prefix.uninstaller_copy),
            ("Start-menu folder", prefix.start_menu_folder),
        ]
        shortcuts = [
            ("desktop shortcut", prefix.desktop_shortcut, r"C:\Program Files\VRIM\Vrim.exe"),
            ("Start-menu shortcut", os.path.join(prefix.start_menu_folder, "Vrim.lnk"),
             r"C:\Program Files\VRIM\Vrim.exe"),
            ("uninstall shortcut", os.path.join(prefix.start_menu_folder, "Uninstall.lnk"),
             r"C:\windows\system32\Uninstall.exe"),
        ]
        for what, path in placed:
            check("%-20s %s" % (what, prefix.windows(path)), os.path.exists(path))
        for what, path, target in shortcuts:
            actual = bench.read_lnk_target(path) if os.path.exists(path) else "(missing)"
            check("%-20s %s -> %s" % (what, prefix.windows(path), actual), actual == target)

        print("\n2. Uninstall.exe, started from the system directory as its shortcut starts it")
        code, seconds = prefix.run([prefix.windows(prefix.uninstaller_copy)], cwd=prefix.system_dir)
        check("exit code %d after %.1f s" % (code, seconds), code == 0)

        print("\n3. What remains")
        for what, path in placed + [(w, p) for w, p, _ in shortcuts]:
            stays = path == prefix.uninstaller_copy
            state = "still there" if os.path.exists(path) else "gone"
            check("%-20s %s: %s" % (what, prefix.windows(path), state), os.path.exists(path) == stays)
    finally:
        prefix.close()

    failed = [what for what, ok in results if not ok]
    print("\nSummary: %d of %d checks passed." % (len(results) - len(failed), len(results)))
    if failed:
        print("The kit did not do what it should.")
        return 1
    print("The kit installed, placed three working shortcuts, and uninstalled cleanly.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
