# SPDX-License-Identifier: GPL-3.0-or-later
# Data sets from arrays and from files; statistics against values computed here.
from fractions import Fraction

import numpy as np
import pytest

import vostra_kalibra as vk
from conftest import DATA_FILES


def records(path):
    rows = [line.split() for line in path.read_text().splitlines() if line.strip()]
    return [int(r[0]) for r in rows], [float(r[1]) for r in rows]


@pytest.mark.parametrize("path", DATA_FILES, ids=lambda p: p.stem)
def test_arrays_read_as_the_file(path):
    x, f = records(path)
    from_arrays = vk.Data(x, f)
    from_file = vk.read(path)
    assert from_arrays.x.tolist() == from_file.x.tolist()
    assert from_arrays.f.tolist() == from_file.f.tolist()
    assert from_arrays.stats() == from_file.stats()
    assert from_file.file == str(path) and from_arrays.file is None
    # A fit and an evaluation cannot tell them apart.
    assert vk.fit(from_arrays, 4).to_dict() | {"file": None} == vk.fit(from_file, 4).to_dict() | {"file": None}
    mean = [from_file.stats()["m1"]]
    assert vk.evaluate(from_arrays, 2, mean).to_dict() | {"file": None} == vk.evaluate(from_file, 2, mean).to_dict() | {"file": None}


@pytest.mark.parametrize("path", DATA_FILES, ids=lambda p: p.stem)
def test_moments_against_exact_fractions(path):
    # N, the mean and the second central moment with exact rational arithmetic.
    x, f = records(path)
    fx = [Fraction(v) for v in f]
    n = sum(fx)
    m1 = sum(Fraction(xi) * fi for xi, fi in zip(x, fx)) / n
    m2 = sum((Fraction(xi) - m1) ** 2 * fi for xi, fi in zip(x, fx)) / n
    s = vk.read(path).stats()
    assert s["n"] == float(n)
    assert s["m1"] == pytest.approx(float(m1), rel=1e-14)
    assert s["m2"] == pytest.approx(float(m2), rel=1e-12)
    assert s["last_class_index"] == max(x) - min(x)


def test_gaps_become_empty_classes():
    d = vk.Data([1, 2, 5], [3.0, 4.0, 1.0])
    assert d.x.tolist() == [1, 2, 3, 4, 5]
    assert d.f.tolist() == [3.0, 4.0, 0.0, 0.0, 1.0]
    assert len(d) == 5
    assert d.x.dtype == np.int64 and d.f.dtype == np.float64


def test_numpy_and_list_inputs_agree():
    x = np.array([0, 1, 2, 3], dtype=np.int32)
    f = np.array([10, 20, 5, 1], dtype=np.int64)
    assert vk.Data(x, f).stats() == vk.Data(list(x), [float(v) for v in f]).stats()


def test_catalog_members():
    members = vk.catalog()
    by_index = {d.index: d for d in members}
    assert len(by_index) == len(members)
    assert sorted(by_index) == [d.index for d in members]
    assert by_index[2].name == "Poisson" and by_index[2].parameters == ("a",)
    assert [d.index for d in members if d.special] == [205]
    assert by_index[1].fixed_parameters[0].condition == "g1=xN"
    assert by_index[2].to_dict()["parameters"] == ["a"]


def test_results_convert_to_plain_rows():
    r = vk.fit(DATA_FILES[0], "Poisson", all_methods=True)
    d = r.to_dict()
    assert d["expected"] == r.expected.tolist()
    assert all(p is None or isinstance(p, int) for p in d["pooled_into"])
    assert len(r.classes()) == len(r.x) and r.classes()[0]["x"] == int(r.x[0])
    assert d["methods"][0]["chi2"] == r.methods[0].chi2
    rows = [row.to_dict() for row in vk.auto(DATA_FILES[0], top=2)]
    assert len(rows) == 2 and set(rows[0]) >= {"index", "name", "chi2", "p", "c", "df", "r2"}
    # The expected frequencies of a fit add up to N (the tail included).
    assert r.total_np == pytest.approx(r.total_f, rel=1e-9)
