#!/usr/bin/env python3
"""Every function the Windows program finds with GetProcAddress is called
through a pointer declared WINAPI, CALLBACK or APIENTRY (__stdcall), the
convention the system's DLLs export with. Through a plain pointer the i686
build would call it as __cdecl: the callee pops its arguments and the caller
pops them again, so the stack is off by their size after every call. The
x86_64 build has one convention and hides the fault, and 32-bit Wine may be
missing where the tests run, so the sources are read instead.

GetProcAddress's result is followed to the type it becomes: a cast around
the call, or a FARPROC (or auto) variable that is then cast or copied with
memcpy into a variable or member, whose declaration (or the alias it names)
must carry the convention. A result that goes anywhere else is refused too,
for this check cannot tell its type. Prints FILE:LINE for each and exits 1.
  check-loaded-functions.py SOURCE_ROOT
"""
import pathlib
import re
import sys

FOLDERS = ("win32", "tests/win")
CONVENTION_WORDS = "WINAPI, CALLBACK or APIENTRY"
# \b keeps WINAPIV, which is __cdecl, out.
CONVENTION = r"\b(?:WINAPI|CALLBACK|APIENTRY)\b"
# A pointer-to-function type written out: RET (CONV *)(ARGS).
POINTER_TYPE = re.compile(r"[\w\s:<>,*&]*\(\s*" + CONVENTION + r"\s*\*\s*\)\s*\(")
GENERIC = ("FARPROC", "PROC", "auto")
# Words that come before a name where no type does ("return entry;").
KEYWORDS = r"(?:return|delete|throw|case|goto|else|sizeof|co_return)\b"


def blank_comments_and_strings(text):
    """The text with comments and literals blanked, offsets and lines kept."""
    def blank(match):
        return re.sub(r"[^\n]", " ", match.group(0))
    return re.sub(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', blank, text, flags=re.S)


def closing_paren(text, start):
    """The offset just past the parenthesis that closes the one at start."""
    depth = 0
    for i in range(start, len(text)):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            return i + 1
    return len(text)


def enclosing_brace(text, offset):
    """The offset of the innermost '{' still open at offset, or -1."""
    depth = 0
    for i in range(offset - 1, -1, -1):
        if text[i] == "}":
            depth += 1
        elif text[i] == "{":
            if depth == 0:
                return i
            depth -= 1
    return -1


class Sources:
    def __init__(self, root):
        self.root = root
        self.files = {}
        for folder in FOLDERS:
            for path in sorted((root / folder).rglob("*")):
                if path.suffix in (".cpp", ".h"):
                    self.files[path] = blank_comments_and_strings(path.read_text(encoding="utf-8"))

    def where(self, path, offset):
        return f"{path.relative_to(self.root)}:{self.files[path].count(chr(10), 0, offset) + 1}"

    def find(self, pattern):
        """Each match of pattern in every file as (path, offset, the text
        from the match's line start to the next ';')."""
        for path, text in self.files.items():
            for match in re.finditer(pattern, text):
                start = text.rfind("\n", 0, match.start()) + 1
                yield path, match.start(), text[start:text.find(";", match.start())]

    def type_problem(self, text, seen=()):
        """None when the type, written out or an alias's name, is a pointer
        with the convention, else why not."""
        if POINTER_TYPE.match(text):
            return None
        decltype = re.fullmatch(r"\s*decltype\s*\((.*)\)\s*", text, re.S)
        if decltype:
            return self.object_problem(decltype.group(1), None, 0)
        named = re.fullmatch(r"\s*(?:\w+::)*(\w+)\s*\*?\s*", text)
        if not named or named.group(1) in seen + GENERIC:
            return f"'{' '.join(text.split())}' is not a function pointer declared {CONVENTION_WORDS}"
        name = re.escape(named.group(1))
        aliases = list(self.find(r"\busing\s+" + name + r"\s*=|\btypedef\b[^;]*\b" + name + r"\b"))
        if not aliases:
            return f"no alias {named.group(1)} found in {' or '.join(FOLDERS)}"
        for path, offset, declaration in aliases:
            alias = re.search(r"\busing\s+" + name + r"\s*=(.*)", declaration, re.S)
            if alias and self.type_problem(alias.group(1), seen + (named.group(1),)) is None:
                continue
            if re.search(r"\(\s*" + CONVENTION + r"\s*\*\s*" + name + r"\s*\)\s*\(", declaration):
                continue
            return f"{named.group(1)}, declared at {self.where(path, offset)}, is not a function pointer declared " \
                   f"{CONVENTION_WORDS}"
        return None

    def object_problem(self, expression, path, offset, skip=None):
        """None when the variable or member EXPRESSION names (the member's
        declaration in a struct or class; the variable's nearest before
        offset in path, else any) is a pointer with the convention."""
        names = re.findall(r"\w+", expression)
        if not names:
            return f"'{expression.strip()}' names no variable"
        name = re.escape(names[-1])
        member = re.search(r"(?:\.|->)\s*" + name + r"\s*$", expression)
        found = []
        pointer_or_typed = r"\(\s*(?:\w+\s*)?\*\s*" + name + r"\s*\)\s*\(|" \
            r"\b(?!" + KEYWORDS + r")\w+\s*\*?\s*\b" + name + r"\s*(?:=(?!=)|;|\{)"
        for where, at, declaration in self.find(pointer_or_typed):
            text = self.files[where]
            brace = enclosing_brace(text, at)
            in_class = brace >= 0 and re.search(r"\b(?:struct|class|union)\s+\w+[^;{}()]*$", text[:brace])
            if (where, at) != skip and bool(in_class) == bool(member):
                found.append((where, at, declaration))
        if not member and path:
            before = [f for f in found if f[0] == path and f[1] < offset]
            found = before[-1:] or [f for f in found if f[0] != path]
        if not found:
            return f"no declaration of {names[-1]} found in {' or '.join(FOLDERS)}"
        for where, at, declaration in found:
            if re.search(r"\(\s*" + CONVENTION + r"\s*\*\s*" + name + r"\s*\)\s*\(", declaration):
                continue
            typed = re.search(r"(\w+)\s*\*?\s*\b" + name + r"\s*(?:=|\{|$)", declaration)
            if typed and self.type_problem(typed.group(1)) is None:
                continue
            return f"{names[-1]}, declared at {self.where(where, at)}, is not a function pointer declared " \
                   f"{CONVENTION_WORDS}"
        return None

    def conversion_problem(self, path, call, end):
        """Why the result of the call at [call, end) is not known to become a
        pointer with the convention, or None."""
        text = self.files[path]
        statement = max(text.rfind(c, 0, call) for c in ";{}") + 1
        before = text[statement:call]
        cast = re.search(r"reinterpret_cast\s*<(.*)>\s*\(\s*$", before, re.S) or \
            re.search(r"\(([^()]*\([^()]*\*\s*\)\s*\([^()]*\)|\s*\w+\s*)\)\s*$", before)
        if cast:
            return self.type_problem(cast.group(1))
        held = re.search(r"\b(?:" + "|".join(GENERIC) + r")\s+(?:const\s+)?(\w+)\s*=\s*$", before)
        if not held:
            return "GetProcAddress's result is neither cast nor kept in a FARPROC variable"
        variable = re.escape(held.group(1))
        rest = text[end:]
        copied = re.search(r"\bmemcpy\s*\(\s*&?\s*([\w.>()-]+?)\s*,\s*&?\s*" + variable + r"\s*,", rest)
        recast = re.search(r"reinterpret_cast\s*<(.*?)>\s*\(\s*" + variable + r"\s*\)", rest)
        first = min((m for m in (copied, recast) if m), key=lambda m: m.start(), default=None)
        if first is None:
            return f"{held.group(1)} holds GetProcAddress's result but is never cast or copied into a function pointer"
        if first is recast:
            return self.type_problem(recast.group(1))
        return self.object_problem(copied.group(1), path, end + copied.start(),
                                   skip=(path, statement + held.start()))

    def problems(self):
        for path, text in self.files.items():
            for match in re.finditer(r"\bGetProcAddress\s*\(", text):
                problem = self.conversion_problem(path, match.start(), closing_paren(text, match.end() - 1))
                if problem:
                    yield f"{self.where(path, match.start())}: {problem}"


def main():
    if len(sys.argv) != 2 or not (pathlib.Path(sys.argv[1]) / "win32").is_dir():
        print("usage: check-loaded-functions.py SOURCE_ROOT (the folder that holds win32/)", file=sys.stderr)
        return 2
    problems = list(Sources(pathlib.Path(sys.argv[1]).resolve()).problems())
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print("every GetProcAddress result becomes a function pointer declared " + CONVENTION_WORDS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
