#!/usr/bin/env python3
"""Quick self-check of the shipped table rows under data/.

    python3 tools/check_data.py

Checks the header of each file, column widths (in characters), unique keys,
Boolean columns, and a few cross-table facts (municipality states, message
kinds). Exits 1 and lists the faults when anything is wrong.
"""
import sys
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent / "data"

# file: [(column, width or "bool")...], key columns
SCHEMA = {
    "tb8MUNIC": ([("CoMunicipio", 7), ("NoMunicipio", 40), ("CoCep", 5), ("InFaixa", 1)], ["CoMunicipio"]),
    "TbUf": ([("CoUf", 2), ("SgUf", 2), ("NoUf", 19)], ["CoUf"]),
    "tb8Cnae": ([("CoCnae", 7), ("NoCnae", 200)], ["CoCnae"]),
    "tb8NATJU": ([("CoNaturezaJuridica", 4), ("NoNaturezaJuridica", 100)], ["CoNaturezaJuridica"]),
    "tb8NACIO": ([("CoNacionalidade", 2), ("NoNacionalidade", 30)], ["CoNacionalidade"]),
    "tb8MSG": ([("NuMensagem", 4), ("TpMensagem", 5), ("TxMensagem", 200)], ["NuMensagem"]),
    "tb8INSTR": ([("CoInstrucao", 2), ("NoInstrucao", 150)], ["CoInstrucao"]),
    "tb8TPADM": ([("CoTipoAdmissao", 1), ("NoTipoAdmissao", 190)], ["CoTipoAdmissao"]),
    "tb8cbo": ([("CoCbo", 6), ("NoCbo", 200), ("InCriticaAna", "bool"), ("InCriticaCbo", "bool")], ["CoCbo"]),
    "tb8vinc": ([("CoVinculo", 2), ("NoVinculo", 150)], ["CoVinculo"]),
    "tb8DESL": ([("CoCausaDesligamento", 2), ("NoCausaDesligamento", 190)], ["CoCausaDesligamento"]),
    "tb8TPSAL": ([("CoTipoSalarioContratual", 1), ("NoTipoSalarioContratual", 10)], ["CoTipoSalarioContratual"]),
    "tb8FXCEP": ([("CoMunicipio", 7), ("CoCep1Inicial", 5), ("CoCep1Final", 5), ("CoCep2Inicial", 5), ("CoCep2Final", 5)], ["CoMunicipio"]),
    "Tb8raca": ([("CoRaca", 1), ("NoRaca", 160)], ["CoRaca"]),
    "tb8Afast": ([("CoAfastamento", 2), ("NoAfastamento", 50)], ["CoAfastamento"]),
    "tbDefi": ([("CoTipoDeficiencia", 1), ("NoTipoDeficiencia", 50)], ["CoTipoDeficiencia"]),
    "tbEmpreg": ([("CoCnpjEmpregador", 14)], ["CoCnpjEmpregador"]),
    "tbTrab": ([("CoCnpjTrabalhadores", 14)], ["CoCnpjTrabalhadores"]),
    "tbSindic": ([("CoCnpjCentrSindical", 14)], ["CoCnpjCentrSindical"]),
    "PISINDEV": ([("CoPisPasep", 11), ("NoEmpregado", 73)], ["CoPisPasep"]),
    "TBUFCEP": ([("CoUf", 2), ("IdUf", 1), ("CoCepInicial", 5), ("CoCepFinal", 5)], ["CoUf", "IdUf"]),
    "TB8BASE": ([("MeDataBase", 2), ("NoMes", 20)], ["MeDataBase"]),
}

faults = []


def fault(msg):
    faults.append(msg)


def load(name):
    path = DATA / f"{name}.tsv"
    if not path.exists():
        fault(f"{path.name}: missing")
        return []
    raw = path.read_bytes()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        fault(f"{path.name}: not UTF-8 ({e})")
        return []
    if "\r" in text:
        fault(f"{path.name}: carriage return found")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    cols, keys = SCHEMA[name]
    header = [c for c, _ in cols]
    if lines[0].split("\t") != header:
        fault(f"{path.name}: header {lines[0]!r}, expected {header}")
    rows, seen = [], set()
    for n, line in enumerate(lines[1:], start=2):
        values = line.split("\t")
        if len(values) != len(cols):
            fault(f"{path.name}:{n}: {len(values)} values, expected {len(cols)}")
            continue
        for (col, width), v in zip(cols, values):
            if width == "bool":
                if v not in ("0", "1"):
                    fault(f"{path.name}:{n}: {col} {v!r} is not 0/1")
            elif len(v) > width:
                fault(f"{path.name}:{n}: {col} has {len(v)} characters, width {width}")
            if v != v.strip():
                fault(f"{path.name}:{n}: {col} has surrounding blanks")
        key = tuple(values[header.index(k)] for k in keys)
        if key in seen:
            fault(f"{path.name}:{n}: duplicate key {key}")
        seen.add(key)
        rows.append(dict(zip(header, values)))
    return rows


tables = {name: load(name) for name in SCHEMA}

states = {r["CoUf"] for r in tables["TbUf"]}
if len(states) != 27:
    fault(f"TbUf: {len(states)} states")
munic = {r["CoMunicipio"]: r for r in tables["tb8MUNIC"]}
for code, r in munic.items():
    if not code.isdigit() or len(code) not in (2, 7):
        fault(f"tb8MUNIC: code {code!r}")
    if code[:2] not in states:
        fault(f"tb8MUNIC: {code} of unknown state")
    if r["InFaixa"] not in ("0", "1"):
        fault(f"tb8MUNIC: {code} InFaixa {r['InFaixa']!r}")
for s in states:
    if s not in munic:
        fault(f"tb8MUNIC: state row {s} missing")
for r in tables["tb8FXCEP"]:
    m = munic.get(r["CoMunicipio"])
    if not m or m["InFaixa"] != "1":
        fault(f"tb8FXCEP: {r['CoMunicipio']} not marked InFaixa 1 in tb8MUNIC")
    for a, b in (("CoCep1Inicial", "CoCep1Final"), ("CoCep2Inicial", "CoCep2Final")):
        if not (len(r[a]) == len(r[b]) == 5 and r[a] <= r[b]):
            fault(f"tb8FXCEP: {r['CoMunicipio']} bad range {r[a]}-{r[b]}")
for r in tables["TBUFCEP"]:
    if r["CoUf"] not in states or not (len(r["CoCepInicial"]) == 5 and r["CoCepInicial"] <= r["CoCepFinal"]):
        fault(f"TBUFCEP: bad row {r}")
for r in tables["tb8MSG"]:
    code = r["NuMensagem"]
    if not (len(code) == 4 and code.isdigit()) or code == "0000":
        fault(f"tb8MSG: code {code!r}")
    if r["TpMensagem"] not in ("CNF", "WAR", "INF", "ERR"):
        fault(f"tb8MSG: {code} kind {r['TpMensagem']!r}")
    if not r["TxMensagem"].strip():
        fault(f"tb8MSG: {code} empty text")
codes = [r["NuMensagem"] for r in tables["tb8MSG"]]
if codes != sorted(codes):
    fault("tb8MSG: not sorted by code")
cbo = {r["CoCbo"] for r in tables["tb8cbo"]}
for c in cbo:
    if len(c) == 6:
        for p in (c[:2], c[:3], c[:4]):
            if p not in cbo:
                fault(f"tb8cbo: {c} lacks its group {p}")
    elif len(c) not in (2, 3, 4):
        fault(f"tb8cbo: code {c!r} of length {len(c)}")
cnae = {r["CoCnae"] for r in tables["tb8Cnae"]}
for c in cnae:
    if len(c) == 7 and c[:2] not in cnae:
        fault(f"tb8Cnae: {c} lacks its division {c[:2]}")
    elif len(c) not in (2, 7):
        fault(f"tb8Cnae: code {c!r} of length {len(c)}")
natju = {r["CoNaturezaJuridica"] for r in tables["tb8NATJU"]}
for c in natju:
    if len(c) == 4 and c[0] not in natju:
        fault(f"tb8NATJU: {c} lacks its group {c[0]}")

for name, rows in tables.items():
    print(f"{name}: {len(rows)} rows")
if faults:
    print("\n".join(faults), file=sys.stderr)
    sys.exit(1)
print("ok")
