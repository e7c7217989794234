"""Setup.exe under Wine, started from the distribution folder as a user starts
it, in all three modes; the prefix's disk read back afterwards."""
import filecmp
import os
import shutil
import unittest

import bench

prefix = None

KIT = r"C:\users\Public\Downloads\Vrim Kit"


def setUpModule():
    global prefix, APP_TARGET, UNINSTALL_TARGET, CURSOR
    prefix = bench.Prefix()
    APP_TARGET = prefix.windows(os.path.join(prefix.program_folder, "Vrim.exe"))
    CURSOR = prefix.windows(os.path.join(prefix.program_folder, "hourglas.ani"))
    # On 64-bit Windows the 32-bit system folder, where the copy really lands.
    UNINSTALL_TARGET = prefix.windows(prefix.uninstaller_copy)


def tearDownModule():
    prefix.close()


def noise(path):
    """Files Wine itself may touch while programs run."""
    lowered = path.lower()
    return lowered.startswith(("windows/temp", "users/root/temp", "users/root/appdata/local/temp"))


class InstallTest(unittest.TestCase):
    def setUp(self):
        self.dist = bench.make_distribution(prefix.unix(KIT))
        self.shortcuts = {
            prefix.desktop_shortcut: APP_TARGET,
            os.path.join(prefix.start_menu_folder, "Vrim.lnk"): APP_TARGET,
            os.path.join(prefix.start_menu_folder, "Uninstall.lnk"): UNINSTALL_TARGET,
        }

    def tearDown(self):
        prefix.remove_install(self.dist)

    def setup(self, *args, cwd=None, program=None):
        return prefix.run([program or "Setup.exe"] + list(args), cwd=cwd or self.dist)[0]

    def setup_with_box(self, *args, cwd=None, program=None):
        """Runs Setup; returns the exit code and its box's text, None when none came."""
        return prefix.watching_box(lambda: self.setup(*args, cwd=cwd, program=program))

    def assert_installed(self):
        for name in ("Vrim.exe", "hourglas.ani"):
            self.assertTrue(filecmp.cmp(os.path.join(self.dist, name),
                                        os.path.join(prefix.program_folder, name), shallow=False), name)
        self.assertTrue(filecmp.cmp(os.path.join(self.dist, "Uninstall.exe"), prefix.uninstaller_copy,
                                    shallow=False))
        for shortcut, target in self.shortcuts.items():
            self.assertEqual(bench.read_lnk_target(shortcut), target, shortcut)

    def test_silent_install_places_everything(self):
        self.assertEqual(self.setup("/s"), 0)
        self.assert_installed()
        self.assertEqual(sorted(os.listdir(prefix.start_menu_folder)), ["Uninstall.lnk", "Vrim.lnk"])
        self.assertEqual(sorted(os.listdir(prefix.program_folder)), ["Vrim.exe", "hourglas.ani"])

    def test_interactive_install_confirms_and_exits_zero(self):
        code, text = self.setup_with_box()
        self.assertEqual(text, "Install OK!!")
        self.assertEqual(code, 0)
        self.assert_installed()

    def test_upper_case_switches_act_as_lower_case(self):
        code, text = self.setup_with_box("/S")
        self.assertIsNone(text, "a silent install shows no box")
        self.assertEqual(code, 0)
        self.assert_installed()
        self.assertEqual(self.setup("/U"), 0)
        self.assertFalse(os.path.exists(prefix.program_folder))

    def test_started_from_another_directory_reports_the_missing_copies(self):
        elsewhere = prefix.unix(r"C:\users\Public")
        code, text = self.setup_with_box(cwd=elsewhere, program=KIT + r"\Setup.exe")
        self.assertEqual(text, "\n".join(["Install failed!!", APP_TARGET, CURSOR, UNINSTALL_TARGET]))
        self.assertEqual(code, 1)
        for shortcut, target in self.shortcuts.items():
            self.assertEqual(bench.read_lnk_target(shortcut), target, "shortcuts are still written")

    def test_second_install_replaces_changed_sources_without_asking(self):
        self.assertEqual(self.setup("/s"), 0)
        with open(os.path.join(self.dist, "hourglas.ani"), "ab") as f:
            f.write(b"changed")
        shutil.copy(os.path.join(bench.DIST, "Setup.exe"), os.path.join(self.dist, "Uninstall.exe"))
        code, text = self.setup_with_box("/s")
        self.assertIsNone(text)
        self.assertEqual(code, 0)
        self.assert_installed()

    def test_quoted_program_path_with_spaces_then_u_uninstalls(self):
        self.assertEqual(self.setup("/s"), 0)
        code = prefix.run_line('"%s\\Setup.exe" /u' % KIT, cwd=self.dist)
        self.assertEqual(code, 0)
        self.assertFalse(os.path.exists(prefix.program_folder))
        self.assertFalse(os.path.exists(prefix.start_menu_folder))
        self.assertFalse(os.path.exists(prefix.desktop_shortcut))

    def test_install_then_uninstall_from_its_shortcut_leaves_the_machine_as_it_was(self):
        before = {p for p in bench.tree(prefix.drive_c) if not noise(p)}
        self.assertEqual(self.setup("/s"), 0)
        shortcut = prefix.windows(os.path.join(prefix.start_menu_folder, "Uninstall.lnk"))
        # Opened by the platform's own shell: the 64-bit one in a 64-bit prefix.
        code, _ = prefix.run(["start", "/wait", shortcut], cwd=prefix.drive_c, loader=prefix.shell)
        self.assertEqual(code, 0, "the shortcut was opened")
        # Wine divergence: start /wait does not wait for a program it reached
        # through a shortcut (its shell loses the process handle on that route),
        # so the test waits for the disk, and the uninstaller's exit code cannot
        # be read here.
        self.assertTrue(bench.wait_for(lambda: not any(map(os.path.exists, (
            prefix.program_folder, prefix.start_menu_folder, prefix.desktop_shortcut))), 30))
        after = {p for p in bench.tree(prefix.drive_c) if not noise(p)}
        self.assertEqual(after - before, {os.path.relpath(prefix.uninstaller_copy, prefix.drive_c)})
        self.assertEqual(before - after, set())


if __name__ == "__main__":
    unittest.main()
