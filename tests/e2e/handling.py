"""Handling files as the end-to-end tests see them: the records a file holds, the exact bytes
the editor writes for a catalogue, and fixtures made by changing single values of a file."""

import re

SPECIAL_KINDS = (b"!", b"$", b"%")  # bike, flying and boat lines
GROUP = b"^"
CAR = b""
MASS = 0  # index of fMass among a car line's values
MODEL_FLAGS = 33  # index of mFlags; hFlags follows


def records(data):
    """{(kind, key): [values]} of a handling file; kind is CAR for a car line."""
    result = {}
    for line in data.split(b"\n"):
        line = line[:-1] if line.endswith(b"\r") else line
        tokens = line.split()
        if not tokens or line[:1] in (b";", b"#"):
            continue
        kind = line[:1] if line[:1] in SPECIAL_KINDS + (GROUP,) else CAR
        key, values = (tokens[0], tokens[1:]) if kind == CAR else (tokens[1], tokens[2:])
        if (kind, key) in result:
            raise ValueError(f"{kind!r} {key!r} is listed twice")
        result[(kind, key)] = values
    return result


def names(recs, kind):
    """Names of one kind in the editor's list order (byte order, as the names are ASCII)."""
    return sorted(key for k, key in recs if k == kind)


def plain_cars(recs):
    special = {key for k, key in recs if k in SPECIAL_KINDS}
    return [n for n in names(recs, CAR) if n not in special]


def written(recs, shown=()):
    """The bytes the editor's save gives for a catalogue holding these records: plain cars, the
    car lines of bikes, flying vehicles and boats, their own lines, the anim groups, then ";".
    The flags of the vehicles named in `shown` have been padded to eight digits on display."""
    recs = dict(recs)
    for name in shown:
        values = list(recs[(CAR, name)])
        for i in (MODEL_FLAGS, MODEL_FLAGS + 1):
            values[i] = values[i].rjust(8, b"0")
        recs[(CAR, name)] = values
    lines = [n + b" " + b" ".join(recs[(CAR, n)]) for n in plain_cars(recs)]
    for kind in SPECIAL_KINDS:
        lines += [n + b" " + b" ".join(recs[(CAR, n)]) for n in names(recs, kind)]
    for kind in SPECIAL_KINDS:
        lines += [kind + b" " + n + b" " + b" ".join(recs[(kind, n)]) for n in names(recs, kind)]
    for number in sorted(names(recs, GROUP), key=int):
        lines.append(b"^ " + number + b"  " + b" ".join(recs[(GROUP, number)]))
    return b"".join(line + b"\r\n" for line in lines) + b";"


def with_value(data, kind, key, index, value):
    """data with one value of one record replaced; every other byte stays as it was."""
    lines = data.split(b"\n")
    first_value = 1 if kind == CAR else 2
    for i, line in enumerate(lines):
        if line[:1] in (b";", b"#"):
            continue
        tokens = list(re.finditer(rb"[^\s]+", line))
        if len(tokens) <= first_value + index:
            continue
        line_kind = line[:1] if line[:1] in SPECIAL_KINDS + (GROUP,) else CAR
        if line_kind == kind and tokens[first_value - 1].group() == key:
            span = tokens[first_value + index].span()
            lines[i] = line[:span[0]] + value + line[span[1]:]
            return b"\n".join(lines)
    raise ValueError(f"no record {kind!r} {key!r}")


def diff(actual, expected):
    """A short account of the first line where two files differ."""
    a, e = actual.split(b"\n"), expected.split(b"\n")
    for n, (la, le) in enumerate(zip(a, e), 1):
        if la != le:
            return f"line {n}: got {la!r}, expected {le!r}"
    return f"got {len(a)} lines ({len(actual)} bytes), expected {len(e)} ({len(expected)} bytes)"
