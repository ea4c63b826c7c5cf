#!/usr/bin/env python3
"""Converts generated scripts with two converter binaries and reports every
script on which they differ: in either output file, the messages or the exit
code. Used to check that a change meant to keep the output bytes keeps them
on more than the corpus.

  bench/compare-converters.py OLD NEW [--kind mutate|groups] [--seed N] [--count N]

mutate: corpus scripts (or 400-line slices of the large maps, wrapped in a
function) with bytes, keywords and delimiters inserted, deleted and repeated.
groups: functions of calls, sets, ifs and loops around nested groups,
brackets, and literals and rawcodes that hold closers.
A differing script is kept in the scratch folder and named on the output.
"""
import argparse, os, random, shutil, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, '..', 'shared', 'corpus')
BYTES = '()[],"\'\\ +-*/=<>!$.0123456789abcdefghijklmnopqrstuvwxyzAXZ_\t\r\n'
WORDS = ['if ', 'then', ' and ', ' or ', 'not ', 'null', '"', "'", 'function ', 'endif',
         'loop', 'endloop', '(', ')', ',', 'set ', 'call ', 'local ', 'return ', 'else']


def fMutated(rng, scripts):
    src = rng.choice(scripts)
    data = bytearray(open(src, 'rb').read())
    if len(data) >= 200000:
        lines = data.split(b'\n')
        a = rng.randrange(len(lines) // 3, len(lines) - 400)
        data = (b'function zz takes nothing returns nothing\n' + b'\n'.join(lines[a:a + 400]) +
                b'\nendfunction\n')
        data = bytearray(data)
    for _ in range(rng.randint(1, 40)):
        p = rng.randrange(len(data))
        k = rng.random()
        if k < 0.45:
            piece = rng.choice(BYTES) if rng.random() < 0.7 else rng.choice(WORDS)
            data[p:p] = piece.encode()
        elif k < 0.8:
            del data[p:p + rng.randint(1, 3)]
        else:
            data[p:p] = data[p:min(len(data), p + rng.randint(1, 60))]
    return bytes(data)


def fExpression(rng, d):
    r = rng.random()
    if d > 6 or r < 0.25:
        return rng.choice(['a', 'b', 'x1', '42', '1.5', '.5', '$FF', '-1', "'A00B'", "')'",
                           '"(,)"', '"a\\"b"', 'null', 'true', 'G', 'U[1]', 'do', 'not', 'or',
                           'function f', '', 'integer7', 'andy', 'notX', 'thenY', 'nul', 'ifA',
                           'unitB', 'returnsC', 'Xand', '0', '"QG1Q"', '90000001', "'ab'",
                           '"text"', 'U[integer7]', ' a ', 'I2S(a)', 'new', '2.25', '00.10',
                           '15.', '0x1F', '0XaB', '0x', '0x123456789', '90001001.0',
                           '0x90002001', '"a\\\\b"', '"\\\\"', '"\\\\x\\\\"',
                           '"\\\\\\"q"', '1.5.5', '3.e1', 'x1.5'])
    if r < 0.45:
        return '(' + fExpression(rng, d + 1) + ')'
    if r < 0.6:
        args = [fExpression(rng, d + 1) for _ in range(rng.randint(0, 3))]
        return rng.choice(['f', 'g', 'GetX']) + '(' + ','.join(args) + ')'
    if r < 0.7:
        return 'U[' + fExpression(rng, d + 1) + ']'
    if r < 0.75:  # unbalanced on purpose
        return '(' * rng.randint(1, 8) + fExpression(rng, d + 1) + ')' * rng.randint(0, 9)
    op = rng.choice(['+', '-', '*', '/', '==', '!=', '<=', ' and ', ' or ', ',', ' + ', ' == ',
                     ' ', ')and(', ' or not '])
    return fExpression(rng, d + 1) + op + fExpression(rng, d + 1)


def fStatements(rng, depth):
    lines = []
    for i in range(rng.randint(1, 8)):
        k, e = rng.random(), fExpression(rng, 0)
        if k < 0.25:
            lines.append('call f(' + e + ')')
        elif k < 0.45:
            lines.append(rng.choice(['set x1=', 'set x1 = ', 'set U[a]=', 'set G=']) + e)
        elif k < 0.52:
            lines.append('return ' + e)
        elif k < 0.7 and depth < 3:
            lines += ['if ' + e + ' then'] + fStatements(rng, depth + 1)
            if rng.random() < 0.4:
                lines += ['elseif ' + fExpression(rng, 0) + ' then'] + fStatements(rng, depth + 1)
            if rng.random() < 0.4:
                lines += ['else'] + fStatements(rng, depth + 1)
            lines.append('endif')
        elif k < 0.85 and depth < 3:
            lines += ['loop', 'exitwhen ' + e] + fStatements(rng, depth + 1) + ['endloop']
        elif k < 0.9:
            lines.append('')
        else:
            lines.append('local integer z%d=%s' % (i, e))
    return lines


def fGroups(rng):
    lines = ['globals', 'integer G=0', 'integer array U', 'integer integer7', 'boolean andy',
             'integer new', 'endglobals']
    # Several functions, so each starts from the state the one before left.
    for n in range(rng.randint(1, 3)):
        head = rng.choice(['takes integer a returns integer', 'takes integer  a returns integer',
                           'takes integer a,unit  u returns integer',
                           'takes integerx a returns integer', 'takes integer a returns stringx',
                           'takes integer a returns nothing'])
        lines += ['function f%d %s' % (n, head), 'local integer x1=0', 'local integer b']
        if rng.random() < 0.3:
            lines.append(rng.choice(['local integer G', 'local integer integer7=G',
                                     'local integer andy', 'local unit array u']))
        lines += fStatements(rng, 0)
        lines += ['return 0', 'endfunction']
    return ('\r\n'.join(lines) + '\r\n').encode()


def fConvert(binary, script, folder):
    os.makedirs(folder)
    run = subprocess.run([binary, '-q', '-o', folder, script], capture_output=True, timeout=120)
    files = {}
    for name in ('war3map.cpp', 'war3map.h'):
        path = os.path.join(folder, name)
        files[name] = open(path, 'rb').read() if os.path.exists(path) else None
    return run.returncode, run.stderr.replace(folder.encode(), b'OUT'), files


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('old')
    ap.add_argument('new')
    ap.add_argument('--kind', choices=['mutate', 'groups'], default='mutate')
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--count', type=int, default=200)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    scripts = sorted(os.path.join(CORPUS, f) for f in os.listdir(CORPUS) if f.endswith('.j'))
    work = tempfile.mkdtemp(prefix='compare-')
    differ = 0
    for i in range(a.count):
        data = fMutated(rng, scripts) if a.kind == 'mutate' else fGroups(rng)
        script = os.path.join(work, 'in%d.j' % i)
        open(script, 'wb').write(data)
        old = fConvert(a.old, script, os.path.join(work, 'old'))
        new = fConvert(a.new, script, os.path.join(work, 'new'))
        shutil.rmtree(os.path.join(work, 'old'))
        shutil.rmtree(os.path.join(work, 'new'))
        if old != new:
            differ += 1
            print('differs:', script, flush=True)
        else:
            os.remove(script)
    print('%d scripts, %d differ%s' % (a.count, differ, (', kept in ' + work) if differ else ''))
    if not differ:
        shutil.rmtree(work)
    return 1 if differ else 0


if __name__ == '__main__':
    sys.exit(main())
