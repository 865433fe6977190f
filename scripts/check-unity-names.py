#!/usr/bin/env python3
"""Checks that the unity builds compile what the sources say.

CMake compiles a target's sources in batches, each batch one translation unit
(build/<tree>/.../CMakeFiles/<target>.dir/Unity/unity_N_cxx.cxx). A function
private to one file (in an unnamed namespace, or static) then sits beside
those of the other files of its batch. A second one of the same name is an
error only when the signatures match; otherwise it is an overload, and a call
in the later file may quietly pick the other file's function. So within one
target no two sources may define a file-private function of the same name.

    scripts/check-unity-names.py [BUILD_TREE...]   (default: build/native build/win64)

Prints each name with the files that define it and exits 1 if there is any,
0 otherwise (also when a tree has no unity batches).
"""

import collections
import importlib.util
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location('check_layers', os.path.join(HERE, 'check-layers.py'))
_layers = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(_layers)

UNITY_INCLUDE = re.compile(r'^#include\s+"([^"]+)"', re.MULTILINE)
RAW_STRING = re.compile(r'R"([^(\s]*)\((?:.|\n)*?\)\1"')
STRING = re.compile(r'"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'')
DIRECTIVE = re.compile(r'^[ \t]*#.*(?:\\\n.*)*$', re.MULTILINE)
TOKEN = re.compile(r'[A-Za-z_]\w*|::|\S')
MACRO_NAME = re.compile(r'^[A-Z0-9_]+$')


def tokens_of(text):
    text = _layers.strip_comments(text)
    text = RAW_STRING.sub('""', text)
    text = STRING.sub('""', text)
    text = DIRECTIVE.sub('', text)
    return TOKEN.findall(text)


def defined_name(statement):
    """The name of the function a statement opening a body at namespace scope
    defines, or None (a class, an initialiser, a member defined out of its
    class, an operator)."""
    depth = 0
    for i, tok in enumerate(statement):
        if tok == '(' and depth == 0:
            if i == 0 or not re.match(r'[A-Za-z_]', statement[i - 1]):
                return None
            if i >= 2 and statement[i - 2] in ('::', 'operator'):
                return None
            return statement[i - 1]
        if tok == '=' and depth == 0:
            return None
        if tok in ('class', 'struct', 'union', 'enum') and depth == 0:
            return None
        if tok == '<':
            depth += 1
        elif tok == '>' and depth:
            depth -= 1
    return None


def private_functions(text):
    """Names of the functions a source defines for itself alone."""
    names = set()
    scopes = ['namespace']  # 'namespace', 'unnamed' or 'other', innermost last
    statement = []
    for tok in tokens_of(text):
        if tok == '{':
            kind = 'other'
            if statement[:1] == ['namespace'] or statement[:2] == ['inline', 'namespace']:
                kind = 'unnamed' if statement[-1] == 'namespace' else 'namespace'
            elif statement[:2] == ['extern', '""']:
                kind = 'namespace'
            elif scopes[-1] in ('namespace', 'unnamed'):
                name = defined_name(statement)
                private = 'unnamed' in scopes or 'static' in statement
                if name and private and not MACRO_NAME.match(name):
                    names.add(name)
            scopes.append(kind)
            statement = []
        elif tok == '}':
            if len(scopes) > 1:
                scopes.pop()
            statement = []
        elif tok == ';':
            statement = []
        else:
            statement.append(tok)
    return names


def unity_targets(trees):
    """{target directory: [source, ...]} from the batches CMake generated."""
    targets = collections.defaultdict(list)
    for tree in trees:
        for batch in sorted(unity_batches(tree)):
            with open(batch, encoding='utf-8') as f:
                sources = UNITY_INCLUDE.findall(f.read())
            targets[os.path.dirname(os.path.dirname(batch))] += sources
    return targets


def unity_batches(tree):
    """The batch files of a build tree. Only CMake's own folders are walked:
    the tests keep Wine prefixes in the tree, whose drive Z: links to /."""
    for folder, dirs, names in os.walk(tree):
        if os.path.basename(folder) == 'Unity':
            yield from (os.path.join(folder, n) for n in names if re.fullmatch(r'unity_\d+_cxx\.cxx', n))
        dirs[:] = [d for d in dirs if d in ('CMakeFiles', 'Unity') or d.endswith('.dir')
                   or os.path.isdir(os.path.join(folder, d, 'CMakeFiles'))]


def clashes(targets):
    """[(target, name, [source, ...])] for names defined privately twice."""
    found = []
    for target, sources in sorted(targets.items()):
        where = collections.defaultdict(list)
        for source in sources:
            with open(source, encoding='utf-8', errors='replace') as f:
                for name in private_functions(f.read()):
                    where[name].append(source)
        found += [(target, name, files) for name, files in sorted(where.items()) if len(files) > 1]
    return found


def main(argv):
    trees = argv or ['build/native', 'build/win64']
    found = clashes(unity_targets(trees))
    for target, name, files in found:
        print(f'{os.path.relpath(target)}: {name} is defined privately in ' + ', '.join(files))
    if found:
        print('unity names: rename one of each, or share it in a header')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
