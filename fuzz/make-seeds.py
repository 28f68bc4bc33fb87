#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/open and fuzz/corpus/edits.

The seeds are small handling texts (and edit programs around them) built from lines of our own
stock table, app/Unit2/handling.dat. Run it again after the table changes; the files are kept in
the repository so that a fuzz run needs nothing but them.
"""
import pathlib
import struct

ICI = pathlib.Path(__file__).resolve().parent
STOCK = (ICI.parent / "app" / "Unit2" / "handling.dat").read_bytes().split(b"\n")


def ligne(debut):
    """The first stock line whose first tokens are `debut` (e.g. b"!" or b"ALVINE")."""
    mots = debut.split()
    for l in STOCK:
        if l.split()[: len(mots)] == mots:
            return l
    raise SystemExit("no stock line starts with %r" % debut)


def premier(genre):
    return next(l for l in STOCK if l.startswith(genre))


def simple(l):
    """The same tokens, single blanks (the writer's shape)."""
    return b" ".join(l.split())


def remplacer(l, rang, valeur):
    mots = l.split()
    mots[rang] = valeur
    return b" ".join(mots)


voiture = next(l for l in STOCK if l and l[:1] not in b";#!$%^")
moto = premier(b"!")
avion = premier(b"$")
bateau = premier(b"%")
groupe = premier(b"^")
nom_moto = moto.split()[1]
voiture_moto = ligne(nom_moto)
nom_voiture = voiture.split()[0]

OUVERTURE = {
    "empty": b"",
    "comments": b"; only comments\n# " + voiture + b"\n;",
    "one-car-lf": voiture + b"\n",
    "one-car-crlf": remplacer(voiture, 1, b"1500.00") + b"\r\n;",
    "bike-before-car": moto + b"\n" + voiture_moto + b"\n",
    "every-kind": b"\n".join([voiture, voiture_moto, moto, avion, bateau, groupe]) + b"\n;",
    "short-lines": b"\n".join(
        [b" ".join(voiture.split()[:10]), b" ".join(moto.split()[:5]), b"^ 3 std"]
    ),
    "added-vehicle": b"\n".join(
        [remplacer(voiture, 0, b"NOUVEAU"), b"! NOUVEAU " + b" ".join(moto.split()[2:])]
    ),
    "repeated-line": b"\n".join([voiture, remplacer(voiture, 2, b"9.9")]),
    "short-flags": remplacer(remplacer(voiture, 34, b"440080"), 35, b"0"),
    "integers": b"\n".join(
        [remplacer(voiture, 36, b"2.5"), remplacer(groupe, 21, b"99999999999"), b"^ x std"]
    ),
    "kind-characters": b"!\n$\n%\n^\n#$ x\n!" + nom_moto + b" 1 2\n\t" + simple(voiture),
    "nul-and-ctrl-z": remplacer(voiture, 1, b"15\x000") + b"\n\x1a",
    "mixed-whitespace": voiture.replace(b"\t", b" \v\f\t "),
    "long-line": remplacer(voiture, 5, b"7" * 11999)[:11999] + b"\n" + voiture,
}

# An edit program: a chunk opened first, then operation bytes (see fuzz/Scenarios.cpp).
def morceau(octets):
    return struct.pack(">H", len(octets)) + octets


def record(genre, index):
    return bytes([genre]) + struct.pack(">H", index)


SAUVER = b"\x08"
EDITIONS = {
    "set-then-save": morceau(b"") + b"\x00" + record(0, 0) + b"\x00" + morceau(b"1234.5") + SAUVER,
    "blank-value": morceau(b"") + b"\x00" + record(1, 0) + b"\x03" + morceau(b"1 2") + SAUVER,
    "empty-value": morceau(b"") + b"\x00" + record(4, 2) + b"\x01" + morceau(b""),
    "ticks": morceau(voiture + b"\n")
    + b"\x01" + struct.pack(">H", 0) + b"\x00\x01\x03\x01"
    + b"\x01" + struct.pack(">H", 0) + b"\x01\x07\x00\x00"
    + b"\x02" + struct.pack(">H", 2) + b"\x03\x01",
    "anim-group-pick": morceau(b"") + b"\x03" + struct.pack(">H", 5) + b"\x11",
    "ctrl-z-and-resets": morceau(remplacer(voiture, 1, b"1.0") + b"\n")
    + b"\x04" + record(0, 0) + b"\x00" + b"\x05" + record(1, 0) + b"\x06",
    "reopen": morceau(voiture + b"\n") + b"\x07" + morceau(moto + b"\n" + voiture_moto) + SAUVER,
    "odd-flag-digit": morceau(remplacer(voiture, 34, b"(0G0z")) + b"\x01" + struct.pack(">H", 0)
    + b"\x00\x03\x03\x01",
}


def ecrire(dossier, seeds):
    d = ICI / "corpus" / dossier
    d.mkdir(parents=True, exist_ok=True)
    for nom, octets in seeds.items():
        (d / nom).write_bytes(octets)


ecrire("open", OUVERTURE)
ecrire("edits", EDITIONS)
