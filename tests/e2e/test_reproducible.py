"""The programs are reproducible: a second build of the same source, from
another folder, at another time, in another time zone and locale, gives the
same bytes as dist/, and dist/SHA256SUMS checks out."""
import os
import shutil
import subprocess
import tempfile
import unittest

import pefile

import bench

PROGRAMS = ("Setup.exe", "Uninstall.exe")
SKIP = {".git", "build", "dist", "__pycache__"}


def copy_source(to):
    shutil.copytree(bench.ROOT, to, ignore=lambda folder, names: [n for n in names if n in SKIP])


def where(pe, offset):
    """The header field or section that holds a file offset."""
    headers = [pe.DOS_HEADER, pe.NT_HEADERS, pe.FILE_HEADER, pe.OPTIONAL_HEADER]
    headers += list(pe.OPTIONAL_HEADER.DATA_DIRECTORY) + pe.sections
    for header in headers:
        start = header.get_file_offset()
        if start <= offset < start + header.sizeof():
            field = max((at, name) for name, at in header.__field_offsets__.items()
                        if start + at <= offset)[1]
            return "%s.%s" % (header.name, field)
    for section in pe.sections:
        if section.PointerToRawData <= offset < section.PointerToRawData + section.SizeOfRawData:
            return "section %s" % section.Name.rstrip(b"\0").decode()
    return "offset 0x%x" % offset


def describe_difference(a_path, b_path):
    a, b = open(a_path, "rb").read(), open(b_path, "rb").read()
    if len(a) != len(b):
        return "sizes differ: %d against %d bytes" % (len(a), len(b))
    pe = pefile.PE(data=a)
    places = []
    for i in range(len(a)):
        if a[i] != b[i]:
            place = where(pe, i)
            if place not in places:
                places.append(place)
    return "bytes differ in: " + ", ".join(places[:12])


class ReproducibleBuildTest(unittest.TestCase):
    def test_second_build_elsewhere_gives_the_same_bytes(self):
        work = tempfile.mkdtemp(prefix="vrim-rebuild-")
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        source = os.path.join(work, "another", "checkout")
        copy_source(source)
        out = os.path.join(work, "dist")
        env = dict(os.environ, TZ="Pacific/Kiritimati", LC_ALL="C", LANG="C")
        subprocess.run(["cmake", "-S", source, "-B", os.path.join(work, "build"), "-G", "Ninja",
                        "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(source, "cmake", "i686-w64-mingw32.cmake"),
                        "-DCMAKE_BUILD_TYPE=MinSizeRel", "-DDIST_DIR=" + out],
                       check=True, env=env, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", os.path.join(work, "build"), "--target", "checksums"],
                       check=True, env=env, stdout=subprocess.DEVNULL)
        for name in PROGRAMS + ("SHA256SUMS",):
            with self.subTest(file=name):
                first, second = os.path.join(bench.DIST, name), os.path.join(out, name)
                with open(first, "rb") as f, open(second, "rb") as g:
                    same = f.read() == g.read()
                self.assertTrue(same, name + ": " + (describe_difference(first, second)
                                                     if name != "SHA256SUMS" else "checksums differ"))

    def test_checksums_verify(self):
        done = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=bench.DIST,
                              stdout=subprocess.PIPE, text=True)
        self.assertEqual(done.returncode, 0, done.stdout)
        self.assertEqual(sorted(line.split(":")[0] for line in done.stdout.splitlines()), list(PROGRAMS))


if __name__ == "__main__":
    unittest.main()
