#!/usr/bin/env python3
"""Benchmark of the kit's size and run time, beside its floors and beside an
NSIS installer doing the same job. Each time is the median of ROUNDS
interleaved single runs (the order alternating), each timed by hyperfine, under a warm wineserver in
one 32-bit prefix; the installed state is reset before each run and not
timed. Prints one table."""
import json
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import bench  # noqa: E402

ROUNDS = int(os.environ.get("VRIM_BENCH_ROUNDS", "21"))
BUILD = os.path.join(bench.ROOT, "build")
BENCH = os.path.join(BUILD, "windows", "bench")
PEER = os.path.join(BUILD, "peer", "PeerSetup.exe")
BIG = 64 * 1024 * 1024


def hyperfine_once(prefix, command, cwd):
    """Wall time in seconds of one run of `command`, as hyperfine measures it."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run(["hyperfine", "-N", "--runs", "1", "--style", "none", "--export-json", out.name,
                        command], cwd=cwd, env=prefix.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return json.load(open(out.name))["results"][0]["times"][0]


def reset(prefix):
    prefix.remove_install(os.path.join(prefix.system_dir, "UninstallPeer.exe"))


def main():
    subprocess.run(["makensis", "-V1", "-DOUT=" + PEER, os.path.join(bench.ROOT, "tests", "bench", "peer.nsi")],
                   check=True)
    prefix = bench.Prefix("win32")
    try:
        kit = bench.make_distribution(prefix.unix(r"C:\users\Public\Downloads\Vrim Kit"))
        for name in ("bare_install.exe", "bare_uninstall.exe"):
            shutil.copy(os.path.join(BENCH, name), kit)
        shutil.copy(PEER, kit)
        big = prefix.unix(r"C:\users\Public\Downloads\Vrim Big")
        shutil.copytree(kit, big)
        with open(os.path.join(big, "Vrim.exe"), "wb") as f:
            f.write(os.urandom(BIG))
        # hyperfine splits a command as a shell would, so Windows paths are
        # given as the Unix files behind them, or with doubled backslashes.
        uninstaller = prefix.uninstaller_copy
        peer_uninstaller_path = os.path.join(prefix.system_dir, "UninstallPeer.exe")
        in_place = prefix.windows(prefix.system_dir).replace("\\", "\\\\")

        def installed():
            # The kit's install, untimed, for the uninstall runs.
            prefix.run(["Setup.exe", "/s"], cwd=kit)

        def peer_installed():
            prefix.run(["PeerSetup.exe", "/S"], cwd=kit)

        cases = {
            "install": [("kit", kit, "wine Setup.exe /s", reset),
                        ("floor", kit, "wine bare_install.exe", reset),
                        ("peer", kit, "wine PeerSetup.exe /S", reset)],
            "uninstall": [("kit", prefix.system_dir, "wine " + uninstaller, installed),
                          ("floor", kit, "wine bare_uninstall.exe", installed),
                          # _? runs it in place instead of from a copy in the temp folder.
                          ("peer", prefix.system_dir, "wine %s /S _?=%s" % (peer_uninstaller_path, in_place),
                           peer_installed)],
            "install 64 MiB": [("kit", big, "wine Setup.exe /s", reset),
                               ("floor", big, "wine bare_install.exe", reset)],
        }
        # Each contender must do the whole job, or its time means nothing.
        items = (prefix.program_folder, os.path.join(prefix.program_folder, "Vrim.exe"),
                 os.path.join(prefix.program_folder, "hourglas.ani"), prefix.desktop_shortcut,
                 os.path.join(prefix.start_menu_folder, "Vrim.lnk"),
                 os.path.join(prefix.start_menu_folder, "Uninstall.lnk"))
        for case, runs in cases.items():
            for who, cwd, command, prepare in runs:
                reset(prefix)
                if prepare is not reset:
                    prepare()
                subprocess.run(shlex.split(command), cwd=cwd, env=prefix.env, check=True)
                there = [os.path.exists(p) for p in items]
                if all(there) != (case != "uninstall") or any(there) != (case != "uninstall"):
                    raise SystemExit("%s %s did not do its job: %s" % (who, case, there))
        peer_installed()  # once more, for the size of the uninstaller it writes
        peer_uninstaller = os.path.getsize(os.path.join(prefix.system_dir, "UninstallPeer.exe"))
        times = {(case, who): [] for case, runs in cases.items() for who, *_ in runs}
        for n in range(ROUNDS):
            for case, runs in cases.items():
                # Alternate the order, so that no contender always runs while the
                # one before it still has 64 MiB to write back.
                for who, cwd, command, prepare in (runs if n % 2 == 0 else runs[::-1]):
                    reset(prefix)
                    if prepare is not reset:
                        prepare()
                    times[(case, who)].append(hyperfine_once(prefix, command, cwd))
        reset(prefix)
    finally:
        prefix.close()

    size = lambda path: os.path.getsize(path)
    floor = size(os.path.join(BENCH, "floor.exe"))
    setup, uninstall = size(os.path.join(bench.DIST, "Setup.exe")), size(os.path.join(bench.DIST, "Uninstall.exe"))
    peer_setup = size(PEER)
    ms = {k: statistics.median(v) * 1000 for k, v in times.items()}

    print("\nVrim setup kit benchmark: medians of %d interleaved runs, 32-bit Wine prefix, warm wineserver" % ROUNDS)
    print("| measure | kit | floor | kit - floor | kit / floor | NSIS peer | peer / kit |")
    print("|---|---:|---:|---:|---:|---:|---:|")
    print("| Setup.exe bytes | %d | %d | %+d | %.2f | %d | %.1f |" % (
        setup, floor, setup - floor, setup / floor, peer_setup, peer_setup / setup))
    print("| Uninstall.exe bytes | %d | %d | %+d | %.2f | %d | %.1f |" % (
        uninstall, floor, uninstall - floor, uninstall / floor, peer_uninstaller, peer_uninstaller / uninstall))
    for case, label in (("install", "Setup.exe /s, ms"), ("uninstall", "Uninstall.exe, ms"),
                        ("install 64 MiB", "Setup.exe /s with a 64 MiB Vrim.exe, ms")):
        kit_ms, floor_ms = ms[(case, "kit")], ms[(case, "floor")]
        peer = ms.get((case, "peer"))
        print("| %s | %.0f | %.0f | %+.0f | %.3f | %s | %s |" % (
            label, kit_ms, floor_ms, kit_ms - floor_ms, kit_ms / floor_ms,
            "%.0f" % peer if peer else "-", "%.2f" % (peer / kit_ms) if peer else "-"))
    print("(The size floor is a CRT-free program of the same flags and icon that only exits; the time floor"
          " is a bare-calls program making the same platform calls in a straight line.)")


if __name__ == "__main__":
    main()
