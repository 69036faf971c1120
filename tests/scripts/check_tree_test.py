#!/usr/bin/env python3
"""scripts/check-tree.py run on small trees made for each case: what it
must refuse it reports with file and line, and a clean tree passes."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__)))), "scripts", "check-tree.py")

TABLE = """# Tree

## Layers

| folder | may use | start reading at |
|---|---|---|
| `platform/base` | — | |
| `platform/files` | `platform/base` | |
| `platform/win` | `platform/base` | |
| `platform/testing` | `platform/files`, `platform/win` | |
| `geodesy` | `platform/files` | |
| `app` | `geodesy`, `res` | |
| `res` | — | |
| `sim` | — | |
| `fuzz` | `*` | |
| `tests/platform/files` | `res` | |

## Next
| `geodesy` | `platform/win` | not a row: another section |
"""

# Built from pieces, so that this file passes the check it tests.
WORD = "Sp" + "ec"
PART = "Pa" + "rt"


class CheckTreeTest(unittest.TestCase):
    def run_on(self, files):
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, "scripts"))
            with open(SCRIPT, encoding="utf-8") as source:
                script = source.read()
            with open(os.path.join(root, "scripts", "check-tree.py"), "w") as copy:
                copy.write(script)
            files = dict(files)
            files.setdefault("docs/architecture.md", TABLE)
            for path, text in files.items():
                os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
                with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                    out.write(text)
            run = subprocess.run([sys.executable, os.path.join(root, "scripts", "check-tree.py")],
                                 cwd=root, capture_output=True, text=True)
            return run.returncode, run.stdout

    def test_allowed_includes_pass(self):
        code, out = self.run_on({
            "platform/base/A.h": "#pragma once\n",
            "platform/files/B.h": '#include "platform/base/A.h"\n',
            "geodesy/C.cpp": '#include "platform/base/A.h"\n#include "platform/files/B.h"\n',
            "app/D.cpp": '#include "geodesy/C.cpp"\n#include "res/resource.h"\n',
            "res/resource.h": "#define IDD_X 1\n",
            "tests/geodesy/T.cpp": '#include "geodesy/C.cpp"\n#include "platform/testing/S.h"\n'
                                   '#include "sim/P.h"\n#include "tests/platform/files/F.h"\n',
            "tests/platform/files/F.h": '#include "res/resource.h"\n',
            "platform/testing/S.h": '#include "platform/win/W.h"\n',
            "platform/win/W.h": "\n",
            "sim/P.h": "#include <pty.h>\n",
            "fuzz/x/Z.cpp": '#include "app/D.cpp"\n#include "tests/geodesy/T.cpp"\n',
            "platform/base/R.cpp": 'const char* s = R"x(\n#include "app/D.cpp"\n)x";\n',
        })
        self.assertEqual(out, "")
        self.assertEqual(code, 0)

    def test_wrong_edges_are_reported_with_file_and_line(self):
        code, out = self.run_on({
            "platform/base/A.h": "\n",
            "platform/win/W.h": "\n",
            "res/resource.h": "\n",
            "geodesy/C.cpp": '// the core\n#include "platform/win/W.h"\n',
            "platform/files/B.cpp": '#include "res/resource.h"\n',
            "tests/geodesy/T.cpp": '#include "app/D.h"\n',
            "app/D.h": "\n",
            "fuzz/x/Z.cpp": '#include "platform/testing/S.h"\n',
            "platform/testing/S.h": "\n",
        })
        self.assertEqual(code, 1)
        self.assertIn("geodesy/C.cpp:2: geodesy may not include platform/win", out)
        self.assertIn("platform/files/B.cpp:1: platform/files may not include res", out)
        self.assertIn("tests/geodesy/T.cpp:1: tests/geodesy may not include app", out)
        self.assertIn("fuzz/x/Z.cpp:1: fuzz may not include platform/testing", out)

    def test_the_table_is_the_tree_as_built(self):
        tree = {
            "platform/base/A.h": "\n", "platform/files/B.h": "\n", "platform/win/W.h": "\n",
            "platform/testing/S.h": "\n", "app/D.h": "\n", "res/resource.h": "\n",
            "sim/P.h": "\n", "fuzz/Z.cpp": "\n", "tests/platform/files/F.h": "\n",
        }
        # geodesy has a row but no folder; receiver makes a library without a row
        code, out = self.run_on(dict(tree, **{
            "receiver/CMakeLists.txt": "quorvel_library(receiver SOURCES R.cpp)\n",
            "receiver/R.cpp": "\n",
            "CMakeLists.txt": "set(QUORVEL_FOLDERS\n    platform/base\n    launcher)\n",
        }))
        self.assertEqual(code, 1)
        self.assertIn("docs/architecture.md:11: the row `geodesy` names no folder of the tree",
                      out)
        self.assertIn("receiver: a library folder without a row", out)
        self.assertIn("launcher: a library folder without a row", out)
        self.assertNotIn("platform/base: a library", out)
        self.assertNotIn("the row `app`", out)

    def test_every_folder_of_app_has_a_row_of_its_own_table(self):
        table = TABLE.replace("## Next", "## Inside app\n\n| folder | holds |\n|---|---|\n"
                              "| `app` | what all share |\n| `app/shell/` | the frame |\n"
                              "| `app/tools` | the calculations |\n\n## Next")
        code, out = self.run_on({
            "docs/architecture.md": table,
            "geodesy/C.h": "\n",
            "app/shell/MainFrame.h": '#include "geodesy/C.h"\n',
            "app/points/StoreDlg.h": '#include "app/shell/MainFrame.h"\n',
        })
        self.assertEqual(code, 1)
        self.assertIn("the row `app/tools` names no folder of the tree", out)
        self.assertIn("app/points: a folder of app without a row under '## Inside app'", out)
        self.assertNotIn("app/shell:", out)
        self.assertNotIn("may not include", out)

    def test_includes_are_written_from_the_top_of_the_tree(self):
        code, out = self.run_on({
            "geodesy/C.cpp": '#include "C.h"\n#include <geodesy/C.h>\n',
            "geodesy/C.h": "\n",
            "launcher/M.cpp": '#include "geodesy/C.h"\n',
        })
        self.assertEqual(code, 1)
        self.assertIn("geodesy/C.cpp:1: C.h is no file of the tree", out)
        self.assertIn('geodesy/C.cpp:2: include the tree\'s own header with quotes', out)
        self.assertIn("launcher/M.cpp:1: launcher/M.cpp lies in no folder of the table", out)

    def test_words_that_name_the_source_document_are_refused(self):
        code, out = self.run_on({
            "geodesy/A.h": "// plain\nstruct " + WORD + " {};\n",
            "geodesy/B.h": "// as " + WORD.lower() + "ified in " + PART + " 1.101\n",
            "geodesy/C.h": "int m_" + WORD.lower() + "Count;\n// see " + PART.lower() + " 3\n",
            "geodesy/D.h": "SDL_Audio" + WORD + " a; struct time" + WORD.lower() + " t;\n"
                           "// special, specific, respect; part of 2 lines; apart 3\n",
            "docs/" + WORD.lower() + "-notes.md": "\n",
            "docs/" + PART + "_4.md": "\n",
        })
        self.assertEqual(code, 1)
        self.assertIn("geodesy/A.h:2: '" + WORD + "'", out)
        self.assertIn("geodesy/B.h:1: '" + PART + " 1'", out)
        self.assertIn("geodesy/C.h:1: '" + WORD.lower() + "'", out)
        self.assertIn("geodesy/C.h:2: '" + PART.lower() + " 3'", out)
        self.assertNotIn("geodesy/D.h", out)
        self.assertIn("docs/" + WORD.lower() + "-notes.md:0: the file name", out)
        self.assertIn("docs/" + PART + "_4.md:0: the file name", out)


if __name__ == "__main__":
    unittest.main()
