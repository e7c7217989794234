"""The fault matrix under Wine: what the user sees, the exit code and the disk
afterwards when things are not as they should be. Each case records its row;
the table is printed at the end of the run."""
import os
import shutil
import sys
import unittest

import bench

prefix = None
KIT = r"C:\users\Public\Downloads\Vrim Kit"
rows = []


def setUpModule():
    global prefix
    prefix = bench.Prefix()


def tearDownModule():
    prefix.close()
    print("\nFault matrix (%s prefix):" % bench.ARCH, file=sys.stderr)
    print("| case | what the user sees | exit code | disk afterwards |", file=sys.stderr)
    print("|---|---|---|---|", file=sys.stderr)
    for row in rows:
        print("| %s |" % " | ".join(str(c) for c in row), file=sys.stderr)


def shown(text):
    return "no box" if text is None else "box: " + text.replace("\n", " / ")


class FaultTest(unittest.TestCase):
    def setUp(self):
        self.dist = bench.make_distribution(prefix.unix(KIT))
        self.apps = []
        self.exe = os.path.join(prefix.program_folder, "Vrim.exe")
        self.cursor = os.path.join(prefix.program_folder, "hourglas.ani")
        self.menu_shortcut = os.path.join(prefix.start_menu_folder, "Vrim.lnk")

    def tearDown(self):
        prefix.kill_programs()
        for app in self.apps:
            app.wait(timeout=30)
        prefix.remove_install(self.dist)

    def w(self, path):
        return prefix.windows(path)

    def install(self, *args, cwd=None):
        return prefix.watching_box(lambda: prefix.run(["Setup.exe"] + list(args), cwd=cwd or self.dist)[0])

    def uninstall(self):
        return prefix.watching_box(
            lambda: prefix.run([self.w(prefix.uninstaller_copy)], cwd=prefix.system_dir, timeout=60)[0])

    def start_application(self, *args):
        app = prefix.start_application(*args)
        self.assertIsNotNone(app, "application window up")
        self.apps.append(app)

    def installed_items(self):
        return {name: os.path.exists(path) for name, path in (
            ("program folder", prefix.program_folder), ("Vrim.exe", self.exe), ("hourglas.ani", self.cursor),
            ("uninstaller copy", prefix.uninstaller_copy), ("desktop shortcut", prefix.desktop_shortcut),
            ("Start-menu folder", prefix.start_menu_folder), ("Start-menu shortcut", self.menu_shortcut),
            ("uninstall shortcut", os.path.join(prefix.start_menu_folder, "Uninstall.lnk")))}

    def disk(self):
        missing = [name for name, there in self.installed_items().items() if not there]
        return "all eight items placed" if not missing else "missing: " + ", ".join(missing)

    def test_each_source_missing_in_turn(self):
        for name, placed in (("Vrim.exe", self.exe), ("hourglas.ani", self.cursor),
                             ("Uninstall.exe", prefix.uninstaller_copy)):
            with self.subTest(missing=name):
                self.tearDown()
                self.setUp()
                os.remove(os.path.join(self.dist, name))
                code, text = self.install()
                self.assertEqual(text, "Install failed!!\n" + self.w(placed))
                self.assertEqual(code, 1)
                items = self.installed_items()
                self.assertEqual([k for k, v in items.items() if not v],
                                 [{"Vrim.exe": "Vrim.exe", "hourglas.ani": "hourglas.ani",
                                   "Uninstall.exe": "uninstaller copy"}[name]])
                rows.append(("source %s missing" % name, shown(text), code, self.disk()))

    def test_read_only_file_at_a_destination(self):
        self.assertEqual(self.install("/s")[0], 0)
        os.chmod(self.cursor, 0o444)  # Wine's read-only attribute
        with open(os.path.join(self.dist, "hourglas.ani"), "ab") as f:
            f.write(b"newer")
        code, text = self.install()
        with open(self.cursor, "rb") as f:
            replaced = f.read().endswith(b"newer")
        if os.geteuid() == 0:
            # Wine divergence: Windows refuses to replace a read-only file
            # (access denied, so the box names it and the exit code is 1), but
            # Wine run by root opens it for writing all the same.
            self.assertEqual(text, "Install OK!!")
            self.assertEqual(code, 0)
            self.assertTrue(replaced)
            rows.append(("read-only hourglas.ani already installed (Wine as root)", shown(text), code,
                         "replaced; Windows would refuse, name it in the box and exit 1"))
        else:
            self.assertEqual(text, "Install failed!!\n" + self.w(self.cursor))
            self.assertEqual(code, 1)
            self.assertFalse(replaced, "the read-only file was left as it was")
            rows.append(("read-only hourglas.ani already installed", shown(text), code,
                         "old hourglas.ani kept; everything else replaced"))

    def test_current_directory_at_the_root_of_a_drive(self):
        os.symlink(self.dist, os.path.join(prefix.path, "dosdevices", "r:"))
        self.addCleanup(os.remove, os.path.join(prefix.path, "dosdevices", "r:"))
        code = prefix.run_line(r'"R:\Setup.exe" /s', cwd=self.dist, directory="R:\\")
        self.assertEqual(code, 0, r"R:\\Vrim.exe and the others were found")
        self.assertEqual(self.disk(), "all eight items placed")
        rows.append((r"current directory R:\ (sources R:\\Vrim.exe ...), silent", "no box", code, self.disk()))

    def test_current_directory_too_deep_for_the_paths(self):
        deep = prefix.drive_c
        while len(self.w(deep)) < 251:  # + "\Vrim.exe" is 260 bytes: no source fits
            deep = os.path.join(deep, "d" * min(40, 251 - len(self.w(deep)) - 1))
        os.makedirs(deep)
        self.addCleanup(shutil.rmtree, os.path.join(prefix.drive_c, "d" * 40), True)
        # The sources are there, but no path to them fits. (Setup.exe itself is
        # started from the kit: a program path that long cannot be started.)
        for name in ("Vrim.exe", "hourglas.ani", "Uninstall.exe"):
            shutil.copy(os.path.join(self.dist, name), deep)
        before = bench.tree(prefix.drive_c)
        code, text = prefix.watching_box(
            lambda: prefix.run_line('"%s\\Setup.exe"' % KIT, cwd=self.dist, directory=self.w(deep)))
        self.assertEqual(text, "\n".join(["Install failed!!", self.w(self.exe), self.w(self.cursor),
                                          self.w(prefix.uninstaller_copy)]))
        self.assertEqual(code, 1)
        placed = {os.path.relpath(p, prefix.drive_c) for p in (
            prefix.program_folder, prefix.start_menu_folder, prefix.desktop_shortcut, self.menu_shortcut,
            os.path.join(prefix.start_menu_folder, "Uninstall.lnk"))}
        added = {p for p in bench.tree(prefix.drive_c) - before if not p.startswith(("windows/temp", "users/"))}
        self.assertEqual(added - {"box.txt"}, placed - {os.path.relpath(prefix.desktop_shortcut, prefix.drive_c)},
                         "nothing written anywhere else")
        rows.append(("current directory of 251 bytes", shown(text), code,
                     "both folders and three shortcuts; no copy, nothing elsewhere"))

    def test_application_running_during_a_reinstall(self):
        self.assertEqual(self.install("/s")[0], 0)
        self.start_application()
        code, text = self.install()
        self.assertEqual(text, "Install failed!!\n" + self.w(self.exe))
        self.assertEqual(code, 1)
        rows.append(("reinstall while Vrim runs", shown(text), code, "running Vrim.exe kept, the rest replaced"))

    def test_application_that_ignores_the_close_request(self):
        self.assertEqual(self.install("/s")[0], 0)
        self.start_application("/ignoreclose")
        closed = os.path.join(prefix.program_folder, "closed.txt")  # deleted with the folder later
        uninstaller = prefix.start([self.w(prefix.uninstaller_copy)], cwd=prefix.system_dir)
        self.apps.append(uninstaller)
        self.assertTrue(bench.wait_for(lambda: os.path.exists(closed), 30), "it got WM_CLOSE")
        uninstaller.wait(timeout=60)
        self.assertEqual(uninstaller.returncode, 1)
        self.assertTrue(os.path.exists(self.exe), "a running program cannot be deleted")
        self.assertFalse(os.path.exists(prefix.start_menu_folder))
        self.assertFalse(os.path.exists(prefix.desktop_shortcut))
        rows.append(("uninstall while Vrim ignores WM_CLOSE", "no box", uninstaller.returncode,
                     "program folder stays with the running Vrim.exe; Start menu and desktop shortcut gone"))

    def test_hung_application(self):
        self.assertEqual(self.install("/s")[0], 0)
        self.start_application("/hang")
        code, text = self.uninstall()
        self.assertIsNone(text)
        self.assertEqual(code, 1)
        self.assertTrue(os.path.exists(self.exe))
        self.assertFalse(os.path.exists(prefix.start_menu_folder))
        rows.append(("uninstall while Vrim is hung", "no box; ends after about 7 s", code,
                     "program folder stays with the running Vrim.exe; Start menu and desktop shortcut gone"))

    def test_start_menu_folder_holding_a_file_of_the_user(self):
        self.assertEqual(self.install("/s")[0], 0)
        with open(os.path.join(prefix.start_menu_folder, "notes.txt"), "w") as f:
            f.write("mine\n")
        code, text = self.uninstall()
        self.assertIsNone(text)
        self.assertEqual(code, 0)
        self.assertFalse(os.path.exists(prefix.start_menu_folder), "the folder goes with all it holds")
        rows.append(("uninstall with a user's file in the Start-menu folder", "no box", code,
                     "folder deleted with the user's file"))

    def test_uninstall_when_nothing_is_installed(self):
        code, text = self.uninstall() if os.path.exists(prefix.uninstaller_copy) else (None, None)
        if code is None:
            shutil.copy(os.path.join(self.dist, "Uninstall.exe"), prefix.system_dir)
            code, text = self.uninstall()
        self.assertIsNone(text)
        self.assertEqual(code, 0)
        rows.append(("uninstall with nothing installed", "no box", code, "unchanged"))


if __name__ == "__main__":
    unittest.main()
