"""A small syntax check of a style sheet: comments closed, braces balanced,
every rule with a selector, every declaration `property: value`. Names the
line of each fault.

    css_check.py FILE.css
"""

import re
import sys

DECLARATION = re.compile(r"^-?[a-z][a-z-]*\s*:\s*[^:;{}]*\S[^;{}]*$")


def faults(text):
    found = []
    if text.count("/*") != text.count("*/"):
        found.append((1, "a comment is not closed"))
    # Comments blanked out, lines kept.
    text = re.sub(r"/\*.*?\*/", lambda m: re.sub(r"[^\n]", " ", m.group(0)), text, flags=re.S)
    depth, start, line = 0, 0, 1
    for i, c in enumerate(text):
        if c == "\n":
            line += 1
        elif c == "{":
            head = text[start:i].strip()
            if not head:
                found.append((line, "a rule without a selector"))
            depth += 1
            start = i + 1
        elif c == "}":
            if depth == 0:
                found.append((line, "a '}' that closes nothing"))
            else:
                depth -= 1
                body = text[start:i]
                for d in body.split(";"):
                    if d.strip() and not DECLARATION.match(d.strip()):
                        found.append((line, "not a declaration: '%s'" % d.strip()))
            start = i + 1
    if depth:
        found.append((line, "%d '{' not closed" % depth))
    if text[start:].strip():
        found.append((line, "text after the last rule: '%s'" % text[start:].strip()[:40]))
    return found


def main():
    path = sys.argv[1]
    with open(path, encoding="utf-8") as f:
        found = faults(f.read())
    for line, what in found:
        print("%s:%d: %s" % (path, line, what))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
