# SPDX-License-Identifier: GPL-3.0-or-later
# Failures raise KalibraError with the status code the command line exits with; arguments the
# command line refuses raise KalibraUsageError (code 64, also a ValueError).
import math

import pytest

import vostra_kalibra as vk
from conftest import DATA_FILES

SHELL = next(p for p in DATA_FILES if p.stem == "shell-accidents")

# (x, f, status): the reader's status codes for records given as arrays, as for a file with them.
BAD_ARRAYS = [
    ([], [], 2),                          # no record: no data
    ([0, 1, 2], [0, 0, 0], 3),            # no mass: data not usable
    ([0], [5], 3),                        # the single class x = 0
    ([0, 2, 1], [1, 2, 3], 9),            # x not ascending
    ([0, 1, 1], [1, 2, 3], 9),            # x repeated
    ([1, 0], [1, 2], 9),                  # x = 0 after the first record
    ([0, 20001], [1, 2], 6),              # x beyond 20000
    ([0, -1], [1, 2], 6),                 # negative x reads as too large, as in a file
    ([0, 1.5], [1, 2], 6),                # x that is no whole number
    ([0, 1], [1, math.nan], 12),          # f that is no number
    ([0, 1], [1, math.inf], 12),
]


@pytest.mark.parametrize("x,f,code", BAD_ARRAYS)
def test_bad_arrays(x, f, code):
    with pytest.raises(vk.KalibraError) as e:
        vk.Data(x, f)
    assert e.value.code == code
    assert e.value.message == str(e.value.message) and e.value.message


# (file content, status, text the message holds)
BAD_FILES = [
    ("", 2, ""),
    ("0 1\n2 3\n1 4\n", 9, "line"),
    ("0 1\n1 abc\n", 12, "abc"),
    ("0 1\n30000 2\n", 6, ""),
]


@pytest.mark.parametrize("text,code,detail", BAD_FILES)
def test_bad_files(tmp_path, cli, text, code, detail):
    path = tmp_path / "bad.dat"
    path.write_text(text)
    with pytest.raises(vk.KalibraError) as e:
        vk.read(path)
    assert e.value.code == code
    assert detail in e.value.message
    # The command line's exit code for the same file.
    assert cli.run("stats", path)[0] == code


def test_missing_file(tmp_path):
    with pytest.raises(vk.KalibraError) as e:
        vk.read(tmp_path / "none.dat")
    assert e.value.code == 12
    assert "none.dat" in e.value.message


USAGE = [
    (lambda d: vk.fit(d, "No Such Distribution"), "no distribution"),
    (lambda d: vk.fit(d, 9999), "no distribution"),
    (lambda d: vk.fit(d, "Poisson", fixed={"q": 1}), "no fixed parameter 'q'"),
    (lambda d: vk.fit(d, 1, fixed={"n": -3}), "condition"),
    (lambda d: vk.fit(d, "Poisson", settings=vk.Settings(reflection=0)), "reflection"),
    (lambda d: vk.fit(d, "Poisson", settings=vk.Settings(max_steps=0)), "max_steps"),
    (lambda d: vk.fit(d, "Poisson", settings=vk.Settings(contraction=math.nan)), "contraction"),
    (lambda d: vk.evaluate(d, "Poisson", [1.0, 2.0]), "free parameters"),
    (lambda d: vk.evaluate(d, "Poisson", {"b": 1.0}), "unknown: b"),
    (lambda d: vk.evaluate(d, "Poisson", [math.inf]), "finite"),
    (lambda d: vk.auto(d, sort="q"), "sort"),
    (lambda d: vk.special(d, fix=["b1"]), "fix"),
    (lambda d: vk.special(d, b1=(1, 0, 0.1)), "START must be below STOP"),
    (lambda d: list(vk.batch([d], "Poisson", jobs=0)), "jobs"),
]


@pytest.mark.parametrize("call,text", USAGE)
def test_usage_errors(call, text):
    with pytest.raises(vk.KalibraUsageError) as e:
        call(vk.read(SHELL))
    assert e.value.code == 64
    assert isinstance(e.value, ValueError)
    assert text in e.value.message


def test_data_type_is_checked():
    with pytest.raises(TypeError):
        vk.fit(42, "Poisson")


def test_error_text_names_status():
    e = vk.KalibraError(13, "No fit")
    assert (e.code, e.message) == (13, "No fit")
    assert "13" in str(e)
