#!/usr/bin/env python3
"""Lists the translator keys that a Markdown text names, and checks language
files against such a list.

Usage:
  scripts/list-text-keys.py extract TEXT.md > data/lang/keys.txt
  scripts/list-text-keys.py check data/lang/keys.txt data/lang/English.xml [OTHER.xml ...]
  scripts/list-text-keys.py selftest

extract prints, sorted and once each, every key that the text names: a quoted
dotted name whose parts start with a capital letter or a digit
("Msg.NoOperation", "Toolbar.1Diff"), and "Menu." followed by each name of the
menu paths in a command table (a Markdown table with a "Menu item" column whose
cells read like: Edit > EditResolve > EditResolveLeft "&Left").

check reads each language file as the translator does and reports:
- a file that is not UTF-8, lacks the leading declaration, is not well-formed
  XML (with &nbsp; and &copy;, which the translator decodes, accepted), or has
  no "Language" root;
- groups and texts without a name, names holding a dot (the key would be
  unreachable), a name used twice in one group (the second is never found),
  texts holding elements, empty texts, entity references that the translator
  does not decode;
- keys of the list missing from the file;
- against the first file (the reference), for every further file: keys missing
  or extra, and texts whose placeholders, "\\0" separators, leading or trailing
  line breaks, shortcut after the tab or menu mnemonic differ from the
  reference's.
Keys of a file that are not in the list are noted but not counted as problems.
The exit status is 1 when any problem was found.
"""

import collections
import pathlib
import re
import sys
import unittest
import xml.etree.ElementTree as ET

DECLARATION = "<?xml version='1.0' encoding='utf-8'?>"

# Every language file needs these: the language list shows "Lang.Name", help
# addresses use "Lang.ISOCode", and the translator credit is "Lang.Translator".
REQUIRED_KEYS = ("Lang.Name", "Lang.ISOCode", "Lang.Translator")

QUOTED_KEY = re.compile(r'"([A-Z][A-Za-z0-9]*(?:\.[A-Z0-9][A-Za-z0-9]*)+)"')
MENU_PATH = re.compile(r'^\s*(\w+(?:\s*>\s*\w+)*)')

# The references the translator decodes, in its order, applied one after the
# other to the whole text; the last one turns the two characters \n into a
# line feed.
DECODED_REFERENCES = (("&lt;", "<"), ("&gt;", ">"), ("&amp;", "&"),
                      ("&apos;", "'"), ("&quot;", '"'), ("&nbsp;", "\u00a0"),
                      ("&copy;", "\u00a9"), ("\\n", "\n"))
ENTITY_REFERENCE = re.compile(r"&(#?[A-Za-z0-9]+);")
KNOWN_ENTITIES = {"lt", "gt", "amp", "apos", "quot", "nbsp", "copy"}

PLACEHOLDER = re.compile(r"\{\{|\{[^{}]*\}")
MNEMONIC = re.compile(r"(?<!&)&(?!&)")


# --- Extraction -------------------------------------------------------------


def table_cells(line):
    return [cell.strip() for cell in line.strip().strip("|").split("|")]


def menu_keys(lines):
    """Keys of the menu paths in every table that has a "Menu item" column."""
    keys = set()
    column = None
    for line in lines:
        if not line.lstrip().startswith("|"):
            column = None
            continue
        cells = table_cells(line)
        if column is None:
            if "Menu item" in cells:
                column = cells.index("Menu item")
            continue
        if column >= len(cells) or set(cells[column]) <= set("-: "):
            continue
        path = MENU_PATH.match(cells[column])
        if path is None or path.group(1) == "none":
            continue
        keys.update("Menu." + name.strip() for name in path.group(1).split(">"))
    return keys


def extract_keys(text):
    keys = set(QUOTED_KEY.findall(text))
    keys |= menu_keys(text.splitlines())
    return sorted(keys)


# --- Language files ---------------------------------------------------------


def decode(raw):
    for reference, replacement in DECODED_REFERENCES:
        raw = raw.replace(reference, replacement)
    return raw


def parse_well_formed(text):
    """Parses the text as XML; the translator's own references are accepted
    by turning them into character references first."""
    text = text.replace("&nbsp;", "&#160;").replace("&copy;", "&#169;")
    return ET.fromstring(text)


def parse_raw(text):
    """Parses the text keeping every reference as written, so that the texts
    come out exactly as the translator reads them before decoding."""
    return ET.fromstring(text.replace("&", "&amp;"))


class LanguageFile:
    """The texts of one language file by key (decoded), and its problems."""

    def __init__(self, name, data):
        self.name = name
        self.texts = {}
        self.problems = []
        text = self.read_text(data)
        self.readable = text is not None and self.check_well_formed(text)
        if self.readable:
            self.collect(parse_raw(text), "")

    def problem(self, message):
        self.problems.append(f"{self.name}: {message}")

    def read_text(self, data):
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError as error:
            self.problem(f"not UTF-8: {error}")
            return None
        if not text.startswith(DECLARATION):
            self.problem(f"does not start with {DECLARATION}")
        return text

    def check_well_formed(self, text):
        try:
            root = parse_well_formed(text)
        except ET.ParseError as error:
            self.problem(f"not well-formed XML: {error}")
            return False
        if root.tag != "Language":
            self.problem(f'root element is "{root.tag}", not "Language"')
            return False
        return True

    def collect(self, group, prefix):
        seen = set()
        for child in group:
            if child.tag not in ("Group", "Text"):
                continue
            name = child.get("name", "")
            key = prefix + name
            if not name or "." in name:
                self.problem(f'{child.tag} "{key}": name is empty or holds a dot')
                continue
            if name in seen:
                self.problem(f'"{key}": the name is used twice in its group')
                continue
            seen.add(name)
            if child.tag == "Group":
                self.collect(child, key + ".")
            else:
                self.collect_text(child, key)

    def collect_text(self, element, key):
        if len(element):
            self.problem(f'"{key}": the text holds elements')
        raw = element.text or ""
        if not raw:
            self.problem(f'"{key}": the text is empty')
        for entity in ENTITY_REFERENCE.findall(raw):
            if entity not in KNOWN_ENTITIES:
                self.problem(f'"{key}": &{entity}; is not decoded')
        self.texts[key] = decode(raw)


def layout(text):
    """What a translation has to keep of a text."""
    shortcut = text.split("\t", 1)[1] if "\t" in text else None
    return {
        "placeholders": sorted(PLACEHOLDER.findall(text)),
        "\\0 separators": text.count("\\0"),
        "leading line breaks": len(text) - len(text.lstrip("\n")),
        "trailing line breaks": len(text) - len(text.rstrip("\n")),
        "shortcut": shortcut,
        "mnemonic": bool(MNEMONIC.search(text.split("\t", 1)[0])),
    }


def compare_with_reference(reference, other):
    problems = []
    for key in sorted(reference.texts.keys() - other.texts.keys()):
        problems.append(f'{other.name}: "{key}" is missing (in {reference.name})')
    for key in sorted(other.texts.keys() - reference.texts.keys()):
        problems.append(f'{other.name}: "{key}" is not in {reference.name}')
    for key in sorted(reference.texts.keys() & other.texts.keys()):
        expected = layout(reference.texts[key])
        actual = layout(other.texts[key])
        for what, value in expected.items():
            if actual[what] != value:
                problems.append(f'{other.name}: "{key}": {what} {actual[what]!r}, '
                                f'{reference.name} has {value!r}')
    return problems


def check_files(keys, files):
    """Returns (problems, notes) for language files given as (name, bytes)."""
    problems, notes = [], []
    languages = [LanguageFile(name, data) for name, data in files]
    wanted = set(keys) | set(REQUIRED_KEYS)
    for language in languages:
        problems += language.problems
        if not language.readable:
            continue
        for key in sorted(wanted - language.texts.keys()):
            problems.append(f'{language.name}: "{key}" is missing')
        extra = sorted(language.texts.keys() - wanted)
        if extra:
            notes.append(f"{language.name}: keys not in the list: {', '.join(extra)}")
    if languages[0].readable:
        for other in languages[1:]:
            if other.readable:
                problems += compare_with_reference(languages[0], other)
    return problems, notes


# --- Command line -----------------------------------------------------------


def run_extract(markdown_path):
    text = pathlib.Path(markdown_path).read_text(encoding="utf-8")
    sys.stdout.write("".join(key + "\n" for key in extract_keys(text)))
    return 0


def run_check(keys_path, language_paths):
    keys = pathlib.Path(keys_path).read_text(encoding="utf-8").split()
    files = [(path, pathlib.Path(path).read_bytes()) for path in language_paths]
    problems, notes = check_files(keys, files)
    for line in notes + problems:
        print(line)
    counts = collections.Counter(p.split(":", 1)[0] for p in problems)
    for path in language_paths:
        print(f"{path}: {counts[path]} problem(s)")
    return 1 if problems else 0


def main(arguments):
    if len(arguments) == 2 and arguments[0] == "extract":
        return run_extract(arguments[1])
    if len(arguments) >= 3 and arguments[0] == "check":
        return run_check(arguments[1], arguments[2:])
    if arguments == ["selftest"]:
        suite = unittest.defaultTestLoader.loadTestsFromTestCase(SelfTest)
        return 0 if unittest.TextTestRunner().run(suite).wasSuccessful() else 1
    sys.stderr.write(__doc__)
    return 2


# --- Self-test --------------------------------------------------------------


def language(groups):
    return (DECLARATION + "\n<Language>\n" + groups + "</Language>\n").encode("utf-8")


LANG_GROUP = ("<Group name='Lang'><Text name='Name'>Test</Text>"
              "<Text name='ISOCode'>xx</Text><Text name='Translator'>T</Text></Group>\n")


class SelfTest(unittest.TestCase):
    def test_extract_finds_quoted_keys_and_ignores_file_names(self):
        text = ('Shows "Msg.NoOperation" and "Toolbar.1Diff", then "Menu.Context.On";\n'
                'writes "Setup.msi" and "*.xml"; "Menu." is a prefix.\n')
        self.assertEqual(extract_keys(text),
                         ["Menu.Context.On", "Msg.NoOperation", "Toolbar.1Diff"])

    def test_extract_reads_menu_paths_of_command_tables_only(self):
        text = ("| Id | Menu item | Key |\n"
                "|---|---|---|\n"
                '| 1 | File > FileOpen "&Open..." | Ctrl+O |\n'
                '| 2 | Edit > EditCut > EditCutText "&Text" | Ctrl+X |\n'
                "| 3 | none | Up |\n"
                "\n"
                "| Id | Other |\n"
                "|---|---|\n"
                "| 4 | View > ViewThing |\n")
        self.assertEqual(extract_keys(text),
                         ["Menu.Edit", "Menu.EditCut", "Menu.EditCutText",
                          "Menu.File", "Menu.FileOpen"])

    def test_decode_follows_the_translator_order(self):
        # "&amp;" comes after "&lt;" but before "&apos;".
        self.assertEqual(decode("&amp;lt; &amp;apos;&lt;b&gt;a\\nb&nbsp;&copy;"),
                         "&lt; '<b>a\nb\u00a0\u00a9")

    def test_complete_file_passes_and_reads_texts_decoded(self):
        data = language(LANG_GROUP + "<Group name='Misc'><Group name='Sub'>"
                        "<Text name='Name'>A&nbsp;B &amp;Open\tCtrl+O</Text>"
                        "</Group></Group>\n")
        problems, notes = check_files(["Misc.Sub.Name"], [("en.xml", data)])
        self.assertEqual(problems, [])
        self.assertEqual(notes, [])
        self.assertEqual(LanguageFile("en.xml", data).texts["Misc.Sub.Name"],
                         "A\u00a0B &Open\tCtrl+O")

    def test_missing_and_extra_keys(self):
        data = language(LANG_GROUP + "<Group name='Msg'><Text name='A'>a</Text></Group>\n")
        problems, notes = check_files(["Msg.A", "Msg.B"], [("en.xml", data)])
        self.assertEqual(problems, ['en.xml: "Msg.B" is missing'])
        problems, notes = check_files([], [("en.xml", data)])
        self.assertEqual(problems, [])
        self.assertEqual(notes, ["en.xml: keys not in the list: Msg.A"])

    def test_structure_problems(self):
        cases = {
            "<Group name='M'><Text name='A'>a</Text><Text name='A'>b</Text></Group>":
                "used twice",
            "<Group name='M'><Text name='A'>a</Text><Group name='A'/></Group>": "used twice",
            "<Group name='M'><Text name='A.B'>a</Text></Group>": "holds a dot",
            "<Group name='M'><Text>a</Text></Group>": "name is empty",
            "<Group name='M'><Text name='A'></Text></Group>": "is empty",
            "<Group name='M'><Text name='A'>a<b/>c</Text></Group>": "holds elements",
            "<Group name='M'><Text name='A'>&nbsp;&#65;</Text></Group>": "not decoded",
            "<Group name='M'><Text name='A'>a &foo; b</Text></Group>": "not well-formed",
            "<Group name='M'><Text name='A'>a < b</Text></Group>": "not well-formed",
        }
        for body, expected in cases.items():
            with self.subTest(body=body):
                problems, _ = check_files([], [("f.xml", language(LANG_GROUP + body))])
                self.assertTrue(any(expected in p for p in problems), problems)

    def test_file_level_problems(self):
        without_declaration = b"<Language>" + LANG_GROUP.encode() + b"</Language>"
        other_root = language("").replace(b"Language>", b"Texts>")
        cases = {without_declaration: "does not start with",
                 other_root: "not \"Language\"",
                 b"\xff\xfe<": "not UTF-8"}
        for data, expected in cases.items():
            with self.subTest(data=data):
                problems, _ = check_files([], [("f.xml", data)])
                self.assertTrue(any(expected in p for p in problems), problems)
        # An unreadable file gets one problem, not one per key or per difference.
        unreadable = language("<Text name='A'>a</Group>")
        problems, _ = check_files(["A"], [("a", unreadable), ("b", unreadable)])
        self.assertEqual(len(problems), 2, problems)
        problems, _ = check_files([], [("f.xml", language(""))])
        self.assertEqual(problems,
                         [f'f.xml: "{key}" is missing' for key in sorted(REQUIRED_KEYS)])

    def test_translation_must_keep_the_layout(self):
        reference = language(LANG_GROUP + "<Group name='T'>"
                             "<Text name='P'>{0s} of {1d}</Text>"
                             "<Text name='F'>All (*.*)\\0*.*\\0</Text>"
                             "<Text name='B'>\\n\\nso it fails</Text>"
                             "<Text name='S'>&amp;Next\tAlt+Down</Text>"
                             "<Text name='K'>kept</Text></Group>\n")
        good = language(LANG_GROUP + "<Group name='T'>"
                        "<Text name='P'>{1d} von {0s}</Text>"
                        "<Text name='F'>Alle (*.*)\\0*.*\\0</Text>"
                        "<Text name='B'>\\n\\nalso scheitert es</Text>"
                        "<Text name='S'>&amp;Nächster\tAlt+Down</Text>"
                        "<Text name='K'>behalten</Text></Group>\n")
        problems, _ = check_files([], [("en", reference), ("de", good)])
        self.assertEqual(problems, [])
        faults = {"P": ("{0d} von {1d}", "placeholders"),
                  "F": ("Alle (*.*)\\0*.*", "\\0 separators"),
                  "B": ("\\nalso scheitert es", "leading line breaks"),
                  "K": ("behalten\\n", "trailing line breaks"),
                  "S": ("&amp;Nächster\tAlt+Unten", "shortcut")}
        for key, (text, what) in faults.items():
            with self.subTest(key=key):
                element = f"<Text name='{key}'>{text}</Text>".encode()
                bad = re.sub(f"<Text name='{key}'>[^<]*</Text>".encode(),
                             lambda _: element, good)
                problems, _ = check_files([], [("en", reference), ("de", bad)])
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(f'"T.{key}": {what}', problems[0])
        no_mnemonic = good.replace("&amp;Nächster".encode(), "Nächster".encode())
        problems, _ = check_files([], [("en", reference), ("de", no_mnemonic)])
        self.assertEqual(len(problems), 1, problems)
        self.assertIn('"T.S": mnemonic', problems[0])
        missing = good.replace("<Text name='K'>behalten</Text>".encode(), b"")
        problems, _ = check_files([], [("en", reference), ("de", missing)])
        self.assertEqual(problems, ['de: "T.K" is missing (in en)'])


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
