"""What the shipped programs are, read from the PE files themselves: 32-bit
GUI programs for Windows 4.0, importing from the four system DLLs only, and
carrying the one icon group and nothing else."""
import os
import struct
import unittest

import pefile

import bench

SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "SHELL32.DLL", "OLE32.DLL"}
# (width, height, bits per pixel) of icon images 1 to 4
ICON_IMAGES = [(16, 16, 4), (16, 16, 8), (32, 32, 4), (32, 32, 8)]
RT_ICON, RT_GROUP_ICON = 3, 14


class ProgramFileTest(unittest.TestCase):
    PROGRAMS = {
        "Setup.exe": {"KERNEL32.DLL", "USER32.DLL", "SHELL32.DLL", "OLE32.DLL"},
        "Uninstall.exe": {"KERNEL32.DLL", "USER32.DLL", "SHELL32.DLL"},
    }

    def load(self, name):
        pe = pefile.PE(os.path.join(bench.DIST, name))
        self.addCleanup(pe.close)
        return pe

    def test_headers(self):
        for name in self.PROGRAMS:
            with self.subTest(program=name):
                pe = self.load(name)
                self.assertEqual(pe.FILE_HEADER.Machine, 0x14C, "i386")
                self.assertEqual(pe.OPTIONAL_HEADER.Magic, 0x10B, "PE32")
                self.assertEqual(pe.OPTIONAL_HEADER.Subsystem, 2, "Windows GUI")
                self.assertEqual((pe.OPTIONAL_HEADER.MajorSubsystemVersion,
                                  pe.OPTIONAL_HEADER.MinorSubsystemVersion), (4, 0))
                self.assertEqual(pe.FILE_HEADER.PointerToSymbolTable, 0, "stripped")
                self.assertEqual(pe.FILE_HEADER.NumberOfSymbols, 0, "stripped")

    def test_imports_only_from_the_system_dlls(self):
        for name, expected in self.PROGRAMS.items():
            with self.subTest(program=name):
                dlls = {entry.dll.decode().upper() for entry in self.load(name).DIRECTORY_ENTRY_IMPORT}
                self.assertLessEqual(dlls, SYSTEM_DLLS)
                self.assertEqual(dlls, expected)

    def resources(self, pe):
        """{type: {id: [(language, data)]}} of the whole resource tree."""
        tree = {}
        for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
            self.assertIsNone(rtype.name, "resource types are numbered")
            for rid in rtype.directory.entries:
                for lang in rid.directory.entries:
                    raw = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                    tree.setdefault(rtype.id, {}).setdefault(rid.id, []).append(raw)
        return tree

    def test_one_icon_group_of_four_images_and_nothing_else(self):
        for name in self.PROGRAMS:
            with self.subTest(program=name):
                tree = self.resources(self.load(name))
                self.assertEqual(sorted(tree), [RT_ICON, RT_GROUP_ICON], "no other resource type")
                self.assertEqual(list(tree[RT_GROUP_ICON]), [101])
                self.assertEqual(sorted(tree[RT_ICON]), [1, 2, 3, 4])
                (group,) = tree[RT_GROUP_ICON][101]
                reserved, kind, count = struct.unpack_from("<HHH", group)
                self.assertEqual((reserved, kind, count), (0, 1, 4))
                for i, (width, height, bpp) in enumerate(ICON_IMAGES):
                    w, h, colours, _, planes, bits, size, icon_id = struct.unpack_from(
                        "<BBBBHHIH", group, 6 + 14 * i)
                    self.assertEqual((w, h, bits, icon_id), (width, height, bpp, i + 1),
                                     "group entry %d" % i)
                    self.assertEqual(colours, 16 if bpp == 4 else 0)
                    (image,) = tree[RT_ICON][icon_id]
                    self.assertEqual(size, len(image))
                    header = struct.unpack_from("<IiiHH", image)
                    self.assertEqual(header, (40, width, 2 * height, 1, bpp),
                                     "image %d header: size, width, doubled height, planes, bpp" % icon_id)


class IconGeneratorTest(unittest.TestCase):
    def test_committed_icon_is_what_the_generator_draws(self):
        import importlib.util
        path = os.path.join(bench.ROOT, "resources", "make_icon.py")
        spec = importlib.util.spec_from_file_location("make_icon", path)
        make_icon = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(make_icon)
        with open(os.path.join(bench.ROOT, "resources", "vrim.ico"), "rb") as f:
            self.assertEqual(f.read(), make_icon.icon())


if __name__ == "__main__":
    unittest.main()
