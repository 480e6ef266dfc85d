#!/usr/bin/env python3
"""Loads a CAN database (.dbc) with canmatrix and checks it against a list.

Usage: check_dbc.py DATABASE EXPECTATIONS

EXPECTATIONS holds one item a line:
  ev NAME TYPE MIN MAX INITIAL   an environment variable with these attributes
  frame NAME SIGNAL...           a message with (at least) these signals
  node NAME                      a node of the node list
The database must hold exactly the listed environment variables, each in
one "EV_" statement (a variable stated twice reads as one). Prints
"ok" and exits with 0 when everything matches, else prints every mismatch
and exits with 1.
"""
import re
import sys

import canmatrix.formats


def main():
    database_path, expectations_path = sys.argv[1], sys.argv[2]
    matrices = canmatrix.formats.loadp(database_path)
    if len(matrices) != 1:
        print("expected one database, found %d" % len(matrices))
        return 1
    db = next(iter(matrices.values()))
    problems = []
    expected_variables = set()
    with open(expectations_path) as expectations:
        for line in expectations:
            words = line.split()
            if not words:
                continue
            kind, name = words[0], words[1]
            if kind == "ev":
                expected_variables.add(name)
                variable = db.env_vars.get(name)
                if variable is None:
                    problems.append("variable %s is missing" % name)
                    continue
                found = [variable["varType"], variable["min"], variable["max"], variable["initialValue"]]
                if found != words[2:6]:
                    problems.append("variable %s: expected %s, found %s" % (name, words[2:6], found))
            elif kind == "frame":
                frame = db.frame_by_name(name)
                if frame is None:
                    problems.append("message %s is missing" % name)
                    continue
                signals = {signal.name for signal in frame.signals}
                for signal in words[2:]:
                    if signal not in signals:
                        problems.append("message %s has no signal %s" % (name, signal))
            elif kind == "node":
                if name not in [ecu.name for ecu in db.ecus]:
                    problems.append("node %s is missing" % name)
            else:
                problems.append("unknown expectation: %s" % line.strip())
    for name in sorted(set(db.env_vars) - expected_variables):
        problems.append("unexpected variable %s" % name)
    with open(database_path, "rb") as database:
        statements = len(re.findall(rb"^[ \t]*EV_[ \t]+\w+[ \t]*:[ \t]*\d+[ \t]+\[", database.read(), re.MULTILINE))
    if statements != len(db.env_vars):
        problems.append("%d EV_ statements hold %d variables" % (statements, len(db.env_vars)))
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
