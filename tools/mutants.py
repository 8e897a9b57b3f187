#!/usr/bin/env python3
"""Draws the faults of `tools/mutate.sh --random` and applies one.

  mutants.py draw TOP SEED COUNT   prints a line starting with # that says what was drawn from, then COUNT faults,
                                   one a line: file, line, column, operator, before, after (tab-separated; line
                                   from 1, column from 0)
  mutants.py apply TOP FILE LINE COLUMN BEFORE AFTER
                                   replaces BEFORE at that place with AFTER; fails if BEFORE is not there

A site is a line and an operator that applies to it. Every site of every product source file is a candidate and the
seed shuffles them all, so the first COUNT of a seed are the same whatever COUNT is, and a big file gets more faults
than a small one. Where an operator applies several ways on one line (two comparisons, two constants), a generator
seeded with the seed and the site picks one, so that choice does not depend on COUNT either.

The operators: compare (< to <= or >, == to !=, ...), integer (a constant or an index by a name one more or less),
float (the last written decimal one more or less), swap (the operands of -, / or %), negate (if (x) to if (!(x)), the
same for while), remove (a statement line to `;`, `return x;` to `return {};`), logic (&& to || and back), text (in
a string literal a format's width or precision, a separator, a unit's last letter; a character literal), bool.

The lines are read as clang-format leaves them: binary operators between spaces, unary ones against their operand,
template brackets without spaces, one statement a line. That is what tells `a < b` from `std::array<T, 4>` and
`a - b` from `-a` without a compiler.
"""

import random
import re
import subprocess
import sys
from decimal import Decimal
from pathlib import Path

# Folders of the top-level CMakeLists.txt that are not the product; every other one is, with its subfolders.
NOT_PRODUCT = {"tests", "bench", "fuzz", "packaging", "tools", "build", "cmake"}

LITERAL = "\x01"  # stands for every character of a string or character literal in the masked line

PUNCTUATORS = sorted(
    "<<= >>= <=> ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= "
    "+ - * / % < > = ! ~ & | ^ ( ) [ ] { } , ; ? : .".split(),
    key=len, reverse=True)
TOKEN = re.compile(r"\s*(?:(?P<lit>%s+)|(?P<num>\.?\d(?:[eEpP][+-]|[\w.])*)|(?P<id>[A-Za-z_]\w*)|(?P<punct>%s))"
                   % (LITERAL, "|".join(re.escape(p) for p in PUNCTUATORS)))
KEYWORDS = {"return", "case", "throw", "else", "do", "new", "delete", "co_return", "co_yield", "if", "while", "for",
            "switch", "const", "constexpr", "auto", "static", "using", "typename", "template", "operator"}
ASSIGNMENTS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}
COMPARISONS = {"<", "<=", ">", ">=", "==", "!=", "<=>"}
MULTIPLICATIVE = {"*", "/", "%"}
ADDITIVE = {"+", "-"}


def product_folders(top):
    cmake = (top / "CMakeLists.txt").read_text()
    folders = re.findall(r"^\s*add_subdirectory\((\w+)\)", cmake, re.M)
    return [folder for folder in dict.fromkeys(folders) if folder not in NOT_PRODUCT]


def product_files(top):
    folders = product_folders(top)
    listed = subprocess.run(["git", "-C", str(top), "ls-files", "--", *folders], check=True, capture_output=True,
                            text=True).stdout.split("\n")
    return sorted(path for path in listed if path.endswith((".cpp", ".h")))


def mask_lines(lines):
    """Each line with comments blanked and every literal character (quotes included) made LITERAL; None for a line
    with no code (blank, comment, preprocessor). Literal spans are kept per line as (start, end) with end exclusive."""
    masked, spans = [], []
    in_block = in_directive = False
    for line in lines:
        if in_directive or (not in_block and line.lstrip().startswith("#")):
            in_directive = line.rstrip().endswith("\\")
            masked.append(None)
            spans.append([])
            continue
        out, line_spans, i = [], [], 0
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                stop = len(line) if end < 0 else end + 2
                out.append(" " * (stop - i))
                in_block, i = end < 0, stop
            elif line.startswith("//", i):
                break
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'" and not (line[i] == "'" and i > 0 and line[i - 1].isalnum()):  # not 1'000
                quote, j = line[i], i + 1
                while j < len(line) and line[j] != quote:
                    j += 2 if line[j] == "\\" else 1
                j = min(j + 1, len(line))
                out.append(LITERAL * (j - i))
                line_spans.append((i, j))
                i = j
            else:
                out.append(line[i])
                i += 1
        code = "".join(out).rstrip()
        masked.append(code if code.strip() else None)
        spans.append(line_spans)
    return masked, spans


def tokenize(code):
    tokens, at = [], 0
    while at < len(code):
        match = TOKEN.match(code, at)
        if not match:
            return None  # something this reader does not know (a backslash, a stray character): no operator uses it
        kind = match.lastgroup
        tokens.append((kind, match.group(kind), match.start(kind), match.end(kind)))
        at = match.end()
        if not code[at:].strip():
            break
    return tokens


def spaced(code, start, end):
    """The token at start:end stands between spaces, as clang-format writes a binary operator."""
    return start > 0 and code[start - 1] == " " and end < len(code) and code[end] == " "


def widened(code, line, start, end, replacement):
    """A change to line[start:end] as a choice that also holds the word before and the word after, so that a report
    of it says which `<` of a line it was: `nDigits < 3` to `nDigits <= 3`, not `<` to `<=`."""
    first = len(code) - len(code.lstrip())
    own_start = code.rfind(" ", 0, start) + 1
    wide_start = max(code.rfind(" ", 0, max(own_start - 1, 0)) + 1, first) if own_start > first else own_start
    own_end = code.find(" ", end)
    wide_end = -1 if own_end < 0 else code.find(" ", own_end + 1)
    wide_end = len(code) if wide_end < 0 else wide_end
    return wide_start, line[wide_start:wide_end], line[wide_start:start] + replacement + line[end:wide_end]


# Operators. Each takes the masked line, the line and its literal spans and returns (column, before, after) choices.

def flip_comparison(code, line, spans):
    flips = {"<": ["<=", ">"], "<=": ["<", ">="], ">": [">=", "<"], ">=": [">", "<="], "==": ["!="], "!=": ["=="]}
    choices = []
    for match in re.finditer(r"<=>|<=|>=|==|!=|<<|>>|->|<|>", code):
        op = match.group()
        if op in flips and spaced(code, match.start(), match.end()):
            choices += [widened(code, line, match.start(), match.end(), flip) for flip in flips[op]]
    return choices


def nudge_integer(code, line, spans):
    choices = []
    for match in re.finditer(r"(?<![\w.%s'])(\d+)([uUlL]*)(?![\w.'])" % LITERAL, code):
        number = int(match.group(1))
        if match.group(1).startswith("0") and number != 0:
            continue  # octal
        for changed in (number + 1, number - 1):
            if changed >= 0:
                choices.append(widened(code, line, match.start(), match.end(), f"{changed}{match.group(2)}"))
    # An index by a name, one further or one back: a[i] to a[i + 1].
    for match in re.finditer(r"(?<=[\w)\]])\[([A-Za-z_]\w*)\](?!\])", code):
        if match.group(1) not in KEYWORDS | {"this"}:
            choices += [widened(code, line, match.start(), match.end(), f"[{match.group(1)} {sign} 1]")
                        for sign in "+-"]
    return choices


def nudge_float(code, line, spans):
    choices = []
    pattern = r"(?<![\w.])(\d+\.\d*|\.\d+|\d+(?=[eE]))([eE][+-]?\d+)?([fFlL]?)(?![\w.])"
    for match in re.finditer(pattern, code):
        mantissa, exponent, suffix = match.group(1), match.group(2) or "", match.group(3)
        if "." not in mantissa and not exponent:
            continue
        decimals = len(mantissa.partition(".")[2])
        step = Decimal(1).scaleb(-decimals)
        for nudged in (Decimal(mantissa) + step, Decimal(mantissa) - step):
            if nudged >= 0:
                text = f"{nudged:.{decimals}f}" + ("." if mantissa.endswith(".") else "")
                choices.append(widened(code, line, match.start(), match.end(), text + exponent + suffix))
    return choices


def flip_logic(code, line, spans):
    other = {"&&": "||", "||": "&&"}
    return [widened(code, line, match.start(), match.end(), other[match.group()])
            for match in re.finditer(r"&&|\|\|", code)
            if spaced(code, match.start(), match.end())]


def flip_bool(code, line, spans):
    other = {"true": "false", "false": "true"}
    return [widened(code, line, match.start(), match.end(), other[match.group()])
            for match in re.finditer(r"\b(?:true|false)\b", code)]


def negate_condition(code, line, spans):
    choices = []
    for match in re.finditer(r"\b(?:if|while) \(", code):
        open_at = match.end() - 1
        close_at = matching_close(code, open_at)
        if close_at is None:
            continue  # the condition goes on over the next line
        start = open_at + 1
        inner = code[start:close_at]
        if ";" in inner:  # if (init; condition)
            start += inner.rindex(";") + 2
        condition = code[start:close_at]
        if not condition.strip() or re.match(r"(const|auto)\b|[\w:<>]+[*&]?\s+[*&]?\w+\s*=[^=]", condition):
            continue  # a declaration, which cannot be negated
        choices.append((start, line[start:close_at], f"!({line[start:close_at]})"))
    return choices


def matching_close(code, open_at):
    depth = 0
    for i in range(open_at, len(code)):
        if code[i] in "([{":
            depth += 1
        elif code[i] in ")]}":
            depth -= 1
            if depth == 0:
                return i
    return None


def swap_operands(code, line, spans):
    """a - b to b - a, a / b to b / a, a % b to b % a, with each operand as far as the operator binds it."""
    tokens = tokenize(code)
    if not tokens:
        return []
    choices = []
    for at, (kind, text, start, end) in enumerate(tokens):
        if kind != "punct" or text not in ("-", "/", "%") or not spaced(code, start, end):
            continue
        joined = MULTIPLICATIVE if text == "-" else set()
        left = operand_start(tokens, at - 1, joined)
        right = operand_end(tokens, at + 1, joined)
        if left is None or right is None:
            continue
        # The neighbours must bind less tightly than the operator, or the operands are not what they seem.
        before = boundary(code, tokens, left - 1)
        after = boundary(code, tokens, right + 1)
        weaker_before = ASSIGNMENTS | COMPARISONS | {"(", "[", "{", ",", "?", ":", "&&", "||", "<<", "return", None}
        weaker_after = COMPARISONS | {")", "]", "}", ",", ";", "?", ":", "&&", "||", "<<", None} | ADDITIVE
        if text != "-":
            weaker_before |= ADDITIVE
            weaker_after |= MULTIPLICATIVE
        if before not in weaker_before or after not in weaker_after:
            continue
        a, b = tokens[left][2], tokens[right][3]
        left_text, right_text = line[a:tokens[at - 1][3]], line[tokens[at + 1][2]:b]
        choices.append((a, line[a:b], right_text + line[tokens[at - 1][3]:tokens[at + 1][2]] + left_text))
    return choices


def boundary(code, tokens, at):
    """The token next to an operand, or None at either end of the line; an operator counts only between spaces, as
    a binary one (the `>` of static_cast<long>(x) is not a comparison)."""
    if at < 0 or at >= len(tokens):
        return None
    kind, text, start, end = tokens[at]
    if kind == "punct" and text not in ("(", ")", "[", "]", "{", "}", ",", ";") and not spaced(code, start, end):
        return "?unspaced"
    return text


def primary_start(tokens, at):
    """The first token of the postfix expression (a.b(c)[d], double{x}, "text") that ends at tokens[at]."""
    while at >= 0:
        kind, text = tokens[at][0], tokens[at][1]
        if text in (")", "]", "}"):
            at = matching_open(tokens, at)
            if at is None:
                return None
            if at > 0 and (tokens[at - 1][0] == "id" and tokens[at - 1][1] not in KEYWORDS
                           or tokens[at - 1][1] in (")", "]")):
                at -= 1
                continue
            return at
        if kind in ("id", "num", "lit") and text not in KEYWORDS:
            if at > 0 and tokens[at - 1][1] in (".", "->", "::"):
                at -= 2
                continue
            return at
        return None
    return None


def matching_open(tokens, at):
    depth = 0
    for i in range(at, -1, -1):
        if tokens[i][1] in (")", "]", "}"):
            depth += 1
        elif tokens[i][1] in ("(", "[", "{"):
            depth -= 1
            if depth == 0:
                return i
    return None


def with_unary(tokens, at):
    """Takes in the prefix operators written against the operand (-x, !x, *p)."""
    while at > 0 and tokens[at - 1][1] in ("-", "+", "!", "~", "*", "&") and tokens[at - 1][3] == tokens[at][2] and (
            at == 1 or tokens[at - 2][3] < tokens[at - 1][2] or tokens[at - 2][1] in ("(", "[", ",")):
        at -= 1
    return at


def operand_start(tokens, at, joined):
    start = primary_start(tokens, at)
    while start is not None:
        start = with_unary(tokens, start)
        if start >= 2 and tokens[start - 1][1] in joined:
            start = primary_start(tokens, start - 2)
            continue
        return start
    return None


def primary_end(tokens, at):
    while at < len(tokens) and tokens[at][1] in ("-", "+", "!", "~", "*", "&") and at + 1 < len(tokens) and \
            tokens[at][3] == tokens[at + 1][2]:
        at += 1  # prefix operators
    if at >= len(tokens):
        return None
    kind, text = tokens[at][0], tokens[at][1]
    if text == "(":
        at = matching_close_token(tokens, at)
    elif kind in ("num", "lit") or (kind == "id" and text not in KEYWORDS):
        pass
    else:
        return None
    while at is not None and at + 1 < len(tokens):
        following = tokens[at + 1][1]
        if following in ("(", "[", "{") and tokens[at][3] == tokens[at + 1][2]:
            at = matching_close_token(tokens, at + 1)
        elif following in (".", "->", "::") and at + 2 < len(tokens) and tokens[at + 2][0] == "id":
            at += 2
        elif following in ("++", "--") and tokens[at][3] == tokens[at + 1][2]:
            at += 1
        else:
            break
    return at


def matching_close_token(tokens, at):
    depth = 0
    for i in range(at, len(tokens)):
        if tokens[i][1] in ("(", "[", "{"):
            depth += 1
        elif tokens[i][1] in (")", "]", "}"):
            depth -= 1
            if depth == 0:
                return i
    return None


def operand_end(tokens, at, joined):
    end = primary_end(tokens, at)
    while end is not None and end + 2 < len(tokens) and tokens[end + 1][1] in joined:
        end = primary_end(tokens, end + 2)
    return end


DECLARATION = re.compile(r"(const|constexpr|static|auto|using|typedef|struct|class|enum|friend|virtual|explicit|"
                         r"template|namespace|extern|inline|mutable|typename|static_assert|case|default)\b|"
                         r"[A-Za-z_][\w:]*(<.*>)?[*&]*\s+[*&]*[A-Za-z_]\w*\s*(=|\{|\(|;|\[|,|$)")
NOT_DECLARATION = re.compile(r"(throw|delete|Q_EMIT|goto)\b")
DEFAULTS = {"{}", "false", "0", "nullptr", "std::nullopt", '""', "0.0", "0.0F", "std::string()", "std::string{}"}


def remove_statement(code, line, spans, previous, in_function):
    """A statement line to `;`; `return x;` to `return {};`, as a function that must return something has to."""
    statement = code.strip()
    if not in_function or not statement.endswith(";") or previous is None:
        return []
    if statement[0] in "{}:?,.<>=*/%&|)]~" or (statement[0] in "+-" and not statement.startswith(("++", "--"))):
        return []
    if any(statement.count(a) != statement.count(b) for a, b in ("()", "[]", "{}")):
        return []
    # The statement starts on this line only if the line before ended one or opened a block or a branch.
    last = previous.strip()
    if not (last.endswith((";", "{", "}", ":")) or re.fullmatch(r"(\} )?(else|(else )?(if|for|while) \(.*\))", last)):
        return []
    start = len(code) - len(code.lstrip())
    body = line[start:len(code)]
    returned = re.fullmatch(r"return\s+(.+);", statement)
    if returned:
        if returned.group(1) in DEFAULTS:
            return []
        return [(start, body, "return {};")]
    if DECLARATION.match(statement) and not NOT_DECLARATION.match(statement):
        return []
    return [(start, body, ";")]


FORMAT = re.compile(r"%([-+ #0]*)(\d*)(?:\.(\d+))?([diouxXeEfgGcs])")
CONVERSIONS = {"f": "g", "g": "f", "e": "g", "E": "G", "G": "E", "x": "X", "X": "x"}
ESCAPES = {r"'\t'": "' '", r"'\n'": r"'\r'", r"'\r'": r"'\n'", r"'\0'": r"'\1'", r"'\\'": "'/'", r"'\''": "'\"'"}


def change_text(code, line, spans):
    """In a string literal: a format's width or precision one more or less, a conversion changed, one separator
    (a blank, a punctuation mark, an escape) dropped, or the last letter dropped (km/h to km/). A character literal
    becomes the next character."""
    choices = []
    for start, end in spans:
        literal = line[start:end]
        if literal.startswith("'"):
            if literal in ESCAPES:
                choices.append(widened(code, line, start, end, ESCAPES[literal]))
            elif len(literal) == 3 and literal[1] not in "\\'":
                following = chr(ord(literal[1]) + 1)
                following = following if following not in "\\'" else "?"
                choices.append(widened(code, line, start, end, f"'{following}'"))
            continue
        if len(literal) < 3 or not literal.endswith('"'):
            continue
        content = literal[1:-1]
        formats = []
        for match in FORMAT.finditer(content):
            if content[:match.start()].count("%") % 2:
                continue  # %%
            formats.append((match.start(), match.end()))
            flags, width, precision, conversion = match.groups()
            variants = []
            if precision is not None:
                variants += [f"%{flags}{width}.{p}{conversion}" for p in (int(precision) + 1, int(precision) - 1)
                             if p >= 0]
            if width:
                variants += [f"%{flags}{w}" + (f".{precision}" if precision is not None else "") + conversion
                             for w in (int(width) + 1, int(width) - 1) if w > 0]
            if conversion in CONVERSIONS and not variants:
                variants.append(match.group().replace(conversion, CONVERSIONS[conversion]))
            choices += [(start, literal, edited_literal(content, match.start(), match.end(), v)) for v in variants]
        at = 0
        while at < len(content):
            width = len(re.match(r"\\(x[0-9a-fA-F]+|[0-7]{1,3}|.)|.", content[at:]).group())
            inside_format = any(a <= at < b for a, b in formats)
            if not inside_format and (content[at] == "\\" or not content[at].isalnum()) and content[at] != "%":
                choices.append((start, literal, edited_literal(content, at, at + width, "")))
            at += width
        if content[-1].isalpha() and not content.endswith("\\" + content[-1]) and \
                not any(b == len(content) for a, b in formats):
            choices.append((start, literal, edited_literal(content, len(content) - 1, len(content), "")))
    return list(dict.fromkeys(choices))


def edited_literal(content, start, end, replacement):
    return '"' + content[:start] + replacement + content[end:] + '"'


OPERATORS = {
    "compare": flip_comparison, "integer": nudge_integer, "float": nudge_float, "swap": swap_operands,
    "negate": negate_condition, "remove": remove_statement, "logic": flip_logic, "text": change_text,
    "bool": flip_bool,
}


# What comes before a `{` that opens a function's or a statement's block, not a class, namespace or initializer.
CODE_BLOCK = re.compile(r"(\)|\]|\belse|\bdo|\btry|\bconst|\boverride|\bnoexcept|\bmutable|->[\w:<>&* ]+)\s*$")


def function_bodies(masked):
    """For each line, whether it starts inside a function body (or a block within one)."""
    inside, blocks, context = [], [], ""
    for code in masked:
        inside.append(bool(blocks) and blocks[-1])
        for ch in code or "":
            if ch == "{":
                blocks.append(bool(CODE_BLOCK.search(context[-200:])))
            elif ch == "}" and blocks:
                blocks.pop()
            context += ch
        context += " "
    return inside


def find_sites(top):
    """Every (file, line, operator) that can be applied, with its choices."""
    sites = []
    for path in product_files(top):
        lines = (top / path).read_bytes().decode().split("\n")
        masked, spans = mask_lines(lines)
        in_function = function_bodies(masked)
        previous = None
        for number, (line, code) in enumerate(zip(lines, masked), 1):
            if code is None:
                continue
            for name, operator in OPERATORS.items():
                if name == "remove":
                    choices = operator(code, line, spans[number - 1], previous, in_function[number - 1])
                else:
                    choices = operator(code, line, spans[number - 1])
                choices = [c for c in choices if "\t" not in c[1] + c[2] and c[1] != c[2]]
                if choices:
                    sites.append((path, number, name, choices))
            previous = code
    return sites


def draw(top, seed, count):
    sites = find_sites(top)
    print(f"# {min(count, len(sites))} of {len(sites)} sites in {len(product_files(top))} files of "
          f"{', '.join(product_folders(top))}; seed {seed}")
    random.Random(seed).shuffle(sites)
    for path, number, name, choices in sites[:count]:
        column, before, after = random.Random(f"{seed}:{path}:{number}:{name}").choice(choices)
        print("\t".join((path, str(number), str(column), name, before, after)))


def apply(top, path, number, column, before, after):
    file = top / path
    lines = file.read_bytes().decode().split("\n")  # as it is: no line end translated
    line = lines[number - 1]
    if line[column:column + len(before)] != before:
        sys.exit(f"{path}:{number}: '{before}' is not at column {column}")
    lines[number - 1] = line[:column] + after + line[column + len(before):]
    file.write_bytes("\n".join(lines).encode())
    print(lines[number - 1].strip())


if __name__ == "__main__":
    command, top = sys.argv[1], Path(sys.argv[2])
    if command == "draw":
        draw(top, int(sys.argv[3]), int(sys.argv[4]))
    elif command == "apply":
        apply(top, sys.argv[3], int(sys.argv[4]), int(sys.argv[5]), sys.argv[6], sys.argv[7])
    else:
        sys.exit(f"unknown command {command}")
