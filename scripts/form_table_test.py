#!/usr/bin/env python3
"""Tests of form_table.py: what reaches the Windows window's table, and the
forms it refuses (with the file and line named) instead of guessing."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import form_table  # noqa: E402

FORM = """<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <widget class="QDialog" name="Form1">
  <property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>200</height></rect></property>
  <property name="windowTitle"><string>Title</string></property>
  {widgets}
 </widget>
 <tabstops>{tabs}</tabstops>
</ui>
"""
CHECK = """<widget class="QCheckBox" name="{name}">
   <property name="geometry"><rect><x>{x}</x><y>2</y><width>30</width><height>4</height></rect></property>
   <property name="text"><string>{text}</string></property>
   {extra}
  </widget>"""


def form(widgets, tabs=""):
    return FORM.format(widgets="\n  ".join(widgets), tabs=tabs)


class FormTableTest(unittest.TestCase):
    def write(self, text):
        handle, path = tempfile.mkstemp(suffix=".ui")
        with os.fdopen(handle, "w", encoding="utf-8") as out:
            out.write(text)
        self.addCleanup(os.remove, path)
        return path

    def table(self, text):
        return form_table.write_table(form_table.read_form(self.write(text)), "t.ui")

    def refusal(self, text):
        with self.assertRaises(form_table.FormError) as raised:
            form_table.read_form(self.write(text))
        return str(raised.exception)

    def test_every_widget_reaches_the_table_whatever_its_name(self):
        out = self.table(form([CHECK.format(name="Chk_New", x=7, text="New", extra=""),
                               CHECK.format(name="Chk_Other", x=9, text="B",
                                            extra='<property name="checked"><bool>true</bool></property>')],
                              "<tabstop>Chk_Other</tabstop><tabstop>Chk_New</tabstop>"))
        self.assertIn('{"Chk_New", "QCheckBox", "New", nullptr, {7, 2, 30, 4}, false, true,', out)
        self.assertIn('{"Chk_Other", "QCheckBox", "B", nullptr, {9, 2, 30, 4}, true, true,', out)
        self.assertIn('kTabOrder[] = {"Chk_Other", "Chk_New"}', out)
        self.assertIn('"Form1", "Title", 300, 200, kControls, 2, kTabOrder, 2}', out)

    def test_texts_survive_as_cpp_strings(self):
        text = 'Say &quot;hi&quot; \\ &apos;x&apos; ??= caf\u00e9\nline'
        out = self.table(form([CHECK.format(name="C", x=1, text=text, extra="")]))
        literal = out[out.index('{"C", "QCheckBox", ') + len('{"C", "QCheckBox", '):]
        literal = literal[:literal.index(', nullptr, {1')]
        # The C++ literal read back as C++ would read it.
        decoded = bytes(literal[1:-1], "ascii").decode("unicode_escape").encode("latin-1").decode("utf-8")
        self.assertEqual(decoded, "Say \"hi\" \\ 'x' ??= caf\u00e9\nline")
        self.assertNotIn("??=", literal)

    def test_compiles_and_reads_back_in_cpp(self):
        compiler = os.environ.get("CXX", "c++")
        source = self.table(form([CHECK.format(name="A", x=3, text='q"\\\n', extra="")],
                                 "<tabstop>A</tabstop>"))
        with tempfile.TemporaryDirectory() as folder:
            os.makedirs(os.path.join(folder, "app", "forms"))
            with open(os.path.join(HERE, "..", "src", "app", "forms", "form.h")) as header, \
                    open(os.path.join(folder, "app", "forms", "form.h"), "w") as copy:
                copy.write(header.read())
            main = source + """
#include <cstdio>
int main() {
  const boltgen::FormControl& a = boltgen::kMainForm.controls[0];
  std::printf("%s|%s|%d|%d|%s", a.name, a.text, a.rect.x, boltgen::kMainForm.tab_count, boltgen::kMainForm.tab_order[0]);
}
"""
            with open(os.path.join(folder, "t.cc"), "w") as out:
                out.write(main)
            program = os.path.join(folder, "t")
            subprocess.run([compiler, "-std=c++20", "-I", folder, "-o", program, os.path.join(folder, "t.cc")],
                           check=True)
            self.assertEqual(subprocess.run([program], capture_output=True, check=True).stdout, b'A|q"\\\n|3|1|A')

    def test_a_group_box_widgets_follow_it_at_their_place_in_the_form(self):
        group = ('<widget class="QGroupBox" name="Grp">\n'
                 '<property name="geometry"><rect><x>10</x><y>20</y><width>90</width><height>40</height>'
                 '</rect></property><property name="title"><string>&amp;Also</string></property>\n'
                 + CHECK.format(name="Inner", x=5, text="&amp;In", extra="") + '</widget>')
        out = self.table(form([group, CHECK.format(name="After", x=1, text="", extra="")],
                              "<tabstop>Inner</tabstop>"))
        self.assertIn('{"Grp", "QGroupBox", "&Also", nullptr, {10, 20, 90, 40},', out)
        # Moved by the group's corner (5, 2) + (10, 20); the rows keep the form's order.
        self.assertIn('{"Inner", "QCheckBox", "&In", nullptr, {15, 22, 30, 4},', out)
        self.assertLess(out.index('"Grp"'), out.index('"Inner"'))
        self.assertLess(out.index('"Inner"'), out.index('"After"'))

    def test_a_label_carries_its_buddy_and_an_edit_its_placeholder(self):
        label = ('<widget class="QLabel" name="L"><property name="geometry"><rect><x>1</x><y>1</y>'
                 '<width>9</width><height>9</height></rect></property>'
                 '<property name="text"><string>&amp;Len</string></property>'
                 '<property name="buddy"><cstring>E</cstring></property></widget>')
        edit = ('<widget class="QLineEdit" name="E"><property name="geometry"><rect><x>1</x><y>1</y>'
                '<width>9</width><height>9</height></rect></property>'
                '<property name="placeholderText"><string>fit</string></property></widget>')
        out = self.table(form([label, edit]))
        self.assertRegex(out, r'\{"L", "QLabel", "&Len", .*, "E", nullptr\},')
        self.assertRegex(out, r'\{"E", "QLineEdit", "", .*, nullptr, "fit"\},')
        self.assertIn("names the buddy 'Gone', which is no widget",
                      self.refusal(form([label.replace("<cstring>E</cstring>", "<cstring>Gone</cstring>")])))

    def test_only_a_group_box_holds_widgets(self):
        nested = CHECK.format(name="Outer", x=1, text="", extra=CHECK.format(name="In", x=1, text="", extra=""))
        self.assertIn("widget 'Outer' holds widgets; only a group box may", self.refusal(form([nested])))

    def test_refuses_what_the_window_cannot_show_naming_file_and_line(self):
        message = self.refusal(form(['<widget class="QSpinBox" name="Spin">\n'
                                     '<property name="geometry"><rect><x>1</x><y>1</y><width>1</width>'
                                     '<height>1</height></rect></property></widget>']))
        self.assertRegex(message, r"\.ui:6: widget 'Spin' has the class 'QSpinBox'")

    def test_refuses_a_widget_without_geometry_or_with_a_bad_number(self):
        self.assertIn("widget 'C' has no geometry",
                      self.refusal(form(['<widget class="QCheckBox" name="C"></widget>'])))
        self.assertIn("<width> is not a whole number: '3x'",
                      self.refusal(form([CHECK.format(name="C", x=1, text="", extra="").replace(
                          "<width>30</width>", "<width>3x</width>")])))

    def test_refuses_a_tab_order_naming_no_widget_or_one_twice(self):
        self.assertIn("names 'Gone', which is no widget",
                      self.refusal(form([CHECK.format(name="C", x=1, text="", extra="")],
                                        "<tabstop>Gone</tabstop>")))
        self.assertIn("names 'C' twice",
                      self.refusal(form([CHECK.format(name="C", x=1, text="", extra="")],
                                        "<tabstop>C</tabstop><tabstop>C</tabstop>")))

    def test_refuses_an_unknown_property_and_two_widgets_of_one_name(self):
        self.assertIn("has the property 'flat'", self.refusal(form([CHECK.format(
            name="C", x=1, text="", extra='<property name="flat"><bool>true</bool></property>')])))
        self.assertIn("two widgets are named 'C'", self.refusal(form(
            [CHECK.format(name="C", x=1, text="", extra=""), CHECK.format(name="C", x=2, text="", extra="")])))

    def test_command_line_fails_closed(self):
        with tempfile.TemporaryDirectory() as folder:
            bad = self.write(form(['<widget class="QCheckBox" name="C"></widget>']))
            out = os.path.join(folder, "t.cc")
            result = subprocess.run([sys.executable, os.path.join(HERE, "form_table.py"), bad, out],
                                    capture_output=True, text=True)
            self.assertEqual(result.returncode, 1)
            self.assertIn("no geometry", result.stderr)
            self.assertFalse(os.path.exists(out))


if __name__ == "__main__":
    unittest.main()
