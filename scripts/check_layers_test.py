#!/usr/bin/env python3
"""Tests of check_layers.py on small source trees: which includes run up a
layer, and that each is named by file, line and header."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import check_layers  # noqa: E402


class CheckLayersTest(unittest.TestCase):
    def tree(self, files):
        """A src/ folder holding `files` (path: text); returns its path."""
        root = tempfile.TemporaryDirectory()
        self.addCleanup(root.cleanup)
        src = os.path.join(root.name, "src")
        for path, text in files.items():
            full = os.path.join(src, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as out:
                out.write(text)
        return src

    def faults(self, files):
        return check_layers.check(self.tree(files))[0]

    def test_includes_of_the_own_and_lower_layers_pass(self):
        self.assertEqual(self.faults({
            "base/text.h": "",
            "config/size.h": '#include "base/text.h"\n',
            "mesh/grid.h": '#include "base/text.h"\n',
            "geometry/body.cc": '#include "config/size.h"\n#include "mesh/grid.h"\n',
            "generate/driver.cc": '#include "geometry/body.h"\n',
            "app/forms/form.h": '#include "generate/driver.h"\n',
            "app/qt/window.cc": '#include "app/forms/form.h"\n#include "ui_main_window.h"\n',
            "app/win/window.cc": '#include "app/forms/form.h"\n',
            "fuzz/fuzz.cc": '#include "app/forms/form.h"\n#include "fuzz/support.h"\n',
        }), [])

    def test_each_upward_include_is_named_by_file_line_and_header(self):
        faults = self.faults({
            "base/text.cc": '#include "base/text.h"\n\n#include "config/size.h"\n',
            "config/size.cc": '#include "mesh/grid.h"\n',        # side by side
            "mesh/grid_test.cc": '#include "generate/lines_test.h"\n',  # a test too
            "generate/driver.cc": '  #  include "app/request.h"\n',
            "app/request.cc": '#include "app/qt/window.h"\n',
            "app/qt/window.cc": '#include "app/win/window.h"\n',
            "fuzz/fuzz.cc": '#include "app/qt/window.h"\n',
        })
        self.assertEqual(faults, [
            'src/app/request.cc:1: includes "app/qt/window.h" of app/qt; app may include only '
            'app, base, config, generate, geometry, mesh',
            'src/app/qt/window.cc:1: includes "app/win/window.h" of app/win; app/qt may include '
            'only app, app/qt, base, config, generate, geometry, mesh',
            'src/base/text.cc:3: includes "config/size.h" of config; base may include only base',
            'src/config/size.cc:1: includes "mesh/grid.h" of mesh; config may include only '
            'base, config',
            'src/fuzz/fuzz.cc:1: includes "app/qt/window.h" of app/qt; fuzz may include only '
            'app, base, config, fuzz, generate, geometry, mesh',
            'src/generate/driver.cc:1: includes "app/request.h" of app; generate may include only '
            'base, config, generate, geometry, mesh',
            'src/mesh/grid_test.cc:1: includes "generate/lines_test.h" of generate; mesh may '
            'include only base, mesh',
        ])

    def test_a_header_found_beside_the_file_counts_by_where_it_lies(self):
        faults = self.faults({
            "config/size.h": "",
            "base/text.cc": '#include "../config/size.h"\n#include "text.h"\n',
            "base/text.h": "",
        })
        self.assertEqual(faults, [
            'src/base/text.cc:1: includes "../config/size.h" of config; base may include only base',
        ])

    def test_a_file_outside_every_layer_fails(self):
        self.assertEqual(self.faults({"tools/x.cc": ""}), ["src/tools/x.cc: lies in no layer's folder"])

    def test_the_program_fails_with_status_1_and_passes_with_0(self):
        bad = self.tree({"base/text.cc": '#include "config/size.h"\n'})
        run = subprocess.run([sys.executable, os.path.join(HERE, "check_layers.py"), bad],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertIn('src/base/text.cc:1: includes "config/size.h"', run.stderr)
        good = self.tree({"config/size.cc": '#include "base/text.h"\n'})
        run = subprocess.run([sys.executable, os.path.join(HERE, "check_layers.py"), good],
                             capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)


if __name__ == "__main__":
    unittest.main()
