#!/usr/bin/env python3
"""The translation check on small sources of its own: it must fail on each kind of gap."""
import contextlib
import io
import sys
import tempfile
import textwrap
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_translations  # noqa: E402

LUPDATE = sys.argv.pop(1) if len(sys.argv) > 1 else "lupdate"

SOURCE = textwrap.dedent("""\
    #include <QCoreApplication>
    QString texts(int n)
    {
        return QCoreApplication::translate("Menu", "&File")
            + QCoreApplication::translate("Menu", "Open %1 of %L2")
            + QCoreApplication::translate("Menu", "%n contacts", nullptr, n);
    }
    """)


def message(source, translation, numerus=False):
    if numerus:
        forms = "".join(f"<numerusform>{form}</numerusform>" for form in translation)
        return f'<message numerus="yes"><source>{source}</source><translation>{forms}</translation></message>'
    if translation is None:
        return f'<message><source>{source}</source><translation type="unfinished"></translation></message>'
    return f"<message><source>{source}</source><translation>{translation}</translation></message>"


def ts(language, *messages):
    body = "".join(messages)
    return (f'<?xml version="1.0" encoding="utf-8"?><!DOCTYPE TS><TS version="2.1" language="{language}">'
            f"<context><name>Menu</name>{body}</context></TS>")


COMPLETE = (
    message("&amp;File", "ファイル(&amp;F)"),
    message("Open %1 of %L2", "%L2 の %1 を開く"),
    message("%n contacts", ["%n 件の連絡先"], numerus=True),
)


class CheckTranslationsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = Path(self.folder.name)
        (self.root / "src").mkdir()
        (self.root / "src" / "menu.cpp").write_text(SOURCE, encoding="utf-8")

    def tearDown(self):
        self.folder.cleanup()

    def run_check(self, ja_messages, en_messages=None):
        (self.root / "app_ja.ts").write_text(ts("ja", *ja_messages), encoding="utf-8")
        args = ["--lupdate", LUPDATE, "--sources", str(self.root / "src"), "--ts", str(self.root / "app_ja.ts")]
        if en_messages is not None:
            (self.root / "app_en.ts").write_text(ts("en", *en_messages), encoding="utf-8")
            args += ["--plural-ts", str(self.root / "app_en.ts")]
        output = io.StringIO()
        with contextlib.redirect_stdout(output):
            code = check_translations.main(args)
        return code, output.getvalue()

    def test_complete_translations_pass(self):
        code, output = self.run_check(COMPLETE, [message("%n contacts", ["%n contact", "%n contacts"], numerus=True)])
        self.assertEqual(code, 0, output)

    def test_a_text_added_to_the_sources_without_translation_fails(self):
        source = self.root / "src" / "menu.cpp"
        source.write_text(SOURCE.replace('"&File")', '"&File") + QCoreApplication::translate("Menu", "Merge")'),
                          encoding="utf-8")
        code, output = self.run_check(COMPLETE)
        self.assertEqual(code, 1)
        self.assertIn("no translation: Menu: 'Merge'", output)

    def test_unfinished_and_empty_translations_fail(self):
        code, output = self.run_check((message("&amp;File", None),) + COMPLETE[1:])
        self.assertEqual(code, 1)
        self.assertIn("no translation: Menu: '&File'", output)
        code, output = self.run_check(COMPLETE[:2] + (message("%n contacts", [""], numerus=True),))
        self.assertEqual(code, 1)
        self.assertIn("no translation: Menu: '%n contacts'", output)

    def test_changed_placeholders_fail(self):
        for broken in ("%1 を開く", "%1 と %2 を開く", "%L2 の %1 を開く %1", "%3 の %1 を開く"):
            with self.subTest(broken=broken):
                code, output = self.run_check((COMPLETE[0], message("Open %1 of %L2", broken), COMPLETE[2]))
                self.assertEqual(code, 1)
                self.assertIn("placeholders differ", output)
        code, output = self.run_check(COMPLETE[:2] + (message("%n contacts", ["連絡先"], numerus=True),))
        self.assertEqual(code, 1)
        self.assertIn("placeholders differ", output)

    def test_a_lost_keyboard_accelerator_fails(self):
        code, output = self.run_check((message("&amp;File", "ファイル"),) + COMPLETE[1:])
        self.assertEqual(code, 1)
        self.assertIn("keyboard accelerator lost", output)

    def test_the_plural_file_needs_only_the_counted_texts(self):
        code, output = self.run_check(COMPLETE, [])
        self.assertEqual(code, 1)
        self.assertIn("app_en.ts: no translation: Menu: '%n contacts'", output)
        self.assertNotIn("'&File'", output)


if __name__ == "__main__":
    unittest.main()
