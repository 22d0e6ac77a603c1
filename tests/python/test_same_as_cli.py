# SPDX-License-Identifier: GPL-3.0-or-later
# The package against `kalibra ... --format json` on every sample file: fit, auto and evaluate
# give the same numbers, compared exactly (the tool writes the shortest text that reads back
# as the same double).
import math

import pytest

import vostra_kalibra as vk
from conftest import DATA_FILES

# (catalog index, options): Binomial, its form with the number of trials fixed from the data,
# Poisson, negative binomial; one of them with every method, one refined.
FITS = [
    (0, {}),
    (1, {}),
    (2, {}),
    (4, {}),
    (4, {"all_methods": True}),
    (2, {"refine": True}),
]


def same(expected, actual):
    """A JSON number against the module's value; null stands for a number that is none."""
    if expected is None:
        return actual is None or (isinstance(actual, float) and math.isnan(actual))
    return expected == actual


def check_method(j, m):
    """One method of the tool's JSON against a MethodResult or FitResult."""
    pairs = {
        "method": m.method,
        "chiSquare": m.chi2,
        "p": m.p,
        "c": m.c,
        "r2": m.r2,
        "df": m.df,
        "status": m.status,
        "statusMessage": m.status_message,
        "refined": m.refined,
    }
    for key, value in pairs.items():
        assert same(j[key], value), (key, j[key], value)
    assert j.get("refinementIncomplete", False) == m.refinement_incomplete
    if "alternatives" in j:
        assert j["alternatives"] == m.alternatives
    if "parameters" in j:
        free = [(p["name"], p["value"]) for p in j["parameters"] if not p["fixed"]]
        fixed = [(p["name"], p["value"]) for p in j["parameters"] if p["fixed"]]
        assert free == list(m.params.items())
        assert fixed == list(m.fixed.items())
    else:
        assert m.params is None


def check_classes(j_classes, r):
    assert [c["x"] for c in j_classes] == r.x.tolist()
    assert [c["f"] for c in j_classes] == r.f.tolist()
    assert [c["np"] for c in j_classes] == r.expected.tolist()
    assert [c["pooledInto"] for c in j_classes] == [None if p < 0 else p for p in r.pooled_into.tolist()]


def cli_options(options):
    args = []
    if options.get("all_methods"):
        args.append("--all-methods")
    if options.get("refine"):
        args.append("--refine")
    return args


@pytest.mark.parametrize("path", DATA_FILES, ids=lambda p: p.stem)
def test_fit(cli, path):
    procs = [cli.start("fit", path, "-d", index, *cli_options(o)) for index, o in FITS]
    data = vk.read(path)
    for (index, options), proc in zip(FITS, procs):
        code, j, err = cli.finish(proc)
        if j is None or "best" not in j:
            # The tool found no result; the module raises with the same status.
            with pytest.raises(vk.KalibraError) as e:
                vk.fit(data, index, **options)
            assert e.value.code == code, err
            continue
        r = vk.fit(data, index, **options)
        assert code == r.status == j["status"]
        assert (r.index, r.name) == (j["distribution"]["index"], j["distribution"]["name"])
        check_method(j["best"], r)
        check_classes(j["classes"], r)
        assert (j["total"]["f"], j["total"]["np"]) == (r.total_f, r.total_np)
        assert len(j["methods"]) == len(r.methods)
        for jm, m in zip(j["methods"], r.methods):
            check_method(jm, m)


@pytest.mark.parametrize("path", DATA_FILES, ids=lambda p: p.stem)
def test_auto(cli, path):
    proc = cli.start("auto", path, "--sort", "p")
    rows = vk.auto(vk.read(path), sort="p")
    code, j, _ = cli.finish(proc)
    assert j["status"] == code
    assert len(rows) == len(j["distributions"]) > 0
    for jr, r in zip(j["distributions"], rows):
        assert (jr["index"], jr["name"]) == (r.index, r.name)
        for key, value in {"chiSquare": r.chi2, "p": r.p, "c": r.c, "df": r.df, "r2": r.r2,
                           "status": r.status, "statusMessage": r.status_message,
                           "refined": r.refined}.items():
            assert same(jr[key], value), (r.name, key, jr[key], value)


def test_auto_in_catalog_order_and_top(cli):
    path = DATA_FILES[0]
    proc = cli.start("auto", path)
    all_rows = vk.auto(path, sort=None)
    _, j, _ = cli.finish(proc)
    assert [r.index for r in all_rows] == [d["index"] for d in j["distributions"]]
    assert vk.auto(path, sort="p", top=3) == vk.auto(path, sort="p")[:3]


@pytest.mark.parametrize("path", DATA_FILES, ids=lambda p: p.stem)
def test_evaluate(cli, path):
    data = vk.read(path)
    # The negative binomial's fitted parameters, then the same moved off the optimum; the
    # Poisson at the mean and beside it; a vector far outside the domain is corrected into it
    # the same way.
    best = list(vk.fit(data, 4).params.values())
    mean = data.stats()["m1"]
    cases = [(4, best), (4, [v * 1.1 for v in best]), (2, [mean]), (2, [mean * 0.9]),
             (4, [-5.0, 7.0])]
    procs = [cli.start("evaluate", path, "-d", i, "--parameters=" + ",".join(repr(v) for v in vs))
             for i, vs in cases]
    for (index, values), proc in zip(cases, procs):
        code, j, err = cli.finish(proc)
        if j is None:
            with pytest.raises(vk.KalibraError) as e:
                vk.evaluate(data, index, values)
            assert e.value.code == code, err
            continue
        e = vk.evaluate(data, index, values)
        assert code == e.status == j["status"]
        for key, value in {"chiSquare": e.chi2, "classes": e.classes, "df": e.df, "p": e.p,
                           "c": e.c, "r2": e.r2,
                           "enoughDegreesOfFreedom": e.enough_df}.items():
            assert same(j[key], value), (key, j[key], value)
        assert [(p["name"], p["value"]) for p in j["parameters"] if not p["fixed"]] == list(e.params.items())
        check_classes(j["expected"], e)


@pytest.mark.parametrize("path", DATA_FILES, ids=lambda p: p.stem)
def test_stats(cli, path):
    _, j, _ = cli.run("stats", path)
    keys = {"N": "n", "parityK": "parity_k", "ordI": "ord_i", "ordS": "ord_s",
            "repeatRate": "repeat_rate", "lastClassIndex": "last_class_index",
            "modeGroupIndex": "mode_group_index"}
    data = vk.read(path)
    stats = data.stats()
    assert len(stats) == len(j["statistics"])
    for key, value in j["statistics"].items():
        assert same(value, stats[keys.get(key, key)]), key
    assert [c["x"] for c in j["classes"]] == data.x.tolist()
    assert [c["f"] for c in j["classes"]] == data.f.tolist()


def test_catalog(cli):
    _, j, _ = cli.run("list")
    members = vk.catalog()
    assert len(members) == len(j["distributions"])
    for jd, d in zip(j["distributions"], members):
        assert (jd["index"], jd["name"], jd["automatic"], jd["special"], jd["alternatives"]) == (
            d.index, d.name, d.automatic, d.special, d.methods)
        assert [p["name"] for p in jd["parameters"]] == list(d.parameters)
        assert [(p["name"], p["condition"]) for p in jd["fixedParameters"]] == [
            (p.name, p.condition) for p in d.fixed_parameters]


# (file stem, options of vk.special, the command line's options): the default grid, then with a
# coefficient held fixed at 0.
SPECIAL = [
    ("alpha-particles", {}, []),
    ("gpl3-word-letters", {"fix": ["a2"]}, ["--fix", "a2"]),
]


@pytest.mark.parametrize("stem,options,cli_args", SPECIAL, ids=[s[0] for s in SPECIAL])
def test_special(cli, stem, options, cli_args):
    path = next(p for p in DATA_FILES if p.stem == stem)
    proc = cli.start("special", path, *cli_args)
    r = vk.special(vk.read(path), **options)
    code, j, _ = cli.finish(proc)
    assert code == r.status == j["status"]
    check_method(j["best"], r)
    check_classes(j["classes"], r)
    assert len(j["methods"]) == len(r.methods)
    for jm, m in zip(j["methods"], r.methods):
        check_method(jm, m)
    assert sorted(r.fixed) == sorted(options.get("fix", []))
