#!/usr/bin/env python3
"""Makes the manual page boltgen(1) and the bash completion from the manual.

docs/manual.md is also what the help document boltgen.pdf is typeset from,
so the three cannot drift apart.

Usage: manual_pages.py man MANUAL VERSION OUT
       manual_pages.py completion MANUAL OUT
"""
import re
import sys

SUMMARY = "write CAD scripts that draw threaded 3D hex-head bolts and nuts"
SWITCH_SECTION = "The command line"


class ManualError(Exception):
    pass


def line_kind(line, previous):
    if line.startswith("#"):
        return "heading"
    if line.startswith("|"):
        return "table"
    if re.match(r"- |\d+\. ", line) or (previous == "list" and line.startswith("  ")):
        return "list"
    return "code" if line.startswith("    ") else "text"


def blocks(lines):
    """The Markdown as (kind, lines) blocks: heading, table, list, code or text."""
    out = []
    previous = None
    for line in lines:
        if not line.strip():
            previous = None
            continue
        kind = line_kind(line, previous)
        if kind == previous and kind != "heading":
            out[-1][1].append(line)
        else:
            out.append((kind, [line]))
        previous = kind
    return out


def escape(text):
    """Roff-escapes one line of text."""
    text = text.replace("\\", "\\e")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def inline(text):
    """Markdown inline marks to roff fonts; images are left out."""
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text).strip()
    text = escape(text)
    text = re.sub(r"`([^`]*)`", lambda m: "\\fB" + m.group(1).replace("-", "\\-") + "\\fR", text)
    return re.sub(r"\*\*([^*]+)\*\*", r"\\fB\1\\fR", text)


def cells(row):
    return [c.strip() for c in row.strip().strip("|").split("|")]


def table_roff(rows):
    header, body = cells(rows[0]), rows[2:]
    out = []
    for row in body:
        values = cells(row)
        if len(values) != len(header):
            raise ManualError(f"table row {row!r} has {len(values)} cells, not {len(header)}")
        out += [".TP", inline(values[0]), inline(values[1])]
        for name, value in zip(header[2:], values[2:]):
            if value:
                out += [".br", f"{inline(name)}: {inline(value)}"]
    return out


def man_page(markdown, version):
    out = [f'.TH BOLTGEN 1 "" "boltgen {version}" "User Commands"',
           ".SH NAME", f"boltgen \\- {SUMMARY}",
           ".SH SYNOPSIS", ".B boltgen", "[\\fI/X:value\\fR ...]", ".br",
           ".B boltgen", "\\-\\-help"]
    for kind, body in blocks(markdown.splitlines()):
        if kind == "heading":
            level, title = re.match(r"(#+)\s*(.*)", body[0]).groups()
            if len(level) == 1:
                continue  # the manual's title: the page has NAME
            out.append(".SH " + escape(title).upper() if len(level) == 2 else ".SS " + escape(title))
        elif kind == "table":
            out += table_roff(body)
        elif kind == "code":
            out += [".PP", ".nf", ".RS 4"] + [escape(l[4:]) for l in body] + [".RE", ".fi"]
        elif kind == "list":
            for item in re.split(r"\n(?=- |\d+\. )", "\n".join(body)):
                mark, text = re.match(r"(- |\d+\. )(.*)", item, re.S).groups()
                tag = "\\(bu" if mark == "- " else mark.strip()
                out += [f'.IP "{tag}" 4', inline(" ".join(text.split()))]
        else:
            text = inline(" ".join(" ".join(body).split()))
            if text:
                out += [".PP", text]
    return "\n".join(out) + "\n"


def switches(markdown):
    """The switches of the command-line table: (key, kind, values)."""
    section = re.search(r"^## " + SWITCH_SECTION + r"\n(.*?)(?=^## )", markdown, re.S | re.M)
    if section is None:
        raise ManualError(f'no section "{SWITCH_SECTION}"')
    found = []
    for row in section.group(1).splitlines():
        match = re.match(r"\| `(/[A-Z]:)(\w+)` \| ([^|]*)\|", row)
        if not match:
            continue
        key, placeholder, meaning = match.groups()
        values = re.findall(r"(\d+) = \d+", meaning)
        kind = {"f": "flag", "n": "index"}.get(placeholder, "text")
        found.append((key, kind, values))
    if not found:
        raise ManualError(f'the section "{SWITCH_SECTION}" lists no switch')
    return found


def completion(markdown):
    cases = []
    for key, kind, values in switches(markdown):
        if kind == "flag":
            cases.append(f"    {key}) values=(0 1) ;;")
        elif key == "/D:":
            cases.append(f"    {key}) values=($(_boltgen_sizes)) ;;")
        elif values:
            cases.append(f"    {key}) values=({' '.join(values)}) ;;")
    keys = " ".join(key for key, _, _ in switches(markdown))
    return COMPLETION.replace("@KEYS@", keys).replace("@CASES@", "\n".join(cases))


COMPLETION = r"""# bash completion for boltgen: its /X:value switches and their values.

# The indexes of the size table the program would read: the working folder's
# boltgen.ini (any letter case), else the installed one.
_boltgen_sizes() {
  local table bin
  for table in ./[bB][oO][lL][tT][gG][eE][nN].[iI][nN][iI]; do
    [[ -f $table ]] && break
  done
  if [[ ! -f $table ]]; then
    bin=$(type -P boltgen) || return
    table=${bin%/*}/boltgen.ini
    [[ -f $table ]] || table=${bin%/*}/../share/boltgen/boltgen.ini
  fi
  [[ -f $table ]] || return
  local count
  count=$(grep -c '^ *\[' "$table") || return
  ((count > 0)) && seq 0 $((count - 1))
}

_boltgen() {
  # The word being completed as the user sees it: bash splits words at ':'.
  local line=${COMP_LINE:0:COMP_POINT}
  local word=${line##*[[:space:]]}
  local -a values=()
  COMPREPLY=()
  if [[ $word != /?:* ]]; then
    local key
    for key in @KEYS@ --help; do
      [[ $key == "$word"* ]] && COMPREPLY+=("$key")
    done
    [[ ${COMPREPLY[*]} == *: ]] && compopt -o nospace 2>/dev/null
    return 0
  fi
  case ${word:0:3} in
@CASES@
  esac
  local value
  for value in "${values[@]}"; do
    [[ ${word:0:3}$value == "$word"* ]] && COMPREPLY+=("${word:0:3}$value")
  done
  # Offer what follows the last ':' of the word, as bash completes that part.
  local colon=${word%:*}:
  COMPREPLY=("${COMPREPLY[@]#"$colon"}")
  return 0
}
complete -F _boltgen boltgen
"""


def main(argv):
    try:
        if len(argv) == 5 and argv[1] == "man":
            text = man_page(open(argv[2], encoding="utf-8").read(), argv[3])
        elif len(argv) == 4 and argv[1] == "completion":
            text = completion(open(argv[2], encoding="utf-8").read())
        else:
            print(__doc__.strip(), file=sys.stderr)
            return 2
    except (ManualError, OSError) as error:
        print(f"{argv[2]}: {error}", file=sys.stderr)
        return 1
    with open(argv[-1], "w", encoding="utf-8") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
