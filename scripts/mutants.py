#!/usr/bin/env python3
"""The mutants of scripts/mutate.sh: lists them, or applies one to a copy.

  mutants.py list FILE...          one line per mutant: FILE:LINE:OPERATOR:BEFORE=>AFTER (tab-separated)
  mutants.py apply ROOT MUTANT     writes the mutant's line into ROOT/FILE

Every mutant changes one place on one line, so it can be shown, applied and
undone exactly. The operators, each a row of OPERATORS below:

  cmp      a comparison flipped or tied: < <=, > >=, == !=  (and back)
  arith    + -, * /, += -=  (and back)
  not      a dropped logical !
  const    an integer constant plus or minus 1
  delete   a statement that stands on its own line deleted
  return   a returned truth value turned over: true false, and !(...) around a
           returned comparison
  minmax   std::min and std::max swapped

Binary operators are matched only with a blank on each side, as the code's
formatting writes them, so template brackets, shifts and pointers stay alone.
Comments, string and character literals, preprocessor lines and
static_assert are never touched.
"""
import re
import sys


def code_only(line):
    """The line with literals and comments blanked out, same length."""
    out = []
    i = 0
    while i < len(line):
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        if c in "\"'":
            j = i + 1
            while j < len(line) and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            j = min(j + 1, len(line))
            out.append(" " * (j - i))
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out)


def swaps(table):
    """Regex alternatives for operators with a blank each side, and their swap."""
    pattern = re.compile(r"(?<= )(" + "|".join(re.escape(k) for k in sorted(table, key=len, reverse=True)) + r")(?= )")
    return pattern, table


CMP = swaps({"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="})
ARITH = swaps({"+": "-", "-": "+", "*": "/", "/": "*", "+=": "-=", "-=": "+="})
NOT = re.compile(r"!(?!=)")
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
MINMAX = re.compile(r"\bstd::(min|max)\b")
BOOL_RETURN = re.compile(r"\breturn (true|false);")
CMP_RETURN = re.compile(r"\breturn (.*(?: [<>]=? | [=!]= | && | \|\| ).*);\s*$")
# A call or an assignment that is a whole statement: names, members and
# indexes, then "(", an assignment or ++/--. Declarations never match.
STATEMENT = re.compile(
    r"^(\s*)((?:\+\+|--)?[A-Za-z_]\w*(?:(?:\.|->|::)\w+|\[[^\]]*\])*\s*(?:\(|=(?!=)|[-+*/|&]=|\+\+|--).*;)\s*$")


def mutants_of_line(text):
    """(operator, column, before, after) for every mutant of one code line."""
    code = code_only(text)
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or "static_assert" in code:
        return
    for name, (pattern, table) in (("cmp", CMP), ("arith", ARITH)):
        for m in pattern.finditer(code):
            yield name, m.start(), m.group(1), table[m.group(1)]
    for m in NOT.finditer(code):
        yield "not", m.start(), "!", ""
    for m in INTEGER.finditer(code):
        value = int(m.group(1))
        # Array sizes and shifts of 0 would only fail to build.
        for changed in (value + 1, value - 1):
            if changed >= 0:
                yield "const", m.start(), m.group(1), str(changed)
    for m in MINMAX.finditer(code):
        yield "minmax", m.start(), m.group(0), "std::max" if m.group(1) == "min" else "std::min"
    for m in BOOL_RETURN.finditer(code):
        start = m.start(1)
        yield "return", start, m.group(1), "false" if m.group(1) == "true" else "true"
    m = CMP_RETURN.search(code)
    if m:
        yield "return", m.start(1), text[m.start(1):m.end(1)], "!(" + text[m.start(1):m.end(1)] + ")"


def statement_deletion(lines, index):
    """The line with its statement deleted, when it is one that stands alone."""
    text = lines[index]
    m = STATEMENT.match(code_only(text))
    if not m:
        return None
    # The line before must end a statement or open a block: a statement that
    # is the body of an if without braces would take the next one's place.
    for k in range(index - 1, -1, -1):
        before = code_only(lines[k]).strip()
        if before:
            break
    else:
        before = "{"
    if not before.endswith((";", "{", "}")):
        return None
    return text[:m.start(2)] + ";" + text[m.end(2):]


def list_mutants(path):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    in_block_comment = False
    for index, text in enumerate(lines):
        if in_block_comment or text.lstrip().startswith("/*"):
            in_block_comment = "*/" not in text
            continue
        for op, column, before, after in mutants_of_line(text):
            mutated = text[:column] + after + text[column + len(before):]
            yield f"{path}:{index + 1}:{op}\t{text.strip()}\t{mutated.strip()}", index, mutated
        mutated = statement_deletion(lines, index)
        if mutated:
            yield f"{path}:{index + 1}:delete\t{text.strip()}\t{mutated.strip()}", index, mutated


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "list":
        for path in sys.argv[2:]:
            for ident, _, _ in list_mutants(path):
                print(ident)
        return 0
    if len(sys.argv) == 4 and sys.argv[1] == "apply":
        root, wanted = sys.argv[2], sys.argv[3]
        path = wanted.split(":", 1)[0]
        for ident, index, mutated in list_mutants(path):
            if ident == wanted:
                with open(path, encoding="utf-8") as f:
                    lines = f.read().split("\n")
                lines[index] = mutated
                with open(f"{root}/{path}", "w", encoding="utf-8") as f:
                    f.write("\n".join(lines))
                return 0
        print(f"no such mutant: {wanted}", file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
