"""Uninstall.exe under Wine, started from the system directory as its shortcut
starts it, over an installed state laid out by hand."""
import os
import shutil
import time
import unittest

import bench

prefix = None


def setUpModule():
    global prefix
    prefix = bench.Prefix()


def tearDownModule():
    prefix.close()


class UninstallTest(unittest.TestCase):
    def setUp(self):
        self.dist = bench.make_distribution(prefix.unix(r"C:\users\Public\Downloads\Vrim Kit"))
        self.lay_out_install()
        self.apps = []

    def tearDown(self):
        prefix.kill_programs()
        for app in self.apps:
            app.wait(timeout=30)
        prefix.remove_install()

    def lay_out_install(self):
        """What an install leaves: both folders, the files, the three shortcuts
        and the uninstaller copy. The uninstall never reads a shortcut, so any
        bytes will do for one."""
        os.makedirs(prefix.program_folder)
        os.makedirs(prefix.start_menu_folder)
        for name in ("Vrim.exe", "hourglas.ani"):
            shutil.copy(os.path.join(self.dist, name), prefix.program_folder)
        with open(os.path.join(prefix.program_folder, "settings.ini"), "w") as f:
            f.write("[written by the application]\n")
        for shortcut in (os.path.join(prefix.start_menu_folder, "Vrim.lnk"),
                         os.path.join(prefix.start_menu_folder, "Uninstall.lnk"),
                         prefix.desktop_shortcut):
            with open(shortcut, "wb") as f:
                f.write(b"L\0\0\0")
        shutil.copy(os.path.join(self.dist, "Uninstall.exe"), prefix.system_dir)

    def uninstall(self, *args, timeout=120):
        return prefix.run([prefix.windows(prefix.uninstaller_copy)] + list(args),
                          cwd=prefix.system_dir, timeout=timeout)

    def start_application(self, *args):
        app = prefix.start_application(*args)
        self.assertIsNotNone(app, "application window up")
        self.apps.append(app)
        return app

    def assert_all_removed(self):
        self.assertFalse(os.path.exists(prefix.program_folder))
        self.assertFalse(os.path.exists(prefix.start_menu_folder))
        self.assertFalse(os.path.exists(prefix.desktop_shortcut))
        self.assertTrue(os.path.exists(prefix.uninstaller_copy), "its own copy stays")

    def test_removes_the_three_places_and_keeps_its_own_copy(self):
        code, _ = self.uninstall()
        self.assertEqual(code, 0)
        self.assert_all_removed()

    def test_without_application_ends_at_once(self):
        code, seconds = self.uninstall()
        self.assertEqual(code, 0)
        self.assertLess(seconds, 1.5, "no two-second wait without a window")

    def test_second_run_finds_nothing_and_succeeds(self):
        self.assertEqual(self.uninstall()[0], 0)
        code, _ = self.uninstall()
        self.assertEqual(code, 0)
        self.assert_all_removed()

    def test_any_command_line_gives_the_same_uninstall(self):
        for args in (["/s"], ["/u"], ["/S", "/U"], ["anything", "at all"]):
            with self.subTest(args=args):
                if not os.path.exists(prefix.program_folder):
                    self.lay_out_install()
                code, _ = self.uninstall(*args)
                self.assertEqual(code, 0)
                self.assert_all_removed()

    def watch_close(self, app_args, timeout=60):
        """Runs the uninstall beside a running application; returns the moment
        it handled WM_CLOSE, the last moment the program folder was seen, and
        the exit code."""
        self.start_application(*app_args)
        closed = os.path.join(prefix.program_folder, "closed.txt")
        handled = None
        last_seen = None
        uninstaller = prefix.start([prefix.windows(prefix.uninstaller_copy)], cwd=prefix.system_dir)
        self.apps.append(uninstaller)
        end = time.monotonic() + timeout
        while uninstaller.poll() is None and time.monotonic() < end:
            now = time.time()
            if os.path.isdir(prefix.program_folder):
                last_seen = now
            if handled is None and os.path.exists(closed):
                with open(closed) as f:
                    text = f.read().strip()
                if text:
                    handled = int(text) / 1000.0
            time.sleep(0.005)
        self.assertIsNotNone(uninstaller.poll(), "uninstaller finished")
        return handled, last_seen, uninstaller.returncode

    def test_running_application_is_closed_and_given_two_seconds(self):
        handled, last_seen, code = self.watch_close([])
        self.assertIsNotNone(handled, "the application got WM_CLOSE and wrote when it handled it")
        self.assertGreaterEqual(last_seen - handled, 2.0, "nothing deleted within 2 s of the close")
        self.assertEqual(code, 0)
        self.assert_all_removed()

    def test_application_behind_its_own_prompt_is_waited_for(self):
        # The window keeps pumping for 7 s while handling WM_CLOSE, longer than
        # the platform takes to call a silent window hung.
        handled, last_seen, code = self.watch_close(["/prompt", "7000"])
        self.assertIsNotNone(handled)
        self.assertGreaterEqual(last_seen - handled, 2.0)
        self.assertEqual(code, 0)
        self.assert_all_removed()

    def test_hung_application_does_not_hang_the_uninstall(self):
        self.start_application("/hang")
        code, seconds = self.uninstall(timeout=60)
        # The hung window stops the wait after the platform's five seconds, then
        # the usual two. Its executable is still running and cannot be deleted,
        # and the exit code says so.
        self.assertLess(seconds, 12)
        self.assertEqual(code, 1)
        self.assertTrue(os.path.exists(os.path.join(prefix.program_folder, "Vrim.exe")))
        self.assertFalse(os.path.exists(prefix.start_menu_folder))
        self.assertFalse(os.path.exists(prefix.desktop_shortcut))


if __name__ == "__main__":
    unittest.main()
