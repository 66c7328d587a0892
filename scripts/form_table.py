#!/usr/bin/env python3
"""Writes a form file (the XML the Qt window is built from) as a C++ table
for the Win32 window (src/app/forms/form.h): one layout for both windows.

Usage: form_table.py FORM.ui OUT.cc

Every widget of the form becomes a row, whatever its name, so a control added
to the form reaches both windows. A group box's widgets follow it as rows of
their own, their rectangles moved from the group's corner to the form's: Win32
has no nesting of dialog controls, a group box is a frame drawn behind them. A widget class or property the table cannot
carry ends the build with a message naming the file, the line and the value.
"""
import sys
import xml.etree.ElementTree as ET

CLASSES = ("QLabel", "QComboBox", "QLineEdit", "QPushButton", "QCheckBox", "Line", "QGroupBox")
# Properties that only tune Qt's own behaviour and have no Win32 meaning.
IGNORED = {"insertPolicy", "alignment", "frameShadow", "autoDefault", "minimumSize",
           "maximumSize"}


class FormError(Exception):
    pass


LINES = {}  # id(element) -> its line in the form


def fail(path, element, message):
    line = LINES.get(id(element))
    where = f"{path}:{line}" if line else path
    raise FormError(f"{where}: {message}")


def parse(path):
    """The form's root; each element's line number is kept in LINES."""
    parser = ET.XMLPullParser(events=("start",))
    root = None
    with open(path, "rb") as data:
        for number, line in enumerate(data, 1):
            parser.feed(line)
            for _, element in parser.read_events():
                LINES[id(element)] = number
                if root is None:
                    root = element
    parser.close()
    if root is None:
        raise FormError(f"{path}: not a form")
    return root


def c_string(text):
    if text is None:
        return "nullptr"
    out = []
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\':
            out.append("\\" + char)
        elif char == "\n":
            out.append("\\n")
        elif 32 <= byte < 127 and char != "?":  # no trigraphs
            out.append(char)
        else:
            out.append(f'\\{byte:03o}')
    return '"' + "".join(out) + '"'


def integer(path, element, tag):
    child = element.find(tag)
    if child is None or child.text is None:
        fail(path, element, f"the rectangle has no <{tag}>")
    try:
        return int(child.text)
    except ValueError:
        fail(path, child, f"<{tag}> is not a whole number: {child.text!r}")


def boolean(path, prop):
    value = prop.find("bool")
    if value is None or value.text not in ("true", "false"):
        fail(path, prop, f"property {prop.get('name')!r} is not true or false")
    return value.text == "true"


def string(prop):
    value = prop.find("string")
    return "" if value is None or value.text is None else value.text


def read_widget(path, widget):
    cls, name = widget.get("class"), widget.get("name")
    if cls not in CLASSES:
        fail(path, widget, f"widget {name!r} has the class {cls!r}, which the Windows "
             f"window cannot show (known: {', '.join(CLASSES)})")
    if not name:
        fail(path, widget, f"a {cls} has no name")
    row = {"name": name, "class": cls, "text": "", "tooltip": None, "rect": None,
           "checked": False, "enabled": True, "editable": False, "default": False,
           "wordWrap": False, "maxVisibleItems": 0, "items": [], "buddy": None,
           "placeholder": None}
    for prop in widget.findall("property"):
        key = prop.get("name")
        if key == "geometry":
            rect = prop.find("rect")
            if rect is None:
                fail(path, prop, f"the geometry of {name!r} has no <rect>")
            row["rect"] = [integer(path, rect, tag) for tag in ("x", "y", "width", "height")]
            if row["rect"][2] < 0 or row["rect"][3] < 0:
                fail(path, rect, f"the rectangle of {name!r} has a negative size")
        elif key == "text" or (key == "title" and cls == "QGroupBox"):
            row["text"] = string(prop)
        elif key == "placeholderText":
            row["placeholder"] = string(prop)
        elif key == "buddy":
            row["buddy"] = prop.findtext("cstring") or None
        elif key == "toolTip":
            row["tooltip"] = string(prop)
        elif key in ("checked", "enabled", "editable", "default", "wordWrap"):
            row[key] = boolean(path, prop)
        elif key == "maxVisibleItems":
            number = prop.find("number")
            if number is None or not (number.text or "").isdigit():
                fail(path, prop, f"maxVisibleItems of {name!r} is not a count")
            row[key] = int(number.text)
        elif key == "orientation":
            if (prop.findtext("enum") or "") != "Qt::Horizontal":
                fail(path, prop, f"{name!r}: only horizontal lines are known, not "
                     f"{prop.findtext('enum')!r}")
        elif key not in IGNORED:
            fail(path, prop, f"{name!r} has the property {key!r}, which the Windows "
                 "window does not carry")
    for item in widget.findall("item"):
        for prop in item.findall("property"):
            if prop.get("name") == "text":
                row["items"].append(string(prop))
    if row["rect"] is None:
        fail(path, widget, f"widget {name!r} has no geometry")
    if widget.find("widget") is not None and cls != "QGroupBox":
        fail(path, widget, f"widget {name!r} holds widgets; only a group box may")
    return row


def read_widgets(path, parent, origin):
    """The rows of parent's widgets, a group box's own after it, each at its place in the form."""
    rows = []
    for widget in parent.findall("widget"):
        row = read_widget(path, widget)
        row["rect"][0] += origin[0]
        row["rect"][1] += origin[1]
        rows.append(row)
        if row["class"] == "QGroupBox":
            rows += read_widgets(path, widget, row["rect"][:2])
    return rows


def read_form(path):
    root = parse(path)
    top = root.find("widget")
    if root.tag != "ui" or top is None:
        fail(path, root, "not a form: no <ui> with a top-level <widget>")
    form = {"name": top.get("name"), "title": "", "size": None, "rows": [], "tabs": []}
    for prop in top.findall("property"):
        if prop.get("name") == "geometry":
            rect = prop.find("rect")
            form["size"] = [integer(path, rect, "width"), integer(path, rect, "height")]
        elif prop.get("name") == "windowTitle":
            form["title"] = string(prop)
    if form["size"] is None:
        fail(path, top, "the form has no geometry")
    names = set()
    for row in read_widgets(path, top, (0, 0)):
        if row["name"] in names:
            fail(path, top, f"two widgets are named {row['name']!r}")
        names.add(row["name"])
        form["rows"].append(row)
    for row in form["rows"]:
        if row["buddy"] is not None and row["buddy"] not in names:
            fail(path, top, f"the label {row['name']!r} names the buddy {row['buddy']!r}, "
                 "which is no widget")
    for stop in root.iter("tabstop"):
        if stop.text not in names:
            fail(path, stop, f"the tab order names {stop.text!r}, which is no widget")
        if stop.text in form["tabs"]:
            fail(path, stop, f"the tab order names {stop.text!r} twice")
        form["tabs"].append(stop.text)
    defaults = [row["name"] for row in form["rows"] if row["default"]]
    if len(defaults) > 1:
        fail(path, top, f"more than one default button: {', '.join(defaults)}")
    return form


def write_table(form, source):
    lines = [f"// Written by scripts/form_table.py from {source}; edit the form, not this.",
             '#include "app/forms/form.h"', "", "namespace boltgen {", "namespace {", ""]
    for index, row in enumerate(form["rows"]):
        if row["items"]:
            items = ", ".join(c_string(item) for item in row["items"])
            lines.append(f"const char* const kItems{index}[] = {{{items}}};")
    lines.append("")
    lines.append("const FormControl kControls[] = {")
    for index, row in enumerate(form["rows"]):
        flags = ", ".join("true" if row[key] else "false"
                          for key in ("checked", "enabled", "editable", "default", "wordWrap"))
        items = f"kItems{index}, {len(row['items'])}" if row["items"] else "nullptr, 0"
        x, y, w, h = row["rect"]
        lines.append(f"    {{{c_string(row['name'])}, {c_string(row['class'])}, "
                     f"{c_string(row['text'])}, {c_string(row['tooltip'])}, "
                     f"{{{x}, {y}, {w}, {h}}}, {flags}, {row['maxVisibleItems']}, {items}, "
                     f"{c_string(row['buddy'])}, {c_string(row['placeholder'])}}},")
    lines.append("};")
    tabs = ", ".join(c_string(name) for name in form["tabs"]) or "nullptr"
    lines.append(f"const char* const kTabOrder[] = {{{tabs}}};")
    lines += ["", "}  // namespace", ""]
    lines.append(f"const Form kMainForm = {{{c_string(form['name'])}, {c_string(form['title'])}, "
                 f"{form['size'][0]}, {form['size'][1]}, kControls, {len(form['rows'])}, "
                 f"kTabOrder, {len(form['tabs'])}}};")
    lines += ["", "}  // namespace boltgen", ""]
    return "\n".join(lines)


def main(argv):
    if len(argv) != 3:
        print("usage: form_table.py FORM.ui OUT.cc", file=sys.stderr)
        return 2
    try:
        table = write_table(read_form(argv[1]), argv[1].rsplit("/", 1)[-1])
    except (FormError, ET.ParseError, OSError) as error:
        print(f"form_table.py: {error}", file=sys.stderr)
        return 1
    with open(argv[2], "w", encoding="utf-8") as out:
        out.write(table)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
