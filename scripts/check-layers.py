#!/usr/bin/env python3
"""Checks the two layering rules of src/.

1. Only three kinds of file may reach <windows.h>, directly, through a project
   header or through another Windows SDK header: files named win_*, a window
   class named for its window (the file or its .h/.cpp partner defines the
   class deriving from BaseWindow< whose name the file carries, MainWindow in
   main_window.h), and src/main.cpp. Everything else is portable logic that
   the native tests, the fuzz targets and the benchmarks build with the host
   compiler.
2. Includes run one way: nothing below app/ includes a header from app/.

Project includes are written relative to src/. One that names no file in the
tree (a header generated into the build tree) is taken as portable.

    scripts/check-layers.py [--root REPOSITORY]

Prints each violation with the include chain that reaches Windows and exits 1
if there is any, 0 otherwise.
"""

import argparse
import collections
import os
import re
import sys

SOURCE_EXTENSIONS = ('.cpp', '.cc', '.cxx', '.h', '.hpp', '.inl')

# <windows.h> and the SDK headers that bring it in or only make sense with it.
WINDOWS_HEADERS = {
    'windows.h', 'windowsx.h', 'windef.h', 'winbase.h', 'winuser.h', 'wingdi.h',
    'winnt.h', 'winreg.h', 'winerror.h', 'winnls.h', 'winver.h', 'winternl.h',
    'winsock.h', 'winsock2.h', 'ws2tcpip.h', 'ws2def.h', 'mswsock.h', 'iphlpapi.h',
    'shellapi.h', 'shlobj.h', 'shlwapi.h', 'shobjidl.h', 'commctrl.h', 'commdlg.h',
    'wininet.h', 'winhttp.h', 'tlhelp32.h', 'psapi.h', 'oleacc.h', 'ole2.h',
    'oleauto.h', 'objbase.h', 'unknwn.h', 'combaseapi.h', 'uxtheme.h', 'dwmapi.h',
    'mmsystem.h', 'richedit.h', 'wincrypt.h', 'bcrypt.h', 'dbghelp.h', 'processthreadsapi.h',
    'synchapi.h', 'libloaderapi.h', 'fileapi.h', 'handleapi.h', 'sysinfoapi.h',
    'errhandlingapi.h', 'memoryapi.h', 'winapifamily.h', 'sdkddkver.h', 'delayimp.h',
}

# Layers below app/: they may not include from it.
BELOW_APP = ('booster', 'settings', 'links', 'tray', 'monitor', 'controls', 'drawing', 'platform')

INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*([<"])([^>"\n]+)[>"]', re.MULTILINE)
WINDOW_CLASS = re.compile(r'\b(?:class|struct)\s+(\w+)\s*(?:final\s*)?:[^{;]*?\bBaseWindow\s*<')


def strip_comments(text):
    """The text with comments blanked, string and character literals kept, so
    that a commented-out include or class is not seen."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            end = text.find('\n', i)
            i = n if end < 0 else end
        elif text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            out.append('\n' * text.count('\n', i, end) or ' ')
            i = end
        elif c == 'R' and text.startswith('"', i + 1) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == '_')):
            open_paren = text.find('(', i + 2)
            if open_paren < 0:
                out.append(text[i:])
                break
            close = ')' + text[i + 2:open_paren] + '"'
            end = text.find(close, open_paren)
            end = n if end < 0 else end + len(close)
            out.append(text[i:end])
            i = end
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def snake_case(name):
    return re.sub(r'(?<=[a-z0-9])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])', '_', name).lower()


class Tree:
    def __init__(self, root):
        self.root = root
        self.src = os.path.join(root, 'src')
        self.files = {}  # path relative to src/ -> comment-free text
        for folder, dirs, names in os.walk(self.src):
            dirs.sort()
            for name in sorted(names):
                if name.endswith(SOURCE_EXTENSIONS):
                    path = os.path.join(folder, name)
                    rel = os.path.relpath(path, self.src).replace(os.sep, '/')
                    with open(path, encoding='utf-8', errors='replace') as f:
                        self.files[rel] = strip_comments(f.read())
        self.includes = {rel: self._includes_of(rel) for rel in self.files}

    def _includes_of(self, rel):
        """[(kind, target, spelled)]: kind 'project' with the file relative to
        src/, 'windows' with the SDK header, or 'missing'."""
        result = []
        for bracket, spelled in INCLUDE.findall(self.files[rel]):
            spelled = spelled.strip()
            if bracket == '<':
                if spelled.lower() in WINDOWS_HEADERS:
                    result.append(('windows', spelled.lower(), spelled))
                continue
            target = self._resolve(rel, spelled)
            if target is None:
                result.append(('missing', None, spelled))
            else:
                result.append(('project', target, spelled))
        return result

    def _resolve(self, rel, spelled):
        # As the compiler looks: beside the including file first, then src/.
        for base in (os.path.dirname(rel), ''):
            candidate = os.path.normpath(os.path.join(base, spelled)).replace(os.sep, '/')
            if candidate in self.files:
                return candidate
        return None

    def windows_chain(self, start):
        """The shortest include chain from START to a Windows header, as the
        spelled names after START, or None when it stays portable."""
        previous = {start: None}
        queue = collections.deque([start])
        while queue:
            current = queue.popleft()
            for kind, target, spelled in self.includes[current]:
                if kind == 'windows':
                    chain = ['<%s>' % spelled]
                    node = current
                    while previous[node] is not None:
                        node, how = previous[node]
                        chain.append(how)
                    return chain[::-1]
                if kind == 'project' and target not in previous:
                    previous[target] = (current, spelled)
                    queue.append(target)
        return None

    def window_classes(self, rel):
        """Names of the BaseWindow classes defined in REL and its partner."""
        stem, _ = os.path.splitext(rel)
        names = set()
        for ext in SOURCE_EXTENSIONS:
            if stem + ext in self.files:
                names.update(WINDOW_CLASS.findall(self.files[stem + ext]))
        return names

    def may_reach_windows(self, rel):
        stem = os.path.splitext(os.path.basename(rel))[0]
        if rel == 'main.cpp' or stem.startswith('win_'):
            return True
        return any(snake_case(name) == stem for name in self.window_classes(rel))


def chain_text(rel, chain):
    return ' -> '.join(['src/' + rel] + chain)


def check(root):
    tree = Tree(root)
    problems = []
    windows_files = 0
    for rel in sorted(tree.files):
        chain = tree.windows_chain(rel)
        if chain is not None:
            windows_files += 1
            if not tree.may_reach_windows(rel):
                problems.append('portable file reaches Windows: %s' % chain_text(rel, chain))
        layer = rel.split('/', 1)[0]
        if layer in BELOW_APP:
            for kind, target, spelled in tree.includes[rel]:
                into_app = target.startswith('app/') if kind == 'project' else spelled.startswith('app/')
                if kind != 'windows' and into_app:
                    problems.append('%s/ includes up into app/: src/%s -> %s' % (layer, rel, spelled))
    return tree, windows_files, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--root', default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                        help='repository to check (default: this one)')
    args = parser.parse_args()
    if not os.path.isdir(os.path.join(args.root, 'src')):
        print('layers: no src/ in %s' % args.root, file=sys.stderr)
        return 2
    tree, windows_files, problems = check(args.root)
    for problem in problems:
        print('layers: ' + problem)
    summary = '%d files in src/, %d reach Windows' % (len(tree.files), windows_files)
    if problems:
        print('layers: FAILED, %d violation%s (%s)' % (len(problems), '' if len(problems) == 1 else 's', summary))
        return 1
    print('layers: ok (%s, all win_*, window classes or main.cpp; nothing below app/ includes it)' % summary)
    return 0


if __name__ == '__main__':
    sys.exit(main())
