"""Checks the resources embedded in the built KESTRANE.exe (of the build
KESTRANE_WIN_BUILD names).

Reads the executable with pefile (Debian's python3-pefile, which only the
system /usr/bin/python3 sees).  The picture checks decode the stored PNGs
with /usr/bin/convert.
"""
import struct
import subprocess
import zlib
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

from program import EXE

RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 10, 14, 16, 24
IDI_KESTRANE, IDR_RUNNING_PICTURE, IDR_PAUSED_PICTURE = 1, 101, 102

PICTURE_W, PICTURE_H = 300, 150
# The button face is 385x111, so rows outside this band are clipped.
VISIBLE_ROWS = range(22, 129)
ICON_SIZE = 100
ICON_GREEN = (76, 255, 0)
# What the program may import: DLLs that Windows always takes from the
# system folder (its known DLLs), and the common controls, which the
# manifest redirects to the system's side-by-side copy. The loader looks
# for any other import beside the program first.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll",
                   "ole32.dll", "shell32.dll", "comctl32.dll"}
CONVERT = "/usr/bin/convert"


def load_pe(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"],
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT"],
    ])
    return pe


def resources_of(pe):
    """{type id: {name id: [data of each language]}}, numeric ids only."""
    table = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return table
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        names = table.setdefault(rtype.id, {})
        for name in rtype.directory.entries:
            for lang in name.directory.entries:
                d = lang.data.struct
                names.setdefault(name.id, []).append(
                    pe.get_data(d.OffsetToData, d.Size))
    return table


PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_chunks(data):
    """[(type, payload)] of a PNG, checking each chunk's CRC."""
    if not data.startswith(PNG_SIGNATURE):
        raise ValueError("no PNG signature")
    chunks, pos = [], len(PNG_SIGNATURE)
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        payload = data[pos + 8:pos + 8 + length]
        crc = struct.unpack_from(">I", data, pos + 8 + length)[0]
        if zlib.crc32(kind + payload) != crc:
            raise ValueError("bad CRC in chunk %r" % kind)
        chunks.append((kind, payload))
        pos += 12 + length
    return chunks


def decode_rgb(png):
    """Raw 8-bit RGB pixels of a picture, decoded by ImageMagick."""
    return subprocess.run([CONVERT, "png:-", "-depth", "8", "rgb:-"], input=png,
                          stdout=subprocess.PIPE, check=True).stdout


class ResourceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = load_pe(EXE)
        cls.res = resources_of(cls.pe)

    def only(self, rtype, name):
        datas = self.res.get(rtype, {}).get(name, [])
        self.assertEqual(len(datas), 1, "resource type %d id %d" % (rtype, name))
        return datas[0]

    def test_version_info(self):
        self.assertIn(RT_VERSION, self.res, "no VERSIONINFO resource")
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x00010000, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010000, 0))
        self.assertEqual(fixed.FileFlagsMask, 0x3F)
        self.assertEqual(fixed.FileFlags, 0)
        self.assertEqual(fixed.FileOS, 0x4)      # VOS__WINDOWS32
        self.assertEqual(fixed.FileType, 0x1)    # VFT_APP
        self.assertEqual(fixed.FileSubtype, 0)

        tables, translations = {}, []
        for info in self.pe.FileInfo[0]:
            for table in getattr(info, "StringTable", []):
                tables[table.LangID.decode().upper()] = {
                    k.decode(): v.decode() for k, v in table.entries.items()}
            for var in getattr(info, "Var", []):
                translations.append(var.entry.get(b"Translation"))
        self.assertEqual(list(tables), ["040904B0"])
        self.assertEqual(tables["040904B0"], {
            "FileDescription": "KESTRANE.exe - REQUIRES KESTRANE.BAT TO WORK",
            "ProductName": "KESTRANE",
            "FileVersion": "1.00",
            "ProductVersion": "1.00",
            "InternalName": "KESTRANE",
            "OriginalFilename": "KESTRANE.exe",
        })
        self.assertEqual(translations, ["0x0409 0x04b0"])

    def test_icon(self):
        self.assertEqual(list(self.res.get(RT_GROUP_ICON, {})), [IDI_KESTRANE])
        group = self.only(RT_GROUP_ICON, IDI_KESTRANE)
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind, count), (0, 1, 1))
        self.assertEqual(len(group), 6 + 14)
        w, h, colours, _, planes, bpp, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6)
        # A byte cannot hold 256, so a 256-colour entry records 0 colours.
        self.assertEqual((w, h, colours, planes, bpp), (ICON_SIZE, ICON_SIZE, 0, 1, 8))

        image = self.only(RT_ICON, icon_id)
        self.assertEqual(size, len(image))
        self.assertFalse(image.startswith(b"\x89PNG"), "icon image is PNG, not a bitmap")
        (hdr_size, bw, bh, bplanes, bbits, compression, _, _, _,
         used, _) = struct.unpack_from("<IiiHHIIiiII", image)
        self.assertEqual((hdr_size, bw, bh, bplanes, bbits, compression),
                         (40, ICON_SIZE, 2 * ICON_SIZE, 1, 8, 0))
        self.assertIn(used, (0, 256))
        palette_end = 40 + 256 * 4
        xor_end = palette_end + ICON_SIZE * ICON_SIZE  # 100-byte rows need no padding
        mask_row = (ICON_SIZE + 31) // 32 * 4
        self.assertEqual(len(image), xor_end + mask_row * ICON_SIZE)
        self.assertEqual(image[xor_end:], bytes(len(image) - xor_end), "AND mask not all opaque")

        palette = [(image[i + 2], image[i + 1], image[i])  # stored as BGRX
                   for i in range(40, palette_end, 4)]
        pixels = [palette[i] for i in image[palette_end:xor_end]]
        last = ICON_SIZE * ICON_SIZE - 1
        for corner in (0, ICON_SIZE - 1, last - ICON_SIZE + 1, last):
            self.assertEqual(pixels[corner], (0, 0, 0), "icon background not black")
        green = pixels.count(ICON_GREEN)
        self.assertGreater(green, ICON_SIZE * ICON_SIZE // 10, "too little monogram green")

    def test_manifest(self):
        self.assertEqual(list(self.res.get(RT_MANIFEST, {})), [1],
                         "expected exactly one manifest, id 1")
        manifest = self.only(RT_MANIFEST, 1)
        ElementTree.fromstring(manifest)  # a malformed manifest stops the program starting
        text = manifest.decode("utf-8")
        self.assertIn('level="asInvoker"', text)
        self.assertIn("PerMonitorV2", text)
        self.assertIn('name="Microsoft.Windows.Common-Controls"', text)

    def test_pictures_are_stored_as_plain_rgb_pngs_of_the_designed_size(self):
        for rid in (IDR_RUNNING_PICTURE, IDR_PAUSED_PICTURE):
            with self.subTest(picture=rid):
                chunks = png_chunks(self.only(RT_RCDATA, rid))
                kinds = [kind for kind, _ in chunks]
                # Header, image data and end only: no colour profile or gamma
                # that a reader might apply and so change the colours.
                self.assertEqual(kinds[0], b"IHDR")
                self.assertEqual(set(kinds), {b"IHDR", b"IDAT", b"IEND"})
                self.assertEqual(kinds[-1], b"IEND")
                width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
                self.assertEqual((width, height), (PICTURE_W, PICTURE_H))
                self.assertEqual((depth, colour_type, interlace), (8, 2, 0))  # 8-bit RGB, not interlaced

    def test_pictures_decode_to_the_designed_fields_and_red_marks(self):
        fields = {IDR_RUNNING_PICTURE: (0, 255, 0), IDR_PAUSED_PICTURE: (0, 0, 0)}
        for rid, field in fields.items():
            with self.subTest(picture=rid):
                rgb = decode_rgb(self.only(RT_RCDATA, rid))
                self.assertEqual(len(rgb), PICTURE_W * PICTURE_H * 3)

                def pixel(x, y):
                    return rgb[3 * (y * PICTURE_W + x):3 * (y * PICTURE_W + x) + 3]

                for x, y in ((0, 0), (PICTURE_W - 1, 0), (0, PICTURE_H - 1),
                             (PICTURE_W - 1, PICTURE_H - 1), (PICTURE_W // 2, 5)):
                    self.assertTrue(all(abs(a - b) <= 24 for a, b in zip(pixel(x, y), field)),
                                    "pixel %d,%d is %s, field should be %s"
                                    % (x, y, tuple(pixel(x, y)), field))
                red_rows = {y for y in range(PICTURE_H) for x in range(PICTURE_W)
                            if pixel(x, y)[0] > 160 and max(pixel(x, y)[1:]) < 96}
                self.assertTrue(red_rows, "no red text or marks")
                clipped = sorted(red_rows - set(VISIBLE_ROWS))
                if clipped:
                    self.fail("red drawn in rows %d..%d, which the button clips"
                              % (clipped[0], clipped[-1]))
                # Both marks and the words: red in the left and right fifths and the middle.
                red_columns = {x for y in VISIBLE_ROWS for x in range(PICTURE_W)
                               if pixel(x, y)[0] > 160 and max(pixel(x, y)[1:]) < 96}
                for band in (range(0, 60), range(120, 180), range(240, 300)):
                    self.assertTrue(red_columns & set(band), "no red in columns %d..%d"
                                    % (band[0], band[-1]))

    def test_imports_only_dlls_that_come_from_the_system_folder(self):
        imported = {imp.dll.decode().lower()
                    for imp in getattr(self.pe, "DIRECTORY_ENTRY_IMPORT", [])}
        self.assertIn("kernel32.dll", imported)  # the table was read
        self.assertEqual(sorted(imported - ALLOWED_IMPORTS), [],
                         "imports DLLs that could be planted beside the program")
        delayed = getattr(self.pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])
        self.assertEqual([imp.dll.decode() for imp in delayed], [], "delay-loads DLLs")

