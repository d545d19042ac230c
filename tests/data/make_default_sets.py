#!/usr/bin/env python3
"""Builds the reference parameter files default_bike0.ign .. default_bike4.ign and pattern.ign.

Each file is what the program must write for the default set of one motorbike type, set on an
all-zero image with BIKE holding the type and the extended monitor off. The values are written
here as the editor shows them (rpm, degrees, mV, ...), straight from the default tables, and the
layout is built line by line, independently of the program's own writer. pattern.ign holds an
image whose bytes all differ from their neighbours (see build_pattern).
"""
import os

COMMON_AXIS = [1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000]
AXIS3 = [1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 10000, 12000]

ADVANCE = {
    0: [7, 15, 25, 29, 35, 32, 31, 30, 33, 33],
    1: [5, 10, 23, 40, 40, 40, 40, 37, 37, 37],
    2: [5, 10, 23, 40, 40, 40, 40, 37, 37, 37],
    3: [13, 16, 31, 39, 39, 39, 38, 38, 38, 38],
    4: [5, 10, 23, 40, 40, 40, 40, 37, 37, 37],
}
LIMITER2 = {0: 14000, 1: 12000, 2: 10500, 3: 11000, 4: 12000}
PILOT = {0: 12000, 1: 10000, 2: 9000, 3: 9000, 4: 10000}
BLOK = {0: 1, 1: 1, 2: 1, 3: 0, 4: 1}
WATER = {0: [136, 125, 111, 100, 99], 1: [160, 139, 126, 100, 100], 3: [139, 110, 104, 100, 99]}
AIR = {0: [119, 109, 100, 100, 100], 1: [121, 105, 100, 98, 98], 3: [121, 110, 100, 97, 97]}
RPM_PRIV = {0: [0] * 10,
            1: [2500, 2600, 6300, 6400, 15000, 15100, 15200, 15300, 15400, 16000],
            3: COMMON_AXIS}
NAP_PRIV = {0: [0] * 10,
            1: [2700, 4520, 4520] + [480] * 7,
            3: [2000, 2100, 2200, 2300, 2400, 2500, 2600, 2700, 2800, 2900]}


def family(bike):
    return 1 if bike in (1, 2, 4) else bike


def f(values):
    return "".join("%5u " % v for v in values)


def key(name):
    return name.ljust(12)


def map_lines(name):
    row = f([100] * 10)
    lines = [key(name) + row] + [" " * 12 + row for _ in range(9)] + [" " * 12]
    return lines


def build(bike):
    fam = family(bike)
    axis = AXIS3 if bike == 3 else COMMON_AXIS
    lines = []
    lines.append("VELMAROK_KEY  " + " 43 ")
    lines.append(key("RPM_ADV") + f(axis))
    lines.append(key("ADVANCE") + f(ADVANCE[bike]))
    lines.append("")
    lines.append("RPM" + " " * 10 + "%5u " % 2 + "%5d " % 0)
    lines.append(key("LIMITER2") + f([LIMITER2[bike]]))
    lines.append(key("PILOT_LIGHT") + f([PILOT[bike], 6000]))
    lines.append("")
    lines.append(key("BIKE") + f([bike]))
    lines.append(key("EXT_MON") + "    0")
    lines.append(key("BLOK_ENABLE") + f([BLOK[bike]]))
    lines.append(key("IAP_TO_TPS") + f([5]))
    lines.append(key("TPS_MODE") + f([1]))
    lines.append("")
    lines.append(key("RPM_JET_TP") + f(axis))
    lines += map_lines("JET_TP")
    lines.append("")
    lines.append(key("RPM_JET_TPi") + f(axis))
    lines += map_lines("JET_TPi")
    lines.append("")
    lines.append(key("RPM_JET_IAP") + f(axis))
    lines += map_lines("JET_IAP")
    lines.append(key("TPS") + f([500, 4420]))
    lines.append(key("ACCEL") + f([300, 2520]))
    lines.append(key("START_JET") + f([10]))
    lines.append(key("COOLING") + f([100]))
    lines.append(key("WATER_TEMP") + f(WATER[fam]))
    lines.append(key("CHOKE") + f([5, 10, 15, 20]))
    lines.append(f([250, 150, 130, 110]))
    lines.append(key("AIR_TEMP") + f(AIR[fam]))
    lines.append("")
    lines.append("PRIV_ENABLE" + "     1")
    lines.append("PRIV_HYSTER" + " " + "%5u " % 200)
    lines.append(key("RPM_PRIV") + f(RPM_PRIV[fam]))
    lines.append(key("NAP_PRIV") + f(NAP_PRIV[fam]))
    lines.append("")
    lines.append(key("TUNING") + f([800, 50, 100, 1, 1000]))
    assert len(lines) == 67
    return "\r\n".join(lines).encode("ascii")


def pattern_byte(b):
    """Image byte b of the pattern image: every byte a different value from its neighbours."""
    return (b * 37 + 11) % 256


def build_pattern():
    """The file of the pattern image with the extended monitor on, built from the image byte
    positions and scales of the key table, so that a byte in the wrong place shows up."""
    im = [pattern_byte(b) for b in range(600)]

    def span(first, count, scale=1, pre=0):
        return [(im[b] + pre) * scale for b in range(first, first + count)]

    def map_block(name, first):
        rows = [f(span(first + 10 * r, 10)) for r in range(10)]
        return [key(name) + rows[0]] + [" " * 12 + row for row in rows[1:]] + [" " * 12]

    lines = []
    lines.append("VELMAROK_KEY  " + " 43 ")
    lines.append(key("RPM_ADV") + f(span(210, 10, 100)))
    lines.append(key("ADVANCE") + f(span(220, 10)))
    lines.append("")
    lines.append("RPM" + " " * 10 + "%5u " % im[102] + "%5d " % (im[103] - 100))
    lines.append(key("LIMITER2") + f(span(104, 1, 100)))
    lines.append(key("PILOT_LIGHT") + f(span(106, 1, 100) + span(150, 1, 100)))
    lines.append("")
    lines.append(key("BIKE") + f([im[100]]))
    lines.append(key("EXT_MON") + "    1")
    lines.append(key("BLOK_ENABLE") + f([im[112]]))
    lines.append(key("IAP_TO_TPS") + f([im[113]]))
    lines.append(key("TPS_MODE") + f([im[137]]))
    lines.append("")
    lines.append(key("RPM_JET_TP") + f(span(260, 10, 100)))
    lines += map_block("JET_TP", 300)
    lines.append("")
    lines.append(key("RPM_JET_TPi") + f(span(270, 10, 100)))
    lines += map_block("JET_TPi", 400)
    lines.append("")
    lines.append(key("RPM_JET_IAP") + f(span(280, 10, 100)))
    lines += map_block("JET_IAP", 500)
    lines.append(key("TPS") + f(span(121, 1, 10) + span(122, 1, 10, 250)))
    lines.append(key("ACCEL") + f(span(123, 1, 10) + span(124, 1, 30)))
    lines.append(key("START_JET") + f([im[127]]))
    lines.append(key("COOLING") + f([im[129]]))
    lines.append(key("WATER_TEMP") + f(span(200, 5)))
    lines.append(key("CHOKE") + f(span(140, 4)))
    lines.append(f(span(144, 4, 1, 100)))
    lines.append(key("AIR_TEMP") + f(span(205, 5)))
    lines.append("")
    lines.append("PRIV_ENABLE" + ("     1" if im[111] else "     0"))
    lines.append("PRIV_HYSTER" + " " + "%5u " % (im[108] * 5))
    lines.append(key("RPM_PRIV") + f(span(240, 10, 100)))
    lines.append(key("NAP_PRIV") + f(span(250, 10, 20)))
    lines.append("")
    lines.append(key("TUNING") + f(span(151, 3, 10) + [im[154], im[155] * 100]))
    assert len(lines) == 67
    return "\r\n".join(lines).encode("ascii")


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for bike in range(5):
        with open(os.path.join(here, "default_bike%d.ign" % bike), "wb") as out:
            out.write(build(bike))
    with open(os.path.join(here, "pattern.ign"), "wb") as out:
        out.write(build_pattern())
