# SPDX-License-Identifier: GPL-3.0-or-later
# Fixed parameters (given, or read off the data) and the refinement, against the command line
# and against values computed here from the data.
from fractions import Fraction

import pytest

import vostra_kalibra as vk
from conftest import DATA_FILES
from test_same_as_cli import check_classes, check_method

FILES = {p.stem: p for p in DATA_FILES}

# (file, distribution, given values, the command line's --fixed options)
GIVEN = [
    ("horse-kicks", 9, {"p": 0.3}, ["--fixed", "p=0.3"]),
    ("shell-accidents", 26, {"k": 2.5}, ["--fixed", "k=2.5"]),
    ("alpha-particles", 1, {"n": 25}, ["--fixed", "n=25"]),
    ("shell-accidents", 69, {"k": 3, "l": 2, "c": 0.5}, ["--fixed", "k=3", "--fixed", "l=2", "--fixed", "c=0.5"]),
]


@pytest.mark.parametrize("stem,index,given,options", GIVEN, ids=[g[0] + "-" + str(g[1]) for g in GIVEN])
def test_given_values_as_the_command_line(cli, stem, index, given, options):
    proc = cli.start("fit", FILES[stem], "-d", index, *options)
    r = vk.fit(vk.read(FILES[stem]), index, fixed=given)
    code, j, _ = cli.finish(proc)
    assert r.status == code
    check_method(j["best"], r)
    check_classes(j["classes"], r)
    assert r.fixed == {k: float(v) for k, v in given.items()}


def test_values_read_off_the_data():
    # Binomial (fixed n): n is the largest x; zero-modified logarithmic: b = 1 - f(0)/N with N
    # the whole-number total, computed here with exact fractions.
    data = vk.read(FILES["alpha-particles"])
    assert vk.fit(data, 1).fixed == {"n": float(data.x[-1])}
    data = vk.read(FILES["horse-kicks"])
    f = [Fraction(v) for v in data.f.tolist()]
    total = int(sum(f))
    b = 1 - f[0] / total
    assert vk.fit(data, 72).fixed == pytest.approx({"b": float(b)}, rel=1e-15)


def test_given_value_takes_precedence_over_the_data():
    data = vk.read(FILES["alpha-particles"])
    auto_n = vk.fit(data, 1)
    given = vk.fit(data, 1, fixed={"n": data.x[-1] + 5})
    assert given.fixed["n"] == data.x[-1] + 5
    assert given.params != auto_n.params


def test_missing_fixed_value_names_the_parameter():
    with pytest.raises(vk.KalibraUsageError) as e:
        vk.fit(vk.read(FILES["horse-kicks"]), 9)
    assert "'p'" in e.value.message and e.value.code == 64


@pytest.mark.parametrize("stem", sorted(FILES))
@pytest.mark.parametrize("index", [4, 6])
def test_refinement_never_worse(stem, index):
    data = vk.read(FILES[stem])
    try:
        classic = vk.fit(data, index)
    except vk.KalibraError:
        pytest.skip("no classic result to improve on")
    refined = vk.fit(data, index, refine=True)
    same_by_settings = vk.fit(data, index, settings=vk.Settings(refine=True))
    assert refined.to_dict() == same_by_settings.to_dict()
    if classic.status == 0 and refined.status == 0:
        assert refined.chi2 <= classic.chi2
    assert not classic.refined
    # refine=False overrides settings that ask for it.
    assert vk.fit(data, index, refine=False, settings=vk.Settings(refine=True)).chi2 == classic.chi2
