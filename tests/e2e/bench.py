"""The Wine bench shared by the end-to-end tests: a fresh 32-bit prefix under
Xvfb, a distribution folder laid out as a user has it, the programs started as
a user starts them, and the prefix's disk read back from this side.

Environment: VRIM_DIST (folder with Setup.exe and Uninstall.exe) and
VRIM_FIXTURES (folder with the stand-in Vrim.exe and box_helper.exe)."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DIST = os.environ.get("VRIM_DIST", os.path.join(ROOT, "dist"))
FIXTURES = os.environ.get("VRIM_FIXTURES", os.path.join(ROOT, "build", "windows", "fixtures"))
CURSOR_GENERATOR = os.path.join(ROOT, "tests", "fixtures", "make_cursor.py")


# The 64-bit loader: in a 64-bit prefix, `wine` itself runs the 32-bit shell.
WINE64 = "/usr/lib/wine/wine64"
ARCH = os.environ.get("VRIM_WINEARCH", "win32")


class Prefix:
    """A fresh Wine prefix of the given architecture with its own X display.
    In a 64-bit (WoW64) prefix the 32-bit programs see the 32-bit program
    files and system folders."""

    def __init__(self, arch=ARCH):
        self.arch = arch
        self.home = tempfile.mkdtemp(prefix="vrim-wine-")
        self.path = os.path.join(self.home, "prefix")
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            display = f.readline().strip()
        # No Mono or Gecko installers, and no menu entries on this host for the
        # shortcuts the tests write.
        self.env = dict(os.environ, WINEPREFIX=self.path, WINEARCH=arch, WINEDEBUG="-all",
                        DISPLAY=":" + display, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        subprocess.run(["wineboot", "-i"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        subprocess.run(["wineserver", "-w"], env=self.env, check=True, timeout=300)
        # Keep one server for the whole run: each start is then quick and even.
        # (It forks into the background; nothing of ours may be left holding a pipe.)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        self.drive_c = os.path.join(self.path, "drive_c")
        wow64 = arch == "win64"
        self.program_files = self.unix(r"C:\Program Files (x86)" if wow64 else r"C:\Program Files")
        self.program_folder = os.path.join(self.program_files, "VRIM")
        self.start_menu_folder = self.unix(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\VRIM")
        self.desktop_shortcut = self.unix(r"C:\users\Public\Desktop\Vrim.lnk")
        self.system_dir = self.unix(r"C:\windows\syswow64" if wow64 else r"C:\windows\system32")
        self.shell = WINE64 if wow64 else "wine"  # the loader of the platform's own shell
        self.uninstaller_copy = os.path.join(self.system_dir, "Uninstall.exe")

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def unix(self, windows_path):
        """The file behind a C: path, matched without regard to case as Wine does."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        path = self.drive_c
        for part in windows_path[3:].split("\\"):
            if not part:
                continue
            names = os.listdir(path) if os.path.isdir(path) else []
            match = [n for n in names if n.lower() == part.lower()]
            path = os.path.join(path, match[0] if match else part)
        return path

    def windows(self, unix_path):
        rel = os.path.relpath(unix_path, self.drive_c)
        assert not rel.startswith(".."), unix_path
        return "C:\\" + rel.replace("/", "\\")

    def run(self, args, cwd, timeout=120, loader="wine"):
        """Starts a program as from a shell in `cwd`; returns (exit code, seconds)."""
        started = time.monotonic()
        done = subprocess.run([loader] + args, cwd=cwd, env=self.env, timeout=timeout,
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        return done.returncode, time.monotonic() - started

    def run_line(self, line, cwd, timeout=120, directory=None):
        """Starts a program with exactly this command line, in the Windows
        current directory `directory` when given; returns its exit code."""
        env = dict(self.env, VRIM_COMMAND_LINE=line)
        if directory:
            env["VRIM_CURRENT_DIRECTORY"] = directory
        done = subprocess.run(["wine", os.path.join(FIXTURES, "launch.exe")], cwd=cwd,
                              env=env, timeout=timeout,
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        return done.returncode

    def start(self, args, cwd):
        return subprocess.Popen(["wine"] + args, cwd=cwd, env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def watching_box(self, run):
        """Calls `run` (which starts a program and returns its exit code) while
        the box helper waits for a box captioned "Vrim" and presses its
        button; returns the exit code and the box's text, None if none came."""
        text_file = os.path.join(self.drive_c, "box.txt")
        if os.path.exists(text_file):
            os.remove(text_file)
        helper = self.start([os.path.join(FIXTURES, "box_helper.exe"), "Vrim", "30000", r"C:\box.txt"],
                            cwd=self.drive_c)
        code = run()
        # The program has ended: any box of its own was shown and dismissed by now.
        try:
            helper.wait(timeout=5)
        except subprocess.TimeoutExpired:
            helper.kill()
            helper.wait()
        if helper.returncode != 0:
            return code, None
        with open(text_file, newline="") as f:
            return code, f.read()

    def start_application(self, *args):
        """Starts the installed Vrim.exe from the program folder; returns the
        process once its window is up, None if it never came."""
        ready = os.path.join(self.program_folder, "ready.txt")
        app = self.start([self.windows(os.path.join(self.program_folder, "Vrim.exe"))] + list(args),
                         cwd=self.program_folder)
        return app if wait_for(lambda: os.path.exists(ready), 30) else None

    def remove_install(self, *more):
        """Takes away whatever an install placed, and the paths in `more`,
        read-only or not."""
        for folder in (self.program_folder, self.start_menu_folder) + more:
            if os.path.isdir(folder):
                for parent, _, files in os.walk(folder):
                    for name in files:
                        os.chmod(os.path.join(parent, name), 0o644)
                shutil.rmtree(folder, ignore_errors=True)
            elif os.path.exists(folder):
                os.remove(folder)
        for path in (self.desktop_shortcut, self.uninstaller_copy):
            if os.path.exists(path):
                os.remove(path)

    def kill_programs(self):
        """Ends every Windows program but keeps the server."""
        for image in ("Vrim.exe", "Setup.exe", "Uninstall.exe", "box_helper.exe"):
            subprocess.run(["wine", "taskkill", "/f", "/im", image], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def make_distribution(folder):
    """The distribution folder as a user unpacks it."""
    os.makedirs(folder, exist_ok=True)
    shutil.copy(os.path.join(DIST, "Setup.exe"), folder)
    shutil.copy(os.path.join(DIST, "Uninstall.exe"), folder)
    shutil.copy(os.path.join(FIXTURES, "Vrim.exe"), folder)
    subprocess.run([sys.executable, CURSOR_GENERATOR, os.path.join(folder, "hourglas.ani")], check=True)
    return folder


def wait_for(predicate, timeout, step=0.01):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(step)
    return predicate()


def read_lnk_target(path):
    """The local path a shortcut points at, as lnkinfo reads it."""
    out = subprocess.run(["lnkinfo", path], check=True, stdout=subprocess.PIPE, text=True).stdout
    for line in out.splitlines():
        if line.strip().startswith("Local path"):
            return line.split(":", 1)[1].strip()
    raise AssertionError("no local path in %s:\n%s" % (path, out))


def tree(path):
    """Every file and folder under `path`, relative, for before/after comparisons."""
    found = set()
    for parent, dirs, files in os.walk(path):
        for name in dirs + files:
            found.add(os.path.relpath(os.path.join(parent, name), path))
    return found
