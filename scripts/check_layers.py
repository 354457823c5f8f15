#!/usr/bin/env python3
"""Fails when an include climbs the driver's stack.

The rooms and the edges between them are listed once, in driver/layers.txt:
the ordering of its stack is the documentation. This script only reads the
#include "..." lines of the C and C++ files under the rooms it names and
checks each against that file.

Usage: check_layers.py [ROOT]   (ROOT: the source tree, default: this
script's parent folder). Prints every edge that is not allowed and exits 1
when there is one.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = ('.h', '.hpp', '.c', '.cc', '.cpp', '.in')
# Folders whose files are test code of the room they sit in.
TEST_FOLDERS = ('tests', 'bench', 'fuzz')


class Layers:
    def __init__(self, path):
        self.stack = []           # lists of peer rooms, top first
        self.edges = {}           # room outside the stack -> rooms it may include
        self.test_only = []       # rooms only test code may include
        self.ignored = []         # folders not checked
        with open(path, encoding='utf-8') as f:
            for number, raw in enumerate(f, 1):
                line = raw.split('#', 1)[0].strip()
                if not line:
                    continue
                if line.startswith('test-only:'):
                    self.test_only += line[len('test-only:'):].split()
                elif line.startswith('ignore:'):
                    self.ignored += line[len('ignore:'):].split()
                elif '->' in line:
                    room, targets = line.split('->', 1)
                    self.edges[room.strip()] = targets.split()
                else:
                    self.stack.append(line.split())
        self.level = {room: i for i, peers in enumerate(self.stack) for room in peers}
        self.rooms = sorted(set(self.level) | set(self.edges) | set(self.test_only),
                            key=len, reverse=True)

    def room_of(self, path):
        for room in self.rooms:
            if path == room or path.startswith(room + '/'):
                return room
        return None

    def allowed(self, source_room, target_room, is_test):
        if target_room == source_room:
            return True
        if is_test and target_room in self.test_only:
            return True
        if source_room in self.edges:
            return self._reaches(self.edges[source_room], target_room)
        if source_room in self.level and target_room in self.level:
            return self.level[target_room] > self.level[source_room]
        return False

    def _reaches(self, targets, target_room):
        # An outside room names the stack rooms it sits on; it may use those
        # and everything below them.
        for t in targets:
            if t == target_room:
                return True
            if t in self.level and target_room in self.level and self.level[target_room] > self.level[t]:
                return True
        return False


def is_test_path(room, path):
    rest = path[len(room):].strip('/').split('/')
    return any(part in TEST_FOLDERS for part in rest[:-1])


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..'))
    layers = Layers(os.path.join(root, 'driver', 'layers.txt'))
    checked_rooms = [r for r in layers.rooms if r in layers.level or r in layers.edges]
    problems = []
    files = 0
    for room in checked_rooms:
        top = os.path.join(root, room)
        for folder, dirs, names in os.walk(top):
            rel_folder = os.path.relpath(folder, root)
            dirs[:] = sorted(d for d in dirs
                             if os.path.join(rel_folder, d) not in layers.ignored)
            for name in sorted(names):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                rel = os.path.join(rel_folder, name).replace(os.sep, '/')
                source_room = layers.room_of(rel)
                if source_room != room:
                    continue  # a nested room is checked as itself
                files += 1
                with open(os.path.join(root, rel), encoding='utf-8', errors='replace') as f:
                    text = f.read()
                for match in INCLUDE.finditer(text):
                    target = match.group(1)
                    target_room = layers.room_of(target)
                    line = text.count('\n', 0, match.start()) + 1
                    if target_room is None:
                        if '/' in target:
                            problems.append(f'{rel}:{line}: includes "{target}", which is in no room of driver/layers.txt')
                        continue  # a file beside it
                    if not layers.allowed(source_room, target_room, is_test_path(room, rel)):
                        problems.append(f'{rel}:{line}: {source_room} may not include {target_room} ("{target}")')
    for p in problems:
        print(p)
    if not files:
        print('no source files found: is the root right?')
        return 1
    print(f'{files} files checked, {len(problems)} includes climb the stack')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
