#!/usr/bin/env python3
"""Writes src/image/sensor_reference_tables.cpp: the per-degree signal of every sensor type.

Each value is the exact decimal value of the sensor's reference function at the whole degree,
rounded to 0.001 with ties to even, and is stored as an integer count of thousandths (of an Ohm
or of a millivolt). The polynomials are evaluated with exact fractions of their decimal
coefficients; Pt100 has exact ties (138.5055 at 100 degC) that a double evaluation rounds the
wrong way. Only the exponential term of type K is not rational; it is evaluated with 60
significant digits, far beyond any tie.

Usage: tools/generate_reference_tables.py [REFERENCE_JSON [OUTPUT_CPP]]
Defaults: tools/sensor_reference_functions.json and src/image/sensor_reference_tables.cpp.
Standard library only; the output is checked in, so the build needs no Python.
"""

import decimal
import json
import sys
from fractions import Fraction
from pathlib import Path

decimal.getcontext().prec = 60

# Ni100 in Ohm from -60 to 159 degC, ten values a row; from 160 degC on the characteristic rises by
# exactly 0.82 Ohm per degree from 206.700 Ohm.
NI100_FIRST = -60
NI100_ROWS = """
69.515 69.975 70.436 70.900 71.366 71.833 72.303 72.774 73.247 73.722
74.199 74.677 75.158 75.640 76.123 76.609 77.096 77.585 78.075 78.568
79.061 79.557 80.054 80.552 81.052 81.554 82.057 82.562 83.068 83.576
84.085 84.595 85.107 85.621 86.136 86.652 87.170 87.689 88.210 88.732
89.255 89.780 90.306 90.833 91.362 91.892 92.424 92.956 93.491 94.026
94.563 95.101 95.640 96.180 96.722 97.265 97.810 98.355 98.902 99.451
100.000 100.551 101.103 101.656 102.210 102.766 103.323 103.881 104.441 105.002
105.564 106.127 106.691 107.257 107.824 108.392 108.962 109.532 110.104 110.678
111.252 111.828 112.405 112.983 113.563 114.144 114.726 115.309 115.894 116.480
117.067 117.655 118.245 118.836 119.428 120.022 120.617 121.213 121.811 122.410
123.010 123.612 124.215 124.819 125.425 126.032 126.640 127.250 127.861 128.474
129.088 129.703 130.320 130.938 131.557 132.178 132.801 133.425 134.050 134.677
135.305 135.934 136.566 137.198 137.832 138.468 139.105 139.743 140.384 141.025
141.668 142.313 142.959 143.607 144.256 144.907 145.560 146.214 146.870 147.527
148.186 148.846 149.508 150.172 150.838 151.505 152.173 152.844 153.516 154.189
154.865 155.542 156.221 156.901 157.583 158.267 158.953 159.640 160.329 161.020
161.713 162.407 163.104 163.802 164.501 165.203 165.906 166.611 167.318 168.027
168.737 169.450 170.164 170.880 171.598 172.318 173.039 173.763 174.488 175.215
175.945 176.676 177.408 178.143 178.880 179.618 180.359 181.101 181.845 182.591
183.339 184.089 184.841 185.595 186.351 187.109 187.868 188.630 189.393 190.159
190.926 191.695 192.466 193.240 194.015 194.792 195.571 196.352 197.134 197.919
198.706 199.495 200.285 201.078 201.872 202.669 203.467 204.267 205.069 205.873
"""
NI100_LINEAR_FROM = 160
NI100_LINEAR_START = Fraction("206.700")
NI100_LINEAR_STEP = Fraction("0.82")
NI100_LAST = 190


def thousandths(value):
    """Integer thousandths of an exact value, ties to even."""
    if isinstance(value, Fraction):
        return round(value * 1000)  # Fraction rounds half to even
    return int((value * 1000).quantize(decimal.Decimal(1), rounding=decimal.ROUND_HALF_EVEN))


def polynomial(coefficients, t):
    return sum((c * Fraction(t) ** i for i, c in enumerate(coefficients)), Fraction(0))


def to_decimal(fraction):
    return decimal.Decimal(fraction.numerator) / decimal.Decimal(fraction.denominator)


def thermocouple_function(definition):
    """E(t) in mV as an exact Fraction, or a 60-digit Decimal where an exponential term applies."""
    ranges = definition["ranges"]
    exponential = definition.get("exponential")

    def value(t):
        holding = [r for r in ranges if r["t_min"] <= t <= r["t_max"]]
        if not holding:
            raise ValueError(f"{t} degC lies outside the reference function")
        results = []
        for r in holding:
            e = polynomial(r["c"], t)
            if exponential is not None and t >= 0 and r["t_min"] >= 0:
                a0, a1, a2 = exponential["a0"], exponential["a1"], exponential["a2"]
                e = to_decimal(e) + to_decimal(a0) * (to_decimal(a1) * to_decimal((t - a2) ** 2)).exp()
            results.append(e)
        # On a boundary shared by two ranges both pieces must give the same table value.
        if len({thousandths(e) for e in results}) != 1:
            raise ValueError(f"the ranges disagree at {t} degC")
        return results[-1]

    return value


def linear_continuation(base, step, from_t):
    return lambda t: base + step * (t - from_t)


def thermocouple_table(definition, first, last, standard_up_to=None, per_degree=None):
    function = thermocouple_function(definition)
    values = []
    base = None
    for t in range(first, last + 1):
        if standard_up_to is not None and t > standard_up_to:
            values.append(thousandths(base + per_degree * (t - standard_up_to)))
        else:
            values.append(thousandths(function(t)))
            if t == standard_up_to:
                # The continuation starts from the table value, not from the function.
                base = Fraction(values[-1], 1000)
    return values


def pt100_table(p, first, last):
    r0, a, b, c = p["R0"], p["A"], p["B"], p["C"]
    values = []
    for t in range(first, last + 1):
        ft = Fraction(t)
        r = 1 + a * ft + b * ft * ft
        if t < 0:
            r += c * (ft - 100) * ft ** 3
        values.append(thousandths(r0 * r))
    return values


def ni100_table():
    values = [thousandths(Fraction(v)) for v in NI100_ROWS.split()]
    assert len(values) == NI100_LINEAR_FROM - NI100_FIRST
    for t in range(NI100_LINEAR_FROM, NI100_LAST + 1):
        values.append(thousandths(NI100_LINEAR_START + NI100_LINEAR_STEP * (t - NI100_LINEAR_FROM)))
    return values


def build_tables(reference):
    tc = reference["thermocouples"]
    tables = [
        ("Pt100", -200, pt100_table(reference["pt100"], -200, 850)),
        ("Ni100", NI100_FIRST, ni100_table()),
        ("B", 40, thermocouple_table(tc["B"], 40, 1900, 1820, Fraction("0.01145"))),
        ("R", -40, thermocouple_table(tc["R"], -40, 1768)),
        ("S", -40, thermocouple_table(tc["S"], -40, 1768)),
        ("N", -260, thermocouple_table(tc["N"], -260, 1400, 1300, Fraction("0.034"))),
        ("K", -260, thermocouple_table(tc["K"], -260, 1372)),
        ("J", -200, thermocouple_table(tc["J"], -200, 1200)),
        ("T", -260, thermocouple_table(tc["T"], -260, 419, 400, Fraction("0.062"))),
    ]
    for name, _, values in tables:
        # B is flat to 0.001 mV near room temperature; no signal may fall with temperature.
        if any(b < a for a, b in zip(values, values[1:])):
            raise ValueError(f"{name}: the signal falls with temperature")
    return tables


def check(tables, reference):
    by_name = {name: (first, values) for name, first, values in tables}
    checks = dict(reference["check_values_mV"])
    checks.update(reference["check_values_ohm"])
    for key, expected in checks.items():
        name, t = key.split("@")
        first, values = by_name[name]
        got = values[int(t) - first]
        if got != round(Fraction(str(expected)) * 1000):
            raise ValueError(f"{key}: {got / 1000} against the check value {expected}")


def render(tables):
    out = [
        "// Generated by tools/generate_reference_tables.py from the sensors' reference functions;",
        "// do not edit. Signal at every whole degree in thousandths of an Ohm (resistance",
        "// thermometers) or of a millivolt (thermocouples), the exact value rounded half to even.",
        "",
        '#include "image/sensor_reference_tables.h"',
        "",
        "#include <array>",
        "",
        "// clang-format off",
        "namespace tadjust {",
        "namespace {",
        "",
        "template <std::size_t N>",
        "constexpr std::array<double, N> toSignals(const std::array<std::int32_t, N>& thousandths) {",
        "  std::array<double, N> signalValues{};",
        "  for (std::size_t i = 0; i < N; ++i) signalValues[i] = thousandths[i] / 1000.0;",
        "  return signalValues;",
        "}",
        "",
    ]
    for name, first, values in tables:
        out.append(f"// {name}: {first} to {first + len(values) - 1} degC.")
        out.append(f"constexpr std::array<std::int32_t, {len(values)}> k{name}Thousandths = {{")
        for i in range(0, len(values), 10):
            out.append("    " + ", ".join(str(v) for v in values[i:i + 10]) + ",")
        out.append("};")
        out.append(f"constexpr auto k{name}Signals = toSignals(k{name}Thousandths);")
        out.append("")
    out.append(f"const std::array<SensorReferenceTable, {len(tables)}> kTables = {{{{")
    for name, first, values in tables:
        out.append(f"    {{{first}, k{name}Thousandths, k{name}Signals}},")
    out.append("}};")
    out += [
        "",
        "}  // namespace",
        "",
        "const SensorReferenceTable& sensorReferenceTable(SensorType sensorType) {",
        "  return kTables.at(static_cast<std::size_t>(entryOf(sensorType)));",
        "}",
        "",
        "}  // namespace tadjust",
        "// clang-format on",
        "",
    ]
    return "\n".join(out)


def main():
    here = Path(__file__).resolve().parent.parent
    source = Path(sys.argv[1]) if len(sys.argv) > 1 else here / "tools/sensor_reference_functions.json"
    target = Path(sys.argv[2]) if len(sys.argv) > 2 else here / "src/image/sensor_reference_tables.cpp"
    # Coefficients are taken as the exact decimals they are written as.
    reference = json.loads(source.read_text(), parse_float=Fraction)
    tables = build_tables(reference)
    check(tables, reference)
    target.write_text(render(tables))
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
