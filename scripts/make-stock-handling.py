#!/usr/bin/env python3
"""Writes app/Unit2/handling.dat, Quintrel's stock handling table.

Every vehicle, value and comment of that table is authored here. The output is
deterministic (a fixed random seed): running the script again gives the same bytes.
The comment lines are padded so that the file has exactly TARGET_SIZE bytes.

Usage: scripts/make-stock-handling.py [output path]
"""

import random
import sys
from pathlib import Path

TARGET_SIZE = 40978
TARGET_COMMENTS = 230
SEED = 20261211

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_OUTPUT = ROOT / "app" / "Unit2" / "handling.dat"

# ---------------------------------------------------------------------------
# Number formatting


def num(value, decimals):
    """Decimal with a point: trailing zeros dropped, at least one decimal kept."""
    text = f"{value:.{decimals}f}"
    if "." in text:
        text = text.rstrip("0")
        if text.endswith("."):
            text += "0"
    if text in ("-0.0", "-0"):
        text = "0.0"
    return text


def whole(value):
    return str(int(round(value)))


def flags(digits):
    """Eight hex digits from {digit number 1..8: value}; digit 1 is the rightmost."""
    return "".join(f"{digits.get(d, 0):X}" for d in range(8, 0, -1))


# ---------------------------------------------------------------------------
# Vehicle families: value ranges of the car line, flag bits and anim group.
# A range is (low, high, decimals); decimals None means a whole number.

BASE = {
    "mass": (1000, 3000, 0),
    "drag": (1.8, 3.0, 1),
    "sub": (65, 85, None),
    "comx": (0.0, 0.0, 1),
    "comy": (-0.25, 0.15, 2),
    "comz": (-0.3, -0.05, 2),
    "bias": [0.0, 0.0, 0.5, 1.0],
    "gears": [4, 5, 5],
    "force": (0.18, 0.3, 2),
    "inertia": (8.0, 15.0, 1),
    "vmax": (140.0, 175.0, 0),
    "brake": (6.0, 9.0, 1),
    "bbias": (0.45, 0.6, 2),
    "steer": (30.0, 38.0, 0),
    "tmax": (0.7, 0.85, 2),
    "tmin": (0.75, 0.9, 2),
    "tlat": (18.0, 26.0, 1),
    "tlong": (0.4, 0.55, 2),
    "tspring": (0.12, 0.2, 2),
    "tbias": (0.47, 0.53, 2),
    "sforce": (1.2, 2.2, 1),
    "scomp": (0.08, 0.16, 2),
    "sreb": (0.0, 0.2, 2),
    "supper": (0.2, 0.32, 2),
    "slower": (-0.22, -0.1, 2),
    "sraise": [0.0],
    "sbias": (0.45, 0.55, 2),
    "dcoll": (0.5, 0.8, 2),
    "dweap": (0.7, 1.0, 2),
    "ddef": (0.8, 1.2, 2),
    "deng": (0.8, 1.2, 2),
    "seat": (0.18, 0.3, 2),
    "money": (9000, 30000, None),
}


def family(**overrides):
    ranges = dict(BASE)
    ranges.update({k: v for k, v in overrides.items() if k in BASE})
    return {
        "ranges": ranges,
        "anim": overrides["anim"],
        "mflags": overrides.get("mflags", {}),
        "hflags": overrides.get("hflags", {}),
        "kind": overrides.get("kind"),
    }


# Flag choices: each digit maps to a list of values; one is picked per vehicle.
FAMILIES = {
    "saloon": family(
        anim=0,
        mflags={2: [0, 1, 1, 2], 5: [0, 4], 6: [0, 4], 8: [0, 0, 8]},
        hflags={1: [0, 4], 3: [0, 2], 4: [0, 4], 6: [0, 4]},
    ),
    "police": family(
        anim=0, mass=(1500, 1900, 0), force=(0.28, 0.34, 2), vmax=(175.0, 195.0, 0),
        dcoll=(0.3, 0.45, 2), money=(20000, 26000, None),
        mflags={2: [1], 4: [2], 5: [4], 6: [4]},
        hflags={1: [4], 4: [4], 6: [4]},
    ),
    "micro": family(
        anim=0, mass=(1000, 1100, 0), force=(0.12, 0.16, 2), vmax=(105.0, 120.0, 0),
        gears=[4], money=(4000, 6000, None),
        mflags={1: [4], 3: [2], 8: [8]},
        hflags={3: [2], 4: [2]},
    ),
    "old": family(
        anim=1, mass=(1700, 2300, 0), force=(0.14, 0.19, 2), vmax=(115.0, 135.0, 0),
        gears=[3, 4], tmax=(0.6, 0.7, 2), sforce=(0.9, 1.3, 1), scomp=(0.05, 0.09, 2),
        money=(5000, 12000, None), bias=[0.0],
        mflags={5: [2], 6: [2], 8: [1]},
        hflags={8: [2], 6: [0, 4]},
    ),
    "sport": family(
        anim=22, mass=(1150, 1550, 0), drag=(1.4, 2.0, 1), force=(0.32, 0.42, 2),
        inertia=(5.0, 9.0, 1), vmax=(195.0, 240.0, 0), brake=(9.0, 12.0, 1),
        tmax=(0.85, 1.05, 2), tmin=(0.85, 0.95, 2), sforce=(2.0, 3.0, 1),
        supper=(0.1, 0.18, 2), slower=(-0.1, -0.05, 2), money=(45000, 95000, None),
        gears=[5, 6], bias=[0.0, 0.0, 0.5],
        mflags={1: [4], 2: [2, 8], 4: [2], 5: [4], 6: [4]},
        hflags={3: [4], 4: [4, 8], 7: [4]},
    ),
    "cabrio": family(
        anim=19, mass=(1300, 1700, 0), force=(0.26, 0.32, 2), vmax=(170.0, 195.0, 0),
        money=(30000, 50000, None), bias=[0.0],
        mflags={2: [1, 2], 4: [2], 5: [0, 4], 6: [0, 4]},
        hflags={4: [4], 6: [0, 4]},
    ),
    "upright": family(
        anim=28, mass=(2000, 3000, 0), drag=(2.5, 3.5, 1), comz=(-0.1, 0.1, 2),
        force=(0.2, 0.26, 2), vmax=(140.0, 160.0, 0), supper=(0.3, 0.4, 2),
        slower=(-0.3, -0.2, 2), money=(25000, 40000, None), bias=[0.5],
        mflags={2: [1], 5: [2], 6: [2], 8: [4]},
        hflags={3: [4], 4: [4], 6: [1, 2]},
    ),
    "van": family(
        anim=13, mass=(1900, 3000, 0), drag=(2.8, 3.6, 1), comz=(-0.2, 0.0, 2),
        force=(0.16, 0.21, 2), vmax=(125.0, 145.0, 0), steer=(32.0, 36.0, 0),
        money=(12000, 22000, None), bias=[0.0, 1.0],
        mflags={1: [1], 6: [2], 8: [0, 8]},
        hflags={4: [0, 2], 6: [4]},
    ),
    "truck": family(
        anim=2, mass=(5000, 20000, 0), drag=(4.0, 6.0, 1), sub=(85, 95, None),
        comz=(-0.2, 0.3, 2), force=(0.11, 0.16, 2), inertia=(20.0, 40.0, 1),
        vmax=(100.0, 125.0, 0), brake=(3.5, 5.5, 1), steer=(25.0, 32.0, 0),
        sforce=(1.0, 1.6, 1), money=(30000, 60000, None), gears=[5], bias=[0.0],
        mflags={1: [8], 5: [2], 6: [2], 8: [2]},
        hflags={2: [1], 4: [8], 6: [4]},
    ),
    "coach": family(
        anim=15, mass=(9000, 12000, 0), drag=(3.5, 4.5, 1), comz=(0.0, 0.2, 2),
        force=(0.12, 0.15, 2), inertia=(25.0, 30.0, 1), vmax=(115.0, 125.0, 0),
        brake=(4.0, 5.0, 1), steer=(28.0, 32.0, 0), money=(50000, 60000, None),
        bias=[0.0], mflags={1: [10], 6: [2], 8: [2]}, hflags={6: [4]},
    ),
    "bus": family(
        anim=16, mass=(8000, 14000, 0), drag=(4.0, 5.0, 1), comz=(0.0, 0.2, 2),
        force=(0.1, 0.14, 2), inertia=(25.0, 35.0, 1), vmax=(95.0, 110.0, 0),
        brake=(4.0, 5.0, 1), steer=(30.0, 34.0, 0), money=(40000, 55000, None),
        bias=[0.0], mflags={1: [10], 5: [2], 6: [2], 8: [2]}, hflags={2: [1], 6: [4]},
    ),
    "dozer": family(
        anim=17, mass=(9000, 12000, 0), drag=(5.0, 7.0, 1), force=(0.08, 0.12, 2),
        inertia=(35.0, 50.0, 1), vmax=(35.0, 50.0, 0), brake=(6.0, 8.0, 1),
        steer=(25.0, 30.0, 0), money=(40000, 60000, None), gears=[3], bias=[0.5],
        mflags={1: [8], 5: [2], 6: [2]}, hflags={6: [1, 2]},
    ),
    "kart": family(
        anim=18, mass=(280, 350, 0), drag=(3.5, 4.5, 1), comz=(-0.15, -0.1, 2),
        force=(0.25, 0.3, 2), inertia=(5.0, 7.0, 1), vmax=(85.0, 95.0, 0),
        sforce=(3.0, 3.5, 1), supper=(0.05, 0.08, 2), slower=(-0.05, -0.02, 2),
        money=(3000, 5000, None), gears=[3], bias=[0.0],
        mflags={1: [4], 3: [1], 4: [1]}, hflags={2: [1]},
    ),
    "monster": family(
        anim=20, mass=(5000, 5600, 0), drag=(3.5, 4.0, 1), comz=(0.2, 0.35, 2),
        force=(0.35, 0.4, 2), inertia=(20.0, 25.0, 1), vmax=(110.0, 120.0, 0),
        sforce=(1.5, 1.8, 1), supper=(0.4, 0.5, 2), slower=(-0.4, -0.3, 2),
        money=(40000, 45000, None), bias=[0.5],
        mflags={1: [8], 5: [2], 6: [2], 8: [4]}, hflags={2: [2], 6: [3]},
    ),
    "rail": family(
        anim=21, mass=(12000, 20000, 0), drag=(5.0, 6.0, 1), sub=(95, 99, None),
        force=(0.05, 0.08, 2), inertia=(50.0, 60.0, 1), vmax=(80.0, 100.0, 0),
        brake=(2.0, 3.0, 1), steer=(0.0, 0.0, 0), money=(20000, 30000, None),
        bias=[0.5], mflags={1: [8]}, hflags={},
    ),
    "tank": family(
        anim=24, mass=(18000, 19500, 0), drag=(6.0, 7.0, 1), sub=(99, 99, None),
        force=(0.18, 0.22, 2), inertia=(40.0, 45.0, 1), vmax=(60.0, 70.0, 0),
        brake=(8.0, 9.0, 1), steer=(28.0, 30.0, 0), dcoll=(0.05, 0.1, 2),
        dweap=(0.05, 0.1, 2), money=(90000, 99000, None), bias=[0.5],
        mflags={1: [8], 3: [1], 5: [2], 6: [2]}, hflags={2: [2], 6: [2]},
    ),
    "buggy": family(
        anim=25, mass=(800, 1200, 0), drag=(2.5, 3.0, 1), comz=(-0.2, -0.1, 2),
        force=(0.3, 0.36, 2), vmax=(150.0, 165.0, 0), supper=(0.35, 0.45, 2),
        slower=(-0.3, -0.22, 2), money=(12000, 16000, None), bias=[0.0, 0.5],
        mflags={3: [1], 5: [4], 6: [4]}, hflags={3: [4], 4: [8], 6: [2]},
    ),
    "quad": family(
        anim=12, mass=(380, 420, 0), drag=(3.0, 3.5, 1), comz=(-0.1, 0.0, 2),
        force=(0.22, 0.26, 2), vmax=(105.0, 115.0, 0), money=(6000, 8000, None),
        bias=[0.5], mflags={3: [1], 4: [1]}, hflags={6: [1]},
    ),
    # Special vehicles: their own line comes further down the file.
    "bike": family(
        kind="bike", anim=None, mass=(90, 400, 0), drag=(3.0, 5.5, 1), sub=(100, 120, None),
        comy=(0.0, 0.1, 2), comz=(-0.1, 0.0, 2), force=(0.18, 0.4, 2), inertia=(3.0, 7.0, 1),
        steer=(35.0, 40.0, 0), sforce=(0.6, 1.2, 1), money=(2000, 15000, None), bias=[0.0],
        mflags={3: [0, 2], 4: [0, 4], 7: [1]}, hflags={2: [1], 6: [0, 1]},
    ),
    "heli": family(
        kind="heli", anim=None, mass=(2500, 6500, 0), drag=(0.5, 1.0, 1), sub=(60, 70, None),
        force=(0.2, 0.3, 2), vmax=(150.0, 190.0, 0), brake=(4.0, 6.0, 1),
        money=(60000, 90000, None), bias=[0.5],
        mflags={3: [0, 1], 7: [2]}, hflags={},
    ),
    "plane": family(
        kind="plane", anim=None, mass=(1200, 19000, 0), drag=(0.3, 0.8, 1), sub=(50, 60, None),
        force=(0.3, 0.45, 2), vmax=(180.0, 220.0, 0), brake=(3.0, 5.0, 1),
        money=(50000, 99000, None), bias=[0.5],
        mflags={7: [4]}, hflags={4: [0, 1]},
    ),
    "boat": family(
        kind="boat", anim=None, mass=(800, 4000, 0), drag=(2.0, 4.0, 1), sub=(20, 40, None),
        comz=(-0.5, -0.2, 2), force=(0.3, 0.6, 2), vmax=(120.0, 180.0, 0),
        brake=(0.2, 0.4, 2), steer=(25.0, 30.0, 0), money=(15000, 60000, None), bias=[0.0],
        mflags={3: [0, 4], 7: [8]}, hflags={},
    ),
}

# Car-line sections in file order: heading, family, [(name, anim group or None, mass range)].
# An anim group or a mass range given with a vehicle overrides the family's.
SECTIONS = [
    ("Saloons, hatchbacks and family cars", "saloon", [
        "ALVINE", "BRESKA", "CANTELO", "DORVAN", "ELSMERE", "FARRIGO", "GUSTINE",
        "HALDEN", "ISOLDA", "MERIDEL", "NORVILLE", "OSTRANE", "PELLATOR", "QUIRINO",
        "RASKEL", "SOLVANE", "TREMELLO", "ULVERIN", "VASSORI", "WENDRAKE", "YARROWAY",
        "ZELMIRA", "CORBINET", "LUMIRA", "MAVRELLO", "ARGELINE", "BELCOURT",
        "DELAVANT", "EMBRIA", "FONTIVE", "GRELLAN", "HESPERO", "IVORNE", "KORVID",
        "LANDOVE", "MORISSO", "NUVELLE", "FIACRE"]),
    ("Town micro cars", "micro", ["3ROUE"]),
    ("Police cars", "police", ["VIGILO", "VIGILO2"]),
    ("Old and slow cars", "old", [
        "PATINEL", "GRISETTE", "VELOURS", "MOUSSARD", "TORTILLON", "BRUMAIRE"]),
    ("Sports cars", "sport", [
        "ZANTRIX", "VELOXA", "SCARVELLO", "TEMPRANO", "RAZZIA", "STRIDEX", "ARDENTE",
        "FALCIRO", "VIPRELLA", "NOVASTRA", "QUASARIO", "ORAGEN"]),
    ("Convertibles", "cabrio", ["SOLEADO", "BRISETTE", "CABRIVO", "AZURINE", "MISTRALE"]),
    ("Off-road and tall cars", "upright", [
        "TERRANOX", "BOSCARO", "CAMPESTRE", "MONTEGAL", "ROCAILLE", "SIERRAVO", "TUNDRAK",
        "TAILLIS"]),
    ("Buggies and quads", "buggy", ["DUNIER", "SABLARD"]),
    (None, "quad", ["QUADRILO"]),
    ("Karts", "kart", ["PETAROU"]),
    ("Vans and ambulances", "van", [
        "CARGOLIN", "FOURGELLE", "LIVREUR", "MESSAGO", "SECOURA", "PANIERO", "COLISAN",
        "BOULANGE"]),
    ("Lorries, tankers and the fire engine", "truck", [
        "BENNARD", "CITERNOX", "POMPIERA", "GRUMOX", "TRACTIX", "DEMENAGO", "FRIGORA",
        "ROULIER", "9TONNE"]),
    (None, "monster", ["ENORMOX"]),
    ("Coaches and town buses", "coach", ["LONGCOURS", "PELERIN"]),
    (None, "bus", ["CITADIN", "NAVETTA", "OMNIVAL"]),
    ("Site machines, rail and army", "dozer", ["NIVELEUR", "RABOTEUR"]),
    (None, "rail", ["WAGONNET", "PLATEAUX"]),
    (None, "tank", ["CUIRASSO"]),
    ("Two-wheelers (their bike lines follow further down)", "bike", [
        ("FLECHARD", 4, (230, 260)), ("TROTTINO", 5, (140, 170)),
        ("GRANDOURS", 6, (360, 400)), ("BOUEUX", 7, (190, 220)),
        ("ROUTARD", 8, (300, 340)), ("SAUTILLE", 9, (90, 100)),
        ("SENTIER", 10, (100, 120))]),
    ("Helicopters (flying lines further down)", "heli", [
        ("LIBELLE", 28, None), ("ROTORIX", 0, None)]),
    ("Aeroplanes (flying lines further down)", "plane", [
        ("MOUETTE", 14, (1200, 1800)), ("STRATELLE", 26, (7000, 11000)),
        ("FAUCONEL", 27, (9000, 10000)), ("ALBATRON", 29, (15000, 19000))]),
    ("Boats and the hovercraft (boat lines further down)", "boat", [
        ("CANOTIER", 0, (800, 1200)), ("PASSEUR", 0, (3000, 4000)),
        ("PINASSE", 0, (1500, 2200)), ("HALIOTE", 0, (1000, 1500)),
        ("MARSOUIN", 0, (2000, 3000)), ("BARCAROLE", 0, (2500, 3500)),
        ("SILLAGE", 0, (1200, 1800)), ("GLISSOR", 23, (4500, 5500))]),
]

# Flag texts written short (leading zeros left out), as people often type them.
SHORT_FLAGS = {
    "ELSMERE": ("440080", None),
    "STRATELLE": (None, "0"),
    "PLATEAUX": ("0", "0"),
}

CAR_COLUMNS = [
    # (key, header word, member, meaning)
    ("mass", "mass", "fMass", "mass in kg"),
    ("drag", "drag", "fDragMult", "air drag multiplier"),
    ("sub", "subm", "nPercentSubmerged", "% of the body under water before it floats"),
    ("comx", "comX", "CentreOfMass.x", "centre of mass, across (m)"),
    ("comy", "comY", "CentreOfMass.y", "centre of mass, along (m)"),
    ("comz", "comZ", "CentreOfMass.z", "centre of mass, height (m)"),
    ("bias", "dbias", "m_nDriveBias", "driven wheels: 1 front, 0 rear, 0.5 all four"),
    ("gears", "gears", "m_nDriveGears", "number of forward gears"),
    ("force", "force", "m_fDriveForce", "engine pull"),
    ("inertia", "inert", "m_fDriveInertia", "how slowly the engine picks up"),
    ("vmax", "vmax", "m_fV", "top speed (km/h)"),
    ("brake", "brake", "m_fBrakeForce", "braking force"),
    ("bbias", "bbias", "m_fBrakeBias", "brake share: 1 front, 0 rear"),
    ("steer", "steer", "m_fSteeringLock", "steering lock (degrees)"),
    ("tmax", "tmax", "m_fTractionCurveMax", "grip at best"),
    ("tmin", "tmin", "m_fTractionCurveMin", "grip while sliding"),
    ("tlat", "tlat", "m_fTractionCurveLateral", "slip angle of best grip (degrees)"),
    ("tlong", "tlong", "m_fTractionCurveLongitudinal", "grip lost by wheel spin"),
    ("tspring", "tsprg", "m_fTractionSpringDeltaMax", "tyre give before sliding (m)"),
    ("tbias", "tbias", "m_fTractionBias", "grip share: 1 front, 0 rear"),
    ("sforce", "sforce", "m_fSuspensionForce", "spring stiffness"),
    ("scomp", "scomp", "m_fSuspensionCompDamp", "damping when compressed"),
    ("sreb", "sreb", "m_fSuspensionReboundDamp", "damping on rebound"),
    ("supper", "supper", "m_fSuspensionUpperLimit", "wheel travel upwards (m)"),
    ("slower", "slower", "m_fSuspensionLowerLimit", "wheel travel downwards (m)"),
    ("sraise", "sraise", "m_fSuspensionRaise", "ride height offset (m)"),
    ("sbias", "sbias", "m_fSuspensionBias", "spring share: 1 front, 0 rear"),
    ("dcoll", "dcoll", "m_fCollisionDamageMult", "damage taken in crashes"),
    ("dweap", "dweap", "m_fWeaponDamageMult", "damage taken from weapons"),
    ("ddef", "ddefo", "m_fDeformationDamageMult", "how much the body dents"),
    ("deng", "deng", "m_fEngineDamageMult", "damage that reaches the engine"),
    ("seat", "seat", "m_fSeatOffsetDist", "driver seat offset (m)"),
    ("money", "value", "m_nMonetaryValue", "price, whole number"),
    ("mflags", "mflags", "mFlags", "model flags, hex (see below)"),
    ("hflags", "hflags", "hFlags", "handling flags, hex (see below)"),
    ("anim", "anim", "m_nAnimGroup", "anim group number, 0 to 29 (see the ^ lines)"),
]

MODEL_FLAG_DOC = [
    (8, "1 bounce panels, 2 twin rear wheels, 4 high ground clearance, 8 hatchback"),
    (7, "1 bike, 2 helicopter, 4 plane, 8 boat"),
    (6, "rear axle: 1 no tilt, 2 solid, 4 strut, 8 reversed"),
    (5, "front axle: 1 no tilt, 2 solid, 4 strut, 8 reversed"),
    (4, "1 no exhaust, 2 twin exhaust, 4 no look-behind view, 8 enter without door"),
    (3, "1 no doors, 2 tandem seats, 4 seated low as in a boat, 8 unused"),
    (2, "ABS: 1 standard, 2 option, 4 second standard, 8 second option"),
    (1, "body: 1 van, 2 bus, 4 low, 8 big"),
]

HANDLING_FLAG_DOC = [
    (8, "1 swinging chassis, 2 old physics"),
    (7, "1 speed limiter, 2 low rider, 4 street racer"),
    (6, "1 off-road, 2 heavy off-road, 4 halogen lights, 8 rear wheel first"),
    (5, "1 hydraulics geometry, 2 hydraulics fitted, 4 no hydraulics, 8 nitrous fitted"),
    (4, "rear tyres: 1 very narrow, 2 narrow, 4 wide, 8 very wide"),
    (3, "front tyres: 1 very narrow, 2 narrow, 4 wide, 8 very wide"),
    (2, "1 no handbrake, 2 rear wheels steer, 4 handbrake steers rear, 8 other steering"),
    (1, "1 smooth compression, 2 unused, 4 anti-roll for drivers of the town, 8 calm AI"),
]

BIKE_COLUMNS = [
    ("LeanFwdCOM", "lfcom", "forward lean: shift of the centre of mass", (0.25, 0.5, 2)),
    ("LeanFwdForce", "lfforce", "forward lean: force", (0.6, 1.4, 2)),
    ("LeanBakCOM", "lbcom", "backward lean: shift of the centre of mass", (0.4, 0.8, 2)),
    ("LeanBackForce", "lbforce", "backward lean: force", (0.5, 1.2, 2)),
    ("MaxLean", "maxlean", "largest lean in a turn (degrees)", (35.0, 45.0, 0)),
    ("FullAnimLean", "alean", "lean of the rider's animation (degrees)", (35.0, 50.0, 0)),
    ("DesLean", "deslean", "share of the lean the bike aims for", (0.6, 0.95, 2)),
    ("StickLean", "stickl", "lean added by the stick", (0.1, 0.3, 2)),
    ("BrakeStabil", "bstab", "steadiness while braking", (0.3, 0.9, 2)),
    ("InAirSteer", "airstr", "steering in the air", (0.05, 0.4, 2)),
    ("WheelieAng", "wang", "wheelie angle (degrees)", (40.0, 70.0, 0)),
    ("StoppieAng", "sang", "stoppie angle (degrees)", (50.0, 80.0, 0)),
    ("WheelieSteer", "wsteer", "steering on the back wheel", (0.05, 0.3, 2)),
    ("WheelieStabMult", "wstab", "wheelie steadiness", (1.0, 2.5, 1)),
    ("StoppieStabMult", "sstab", "stoppie steadiness", (0.3, 1.0, 2)),
]

FLYING_COLUMNS = [
    # member, header, meaning, heli range, plane range
    ("Thrust", "thrust", "engine thrust", (0.4, 0.7, 2), (0.6, 1.2, 2)),
    ("ThrustFallOff", "tfall", "thrust lost with speed", (2.0, 5.0, 1), (0.5, 3.0, 1)),
    ("ThrustVec", "tvec", "thrust vectoring", (0.0, 0.0, 1), (0.0, 0.4, 1)),
    ("Yaw", "yaw", "turn rate", (-0.006, -0.002, 4), (-0.004, -0.001, 4)),
    ("YawStab", "yawstab", "turn damping", (0.0, 0.005, 4), (0.002, 0.008, 4)),
    ("SideSlip", "slip", "sideways drift", (0.1, 0.3, 2), (0.05, 0.2, 2)),
    ("Roll", "roll", "roll rate", (0.002, 0.006, 4), (0.004, 0.012, 4)),
    ("RollStab", "rstab", "roll damping", (0.0, 0.01, 3), (0.005, 0.02, 3)),
    ("Pitch", "pitch", "pitch rate", (0.002, 0.006, 4), (0.004, 0.012, 4)),
    ("PitchStab", "pstab", "pitch damping", (0.001, 0.008, 3), (0.005, 0.02, 3)),
    ("FormLift", "flift", "lift from the body", (0.0, 0.0, 1), (0.6, 1.2, 2)),
    ("AttackLift", "alift", "lift from the angle of attack", (0.0, 0.0, 1), (1.0, 3.0, 1)),
    ("GearUpR", "gearup", "speed at which the gear comes up", (0.1, 0.1, 1), (0.08, 0.2, 2)),
    ("GearDownL", "geardn", "speed at which the gear goes down", (1.0, 1.0, 1),
     (0.6, 0.9, 2)),
    ("WindMult", "wind", "how much wind pushes it", (0.2, 0.5, 2), (0.05, 0.2, 2)),
    ("MoveRes", "mres", "resistance to moving", (0.6, 0.9, 2), (0.95, 0.999, 3)),
    ("TurnRes.x", "trx", "resistance to turning, x", (0.9, 0.99, 2), (0.8, 0.95, 2)),
    ("TurnRes.y", "try", "resistance to turning, y", (0.9, 0.99, 2), (0.8, 0.95, 2)),
    ("TurnRes.z", "trz", "resistance to turning, z", (0.9, 0.99, 2), (0.9, 0.99, 2)),
    ("SpeedRes.x", "srx", "speed resistance, x", (0.4, 0.7, 1), (0.1, 0.4, 1)),
    ("SpeedRes.y", "sry", "speed resistance, y", (0.4, 0.7, 1), (0.0, 0.2, 1)),
    ("SpeedRes.z", "srz", "speed resistance, z", (0.4, 0.7, 1), (0.3, 0.6, 1)),
]

BOAT_COLUMNS = [
    ("BBoxFwd", "bbfwd", "wave box, front (m)", (0.6, 1.5, 1)),
    ("BBoxBack", "bbback", "wave box, back (m)", (-1.2, -0.4, 1)),
    ("BBoxSide", "bbside", "wave box, sides (m)", (0.5, 1.2, 1)),
    ("SampleTop", "stop", "top of the water test (m)", (0.5, 1.5, 1)),
    ("SampleBottom", "sbot", "bottom of the water test (m)", (-0.8, -0.2, 1)),
    ("AqPlaneForce", "aqforce", "planing force", (0.8, 2.5, 1)),
    ("AqPlaneWfMult", "aqmult", "planing force with speed", (1.5, 4.0, 1)),
    ("AqPlaneWfCap", "aqcap", "cap of the planing force", (0.5, 4.0, 1)),
    ("AqPlaneWfApp", "aqapp", "where the planing force acts", (0.3, 1.5, 1)),
    ("RudderF", "rudder", "rudder force", (0.2, 0.8, 2)),
    ("RudderOSet", "roset", "rudder offset", (0.2, 0.6, 2)),
    ("WaveAudioMult", "wavsnd", "loudness of the waves", (3.0, 12.0, 1)),
    ("MoveResXY", "mresxy", "resistance, flat", (0.85, 0.99, 2)),
    ("MoveResZUp", "mreszu", "resistance, upwards", (0.01, 0.05, 2)),
    ("MoveResZDown", "mreszd", "resistance, downwards", (0.5, 0.9, 2)),
    ("TurnResX", "trx", "turn resistance, x", (0.2, 0.8, 2)),
    ("TurnResY", "try", "turn resistance, y", (0.5, 0.95, 2)),
    ("TurnResZ", "trz", "turn resistance, z", (0.8, 0.99, 2)),
    ("Look_L_R_BehindCamHeight", "camh", "height of the look-behind camera (m)",
     (0.5, 4.0, 1)),
]

ANIM_COLUMNS = [
    ("Enter1", "enter1", "folder: getting in"),
    ("Enter2", "enter2", "folder: getting in, second choice"),
    ("Jack1", "jack1", "folder: pulling a driver out"),
    ("Jack2", "jack2", "folder: pulling a driver out, second choice"),
    ("Drive1", "drive1", "folder: driving"),
    ("Drive2", "drive2", "folder: driving, second choice"),
    ("GetInTime", "getin", "seconds to get in"),
    ("JumpOutTime", "jumpout", "seconds to jump out while moving"),
    ("GetOutTime", "getout", "seconds to get out"),
    ("JkdOutTime", "jkdout", "seconds to be pulled out"),
    ("FallTime", "fall", "seconds of the fall when thrown out"),
    ("OpenOutStart", "oos", "door opened from outside: start (0 to 1)"),
    ("OpenOutStop", "oot", "door opened from outside: stop"),
    ("CloseInStart", "cis", "door closed from inside: start"),
    ("CloseInStop", "cit", "door closed from inside: stop"),
    ("OpenInStart", "ois", "door opened from inside: start"),
    ("OpenInStop", "oit", "door opened from inside: stop"),
    ("CloseOutStart", "cos", "door closed from outside: start"),
    ("CloseOutStop", "cot", "door closed from outside: stop"),
    ("SpecialFlag", "flag", "sum of the bits below, whole number"),
]

SPECIAL_FLAG_DOC = [
    (1, "the door is left open after getting out"),
    (2, "the door is left open after getting in"),
    (4, "kart animations"),
    (8, "lorry animations"),
    (16, "hovercraft animations"),
    (32, "door locked in a special way"),
    (64, "no door is opened to get in"),
]

# Anim groups: number, what it serves, six folders, five times, door timing set, flag.
DOORS_CAR = ("0.1", "0.4", "0.55", "0.85", "0.1", "0.35", "0.55", "0.8")
DOORS_BIG = ("0.15", "0.5", "0.6", "0.9", "0.15", "0.45", "0.6", "0.9")
DOORS_BUS = ("0.05", "0.3", "0.7", "0.95", "0.05", "0.3", "0.7", "0.95")
DOORS_NONE = ("0.0",) * 8
ANIM_GROUPS = [
    (0, "ordinary cars", ("std", "std", "std", "std", "std", "std"),
     ("0.5", "0.7", "0.55", "0.85", "0.3"), DOORS_CAR, 0),
    (1, "old, slow cars", ("std", "std", "std", "std", "drvold", "std"),
     ("0.6", "0.8", "0.65", "0.9", "0.3"), DOORS_CAR, 0),
    (2, "lorries", ("truck", "truck", "truck", "truck", "truck", "std"),
     ("0.9", "1.1", "0.95", "1.2", "0.45"), DOORS_BIG, 8),
    (3, "bikes, plain", ("bikestd",) * 6,
     ("0.4", "0.5", "0.4", "0.6", "0.35"), DOORS_NONE, 3),
    (4, "sports bikes", ("bikespt", "bikestd", "bikespt", "bikestd", "bikespt", "bikestd"),
     ("0.4", "0.5", "0.4", "0.6", "0.35"), DOORS_NONE, 3),
    (5, "scooters", ("scooter", "bikestd", "scooter", "bikestd", "scooter", "bikestd"),
     ("0.35", "0.45", "0.35", "0.55", "0.3"), DOORS_NONE, 3),
    (6, "heavy cruisers", ("cruiser", "bikestd", "cruiser", "bikestd", "cruiser", "bikestd"),
     ("0.5", "0.6", "0.5", "0.7", "0.35"), DOORS_NONE, 3),
    (7, "dirt bikes", ("bikedrt", "bikestd", "bikedrt", "bikestd", "bikedrt", "bikestd"),
     ("0.4", "0.5", "0.4", "0.6", "0.35"), DOORS_NONE, 3),
    (8, "touring bikes", ("tourer", "bikestd", "tourer", "bikestd", "tourer", "bikestd"),
     ("0.45", "0.55", "0.45", "0.65", "0.35"), DOORS_NONE, 3),
    (9, "small pedal bikes", ("pedal", "bmx", "pedal", "bmx", "bmx", "pedal"),
     ("0.3", "0.4", "0.3", "0.5", "0.3"), DOORS_NONE, 67),
    (10, "mountain bikes", ("pedal", "mtb", "pedal", "mtb", "mtb", "pedal"),
     ("0.3", "0.4", "0.3", "0.5", "0.3"), DOORS_NONE, 67),
    (11, "choppers", ("chopper", "bikestd", "chopper", "bikestd", "chopper", "bikestd"),
     ("0.5", "0.6", "0.5", "0.7", "0.35"), DOORS_NONE, 3),
    (12, "quads", ("quad", "bikestd", "quad", "bikestd", "quad", "bikestd"),
     ("0.45", "0.55", "0.45", "0.65", "0.35"), DOORS_NONE, 67),
    (13, "vans", ("van", "van", "van", "van", "std", "std"),
     ("0.6", "0.75", "0.6", "0.9", "0.35"), DOORS_CAR, 0),
    (14, "small propeller planes", ("plane", "plane", "plane", "plane", "plane", "std"),
     ("0.8", "1.0", "0.8", "1.1", "0.5"), DOORS_CAR, 1),
    (15, "coaches", ("coach", "coach", "coach", "coach", "bus", "std"),
     ("1.0", "1.2", "1.0", "1.3", "0.45"), DOORS_BUS, 64),
    (16, "town buses", ("bus", "bus", "bus", "bus", "bus", "std"),
     ("0.9", "1.1", "0.9", "1.2", "0.45"), DOORS_BUS, 65),
    (17, "bulldozers", ("dozer", "truck", "dozer", "truck", "dozer", "std"),
     ("1.0", "1.2", "1.0", "1.3", "0.5"), DOORS_BIG, 8),
    (18, "karts", ("kart",) * 5 + ("std",),
     ("0.45", "0.5", "0.45", "0.6", "0.25"), DOORS_NONE, 71),
    (19, "open-top cars", ("std", "std", "std", "std", "drvopen", "std"),
     ("0.45", "0.65", "0.5", "0.8", "0.3"), DOORS_CAR, 64),
    (20, "monster trucks", ("mtruck", "truck", "mtruck", "truck", "truck", "std"),
     ("1.1", "1.3", "1.1", "1.4", "0.6"), DOORS_BIG, 8),
    (21, "rail carriages", ("rail", "rail", "rail", "rail", "rail", "std"),
     ("0.8", "1.0", "0.8", "1.1", "0.4"), DOORS_BUS, 32),
    (22, "low sports cars", ("low", "std", "low", "std", "drvlow", "std"),
     ("0.55", "0.75", "0.6", "0.9", "0.3"), DOORS_CAR, 0),
    (23, "hovercraft", ("hover",) * 5 + ("std",),
     ("0.7", "0.9", "0.7", "1.0", "0.4"), DOORS_BIG, 16),
    (24, "tanks", ("tank",) * 5 + ("std",),
     ("1.2", "1.5", "1.2", "1.6", "0.6"), DOORS_BIG, 40),
    (25, "beach buggies", ("buggy", "std", "buggy", "std", "buggy", "std"),
     ("0.45", "0.6", "0.45", "0.7", "0.3"), DOORS_NONE, 67),
    (26, "business jets", ("jet", "plane", "jet", "plane", "jet", "std"),
     ("0.9", "1.1", "0.9", "1.2", "0.5"), DOORS_BIG, 0),
    (27, "vertical take-off jets", ("jet", "plane", "jet", "plane", "vtol", "std"),
     ("0.9", "1.1", "0.9", "1.2", "0.5"), DOORS_BIG, 2),
    (28, "tall cars and helicopters", ("upright", "std", "upright", "std", "std", "std"),
     ("0.6", "0.8", "0.65", "0.95", "0.35"), DOORS_CAR, 0),
    (29, "cargo planes", ("plane", "plane", "cargo", "plane", "plane", "std"),
     ("1.0", "1.2", "1.0", "1.3", "0.5"), DOORS_BIG, 1),
]

CHANGELOG = [
    "1.0  first table: cars, lorries and buses",
    "1.1  bikes and their lean values added",
    "1.2  aircraft and boats added, every special vehicle keeps its car line",
    "1.3  the MAQUETTE prototype switched off until it has a model",
    "1.4  old LIBELLE setup switched off, kept below the flying lines",
    "1.5  anim groups for karts, quads and beach buggies",
    "1.6  police cars get stronger engines, VIGILO2 for the motorway unit",
    "1.7  lorry brakes softened, tankers no longer stop dead",
    "1.8  tyre widths checked on every car",
]

# ---------------------------------------------------------------------------
# Value generation


def pick(rng, spec):
    if isinstance(spec, list):
        return spec[rng.randrange(len(spec))]
    low, high, decimals = spec
    value = rng.uniform(low, high)
    if decimals is None:
        return value
    return round(value, decimals)


def car_values(rng, name, fam, anim, mass_range):
    ranges = fam["ranges"]
    values = []
    for key, _, _, _ in CAR_COLUMNS:
        if key == "mflags":
            values.append(flags({d: rng.choice(c) for d, c in fam["mflags"].items()}))
        elif key == "hflags":
            values.append(flags({d: rng.choice(c) for d, c in fam["hflags"].items()}))
        elif key == "anim":
            values.append(str(anim))
        elif key == "mass":
            low, high = mass_range or ranges["mass"][:2]
            values.append(num(round(rng.uniform(low, high) / 10) * 10, 1))
        elif key in ("sub", "money"):
            value = pick(rng, ranges[key])
            values.append(whole(value if key == "sub" else round(value / 500) * 500))
        elif key == "gears":
            values.append(whole(pick(rng, ranges[key])))
        else:
            spec = ranges[key]
            decimals = 1 if isinstance(spec, list) else max(spec[2], 1)
            values.append(num(pick(rng, spec), decimals))
    mshort, hshort = SHORT_FLAGS.get(name, (None, None))
    if mshort is not None:
        values[-3] = mshort
    if hshort is not None:
        values[-2] = hshort
    return values


def ranged_values(rng, specs):
    return [num(pick(rng, s), max(s[2], 1)) for s in specs]


# ---------------------------------------------------------------------------
# Layout: tab-aligned columns


def align_rows(rows):
    """Joins each row's tokens with tabs so that every column starts on a tab stop.

    A column is as wide as its longest token plus at least one tab, rounded up to 8.
    """
    widths = {}
    for row in rows:
        for i, token in enumerate(row):
            widths[i] = max(widths.get(i, 0), len(token))
    starts = [0]
    for i in range(len(widths) - 1):
        starts.append(starts[-1] + (widths[i] // 8 + 1) * 8)
    lines = []
    for row in rows:
        parts = []
        column = 0
        for i, token in enumerate(row):
            if i > 0:
                while column < starts[i]:
                    parts.append("\t")
                    column = (column // 8 + 1) * 8
            parts.append(token)
            column += len(token)
        lines.append("".join(parts))
    return lines


# ---------------------------------------------------------------------------
# The file


class Builder:
    """Lines of the file. Rows of one table are aligned together when rendered,
    even when comments stand between them."""

    def __init__(self):
        self.lines = []  # (kind, payload): "text", "rule" or ("row", table)

    def comment(self, text=""):
        self.lines.append(("text", ";" + (" " + text if text else "")))

    def rule(self):
        self.lines.append(("rule", None))

    def row(self, table, tokens):
        self.lines.append((table, tokens))

    def comment_count(self):
        return sum(1 for kind, payload in self.lines
                   if kind == "rule" or (kind == "text" and payload.startswith(";"))
                   or (kind not in ("text", "rule") and payload[0].startswith(";")))

    def render(self, extra):
        """Text of the file; `extra` dashes are spread over the rule lines."""
        tables = {}
        for kind, payload in self.lines:
            if kind not in ("text", "rule"):
                tables.setdefault(kind, []).append(payload)
        aligned = {name: iter(align_rows(rows)) for name, rows in tables.items()}
        rules = sum(1 for kind, _ in self.lines if kind == "rule")
        out = []
        rule_index = 0
        for kind, payload in self.lines:
            if kind == "rule":
                share = extra // rules + (1 if rule_index < extra % rules else 0)
                rule_index += 1
                out.append(";" + "-" * share)
            elif kind == "text":
                out.append(payload)
            else:
                out.append(next(aligned[kind]))
        return "".join(line + "\n" for line in out)


def doc_table(builder, table, rows):
    """Comment lines that document columns, aligned with tabs like the data."""
    for row in rows:
        builder.row(table, [";"] + row)


def build(changelog_count):
    rng = random.Random(SEED)
    b = Builder()

    b.rule()
    b.comment("Quintrel stock handling table")
    b.rule()
    b.comment("The reference copy of the vehicle handling table that Quintrel carries inside")
    b.comment("itself. Its values are the defaults of every field: the editor shows a value in")
    b.comment("red while it differs from the one written here, and the reset commands bring")
    b.comment("this value back. Vehicles and values are Quintrel's own.")
    b.comment()
    b.comment("One line per vehicle or anim group; values are separated by tabs or blanks.")
    b.comment("The first character of a line tells what the line is:")
    b.comment("  ;  #    comment; a # in front of a data line switches that line off")
    b.comment("  !       bike line:       !  NAME  and 15 values")
    b.comment("  $       flying line:     $  NAME  and 22 values")
    b.comment("  %       boat line:       %  NAME  and 19 values")
    b.comment("  ^       anim group line: ^  NUMBER  and 20 values")
    b.comment("  other   car line:        NAME  and 36 values")
    b.comment("Every bike, aircraft and boat also has a car line under the same name.")
    b.comment("Names: capital letters and digits, ten characters at most.")
    b.comment()
    b.comment("History:")
    for entry in CHANGELOG[:changelog_count]:
        b.comment("  " + entry)
    b.rule()
    b.comment("CAR LINES: the name, then these 36 columns")
    doc_table(b, "cardoc", [["column", "field", "meaning"]]
              + [[c[1], c[2], c[3]] for c in CAR_COLUMNS])
    b.comment()
    b.comment("mFlags: eight hex digits, digit 8 on the left, digit 1 on the right.")
    b.comment("Leading zeros may be left out: 440080 is 00440080.")
    for digit, text in MODEL_FLAG_DOC:
        b.comment(f"  digit {digit}  {text}")
    b.comment("hFlags: the same way.")
    for digit, text in HANDLING_FLAG_DOC:
        b.comment(f"  digit {digit}  {text}")

    special = {"bike": [], "heli": [], "plane": [], "boat": []}
    for heading, fam_name, members in SECTIONS:
        fam = FAMILIES[fam_name]
        if heading:
            b.rule()
            b.comment(heading)
        if fam_name == "saloon":
            b.row("car", [";name"] + [c[1] for c in CAR_COLUMNS])
        for member in members:
            if isinstance(member, tuple):
                name, anim, mass_range = member
            else:
                name, anim, mass_range = member, fam["anim"], None
            b.row("car", [name] + car_values(rng, name, fam, anim, mass_range))
            if fam["kind"]:
                special[fam["kind"]].append(name)
        if fam_name == "old":
            b.comment("Prototype without a model yet, switched off:")
            b.row("car", ["#MAQUETTE"] + car_values(rng, "MAQUETTE", FAMILIES["sport"], 22,
                                                     None))

    b.rule()
    b.comment("BIKE LINES: ! NAME, then these 15 columns")
    doc_table(b, "bikedoc", [[c[1], c[0], c[2]] for c in BIKE_COLUMNS])
    b.row("bike", [";!", "name"] + [c[1] for c in BIKE_COLUMNS])
    for name in special["bike"]:
        b.row("bike", ["!", name] + ranged_values(rng, [c[3] for c in BIKE_COLUMNS]))

    b.rule()
    b.comment("FLYING LINES: $ NAME, then these 22 columns")
    doc_table(b, "flydoc", [[c[1], c[0], c[2]] for c in FLYING_COLUMNS])
    b.row("fly", [";$", "name"] + [c[1] for c in FLYING_COLUMNS])
    for kind, index in (("heli", 3), ("plane", 4)):
        for name in special[kind]:
            b.row("fly", ["$", name] + ranged_values(rng, [c[index] for c in FLYING_COLUMNS]))
    b.comment("Earlier LIBELLE setup, switched off:")
    b.row("fly", ["#$", "LIBELLE"] + ranged_values(rng, [c[3] for c in FLYING_COLUMNS]))

    b.rule()
    b.comment("BOAT LINES: % NAME, then these 19 columns")
    doc_table(b, "boatdoc", [[c[1], c[0], c[2]] for c in BOAT_COLUMNS])
    b.row("boat", [";%", "name"] + [c[1] for c in BOAT_COLUMNS])
    for name in special["boat"]:
        b.row("boat", ["%", name] + ranged_values(rng, [c[3] for c in BOAT_COLUMNS]))

    b.rule()
    b.comment("ANIM GROUP LINES: ^ NUMBER, then these 20 columns")
    doc_table(b, "animdoc", [[c[1], c[0], c[2]] for c in ANIM_COLUMNS])
    b.comment("SpecialFlag bits:")
    for bit, meaning in SPECIAL_FLAG_DOC:
        b.comment(f"  {bit:<3} {meaning}")
    b.comment("The groups, by number:")
    for first in range(0, len(ANIM_GROUPS), 3):
        entries = [f"{g[0]:<3}{g[1]:<26}" for g in ANIM_GROUPS[first:first + 3]]
        b.comment("  " + "".join(entries).rstrip())
    b.row("anim", [";^", "group"] + [c[1] for c in ANIM_COLUMNS])
    for number, _, folders, times, doors, flag in ANIM_GROUPS:
        b.row("anim", ["^", str(number)] + list(folders) + list(times) + list(doors)
              + [str(flag)])
    b.rule()
    return b


def main():
    output = Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_OUTPUT
    fixed = build(0)
    missing = TARGET_COMMENTS - fixed.comment_count()
    if not 0 <= missing <= len(CHANGELOG):
        sys.exit(f"comment lines: {fixed.comment_count()} without history, "
                 f"need {TARGET_COMMENTS}")
    builder = build(missing)
    assert builder.comment_count() == TARGET_COMMENTS
    bare = builder.render(0)
    extra = TARGET_SIZE - len(bare.encode("ascii"))
    rules = sum(1 for kind, _ in builder.lines if kind == "rule")
    if extra < 0 or extra > rules * 95:
        sys.exit(f"size without padding is {len(bare)} bytes, target {TARGET_SIZE}")
    data = builder.render(extra).encode("ascii")
    assert len(data) == TARGET_SIZE
    output.write_bytes(data)
    print(f"{output}: {len(data)} bytes, {len(builder.lines)} lines, "
          f"{len(CHANGELOG[:missing])} history entries, {extra} padding dashes")


if __name__ == "__main__":
    main()
