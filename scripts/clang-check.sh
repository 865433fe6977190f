#!/usr/bin/env bash
# A second compiler over the win64 build: every C++ translation unit in
# build/win64/compile_commands.json (a batch of a target's sources, or a
# single file) is compiled again by clang for the same mingw-w64 target,
# against the same mingw-w64 and libstdc++ headers, with the entry's own
# defines, include paths and warnings plus -Werror. GCC alone lets
# GCC-only habits creep in; this catches them. Nothing is linked. googletest's
# sources are in the build too and are checked with their own flags.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

clang="${CLANGXX:-clang++}"
command -v "$clang" >/dev/null 2>&1 \
    || { echo "clang-check: $clang not found; install the Debian package 'clang'" >&2; exit 1; }

db="$root/build/win64/compile_commands.json"
if [ ! -f "$db" ]; then
    mkdir -p build
    # shellcheck source=lib/build.sh
    source scripts/lib/build.sh
    torvane_build win64
fi

python3 - "$clang" "$db" "$root" <<'PY'
import concurrent.futures, json, os, shlex, subprocess, sys

clang, db, root = sys.argv[1:4]
CXX_EXT = ('.cpp', '.cc', '.cxx', '.c++')
TAKES_ARG = {'-I', '-isystem', '-iquote', '-include', '-D', '-U'}

def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, errors='replace', **kw)

def argv_of(entry):
    argv = entry.get('arguments') or shlex.split(entry['command'])
    out = []
    for a in argv:
        if a.startswith('@'):  # CMake's response files, relative to the entry
            with open(os.path.join(entry['directory'], a[1:])) as f:
                out += shlex.split(f.read())
        else:
            out.append(a)
    return out

def flags_of(argv, source):
    """The entry's flags minus output, -c and the source itself."""
    flags, it = [], iter(argv[1:])
    for a in it:
        if a == '-o':
            next(it)
        elif a in TAKES_ARG:
            flags += [a, next(it)]
        elif a != '-c' and os.path.abspath(a) != source:
            flags.append(a)
    return flags

toolchains = {}
def toolchain(gcc):
    """Target triple and the C++/C header dirs of the mingw GCC. GCC's own
    include and include-fixed are left out: clang brings its own intrinsics."""
    if gcc not in toolchains:
        target = run([gcc, '-dumpmachine'], check=True).stdout.strip()
        err = run([gcc, '-v', '-E', '-x', 'c++', os.devnull, '-o', os.devnull], check=True).stderr
        lines = err.split('#include <...> search starts here:\n', 1)[1].split('End of search list.')[0]
        dirs = [os.path.normpath(d.strip()) for d in lines.splitlines() if d.strip()]
        dirs = [d for d in dirs if '/include/c++' in d or '/lib/gcc/' not in d]
        toolchains[gcc] = [f'--target={target}', '-nostdinc++', '-nostdlibinc'] + \
            [x for d in dirs for x in ('-isystem', d)]
    return toolchains[gcc]

known = {}
def clang_knows(flag):
    """GCC-only flags make clang warn or fail; they are dropped, by asking clang."""
    if flag not in known:
        known[flag] = run([clang, '-Werror', flag, '-fsyntax-only', '-x', 'c++', os.devnull]).returncode == 0
    return known[flag]

jobs, skipped, dropped = [], [], set()
for entry in json.load(open(db)):
    source = os.path.abspath(os.path.join(entry['directory'], entry['file']))
    if not source.endswith(CXX_EXT):
        skipped.append(source)
        continue
    argv = argv_of(entry)
    flags, keep = flags_of(argv, source), []
    it = iter(flags)
    for a in it:
        if a in TAKES_ARG:
            keep += [a, next(it)]
        elif a.startswith(('-D', '-U', '-I')) or clang_knows(a):
            keep.append(a)
        else:
            dropped.add(a)
    cmd = [clang] + toolchain(argv[0]) + keep + ['-Wall', '-Wextra', '-Werror', '-fsyntax-only', source]
    jobs.append((source, cmd, entry['directory']))

def compile_one(job):
    source, cmd, cwd = job
    r = run(cmd, cwd=cwd)
    return source, r.returncode, r.stdout + r.stderr, cmd

if dropped:
    print('clang: dropped flags clang does not know:', ' '.join(sorted(dropped)))
if skipped:
    print(f'clang: skipped {len(skipped)} file(s) that are not C++:', ' '.join(sorted(set(skipped))))
with concurrent.futures.ThreadPoolExecutor(len(os.sched_getaffinity(0))) as pool:
    results = list(pool.map(compile_one, jobs))
failed = [r for r in results if r[1] != 0]
for source, _, output, cmd in failed:
    print(f'--- {os.path.relpath(source, root)}\n{shlex.join(cmd)}\n{output}', file=sys.stderr)
print(f'clang: {len(results)} files compiled, {len(failed)} failed')
sys.exit(1 if failed else 0)
PY
