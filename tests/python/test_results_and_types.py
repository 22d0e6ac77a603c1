# SPDX-License-Identifier: GPL-3.0-or-later
# The results the engine builds are the package's dataclasses with every field, pandas tabulates
# them as the documentation shows, and the type stub agrees with the module.
import dataclasses
import os
import subprocess
import sys
import textwrap

import numpy as np
import pandas as pd
import pytest

import vostra_kalibra as vk
from conftest import DATA_FILES

FILES = {p.stem: p for p in DATA_FILES}


def fields(cls):
    return {f.name for f in dataclasses.fields(cls)}


RESULTS = {
    "fit": lambda d: [vk.fit(d, 4)],
    "all methods": lambda d: [vk.fit(d, 4, all_methods=True)],
    "special": lambda d: [vk.special(d, threads=1)],
    "batch": lambda d: list(vk.batch([d, d], 4, jobs=2)),
    "failed batch item": lambda d: list(vk.batch(["/nonexistent/none.dat"], 4)),
}


@pytest.mark.parametrize("name", sorted(RESULTS))
def test_results_carry_exactly_their_fields(name):
    for r in RESULTS[name](vk.read(FILES["alpha-particles"])):
        assert type(r) is vk.FitResult
        assert set(vars(r)) == fields(vk.FitResult)
        for m in r.methods:
            assert type(m) is vk.MethodResult and set(vars(m)) == fields(vk.MethodResult)
        # As the dataclass's own constructor would make it.
        assert dataclasses.replace(r).to_dict() == r.to_dict()
        assert isinstance(r.params, dict) and isinstance(r.fixed, dict)
        assert r.expected.dtype == np.float64 and r.pooled_into.dtype == np.int64


# The exact Python type of each field, as the dataclasses declare them (bool is not an int here,
# nor an int a float): results are built field by field outside their __init__, so nothing else
# would hold them to their declarations.
NONE = type(None)
FIT_RESULT_TYPES = {
    "file": (str, NONE), "index": (int,), "name": (str,), "status": (int,),
    "status_message": (str,), "method": (int,), "alternatives": (int,), "chi2": (float,),
    "p": (float,), "c": (float,), "r2": (float,), "df": (int,), "refined": (bool,),
    "refinement_incomplete": (bool,), "params": (dict,), "fixed": (dict,), "x": (np.ndarray,),
    "f": (np.ndarray,), "expected": (np.ndarray,), "pooled_into": (np.ndarray,),
    "total_f": (float,), "total_np": (float,), "methods": (list,), "error": (NONE, vk.KalibraError),
}
METHOD_RESULT_TYPES = {
    "method": (int,), "alternatives": (int,), "chi2": (float,), "p": (float,), "c": (float,),
    "r2": (float,), "df": (int,), "status": (int,), "status_message": (str,), "refined": (bool,),
    "refinement_incomplete": (bool,), "params": (dict, NONE), "fixed": (dict, NONE),
}
ARRAY_DTYPES = {"x": np.int64, "f": np.float64, "expected": np.float64, "pooled_into": np.int64}


@pytest.mark.parametrize("name", sorted(RESULTS))
def test_fields_have_their_declared_types(name):
    for r in RESULTS[name](vk.read(FILES["alpha-particles"])):
        for field, types in FIT_RESULT_TYPES.items():
            assert type(getattr(r, field)) in types, field
        for field, dtype in ARRAY_DTYPES.items():
            a = getattr(r, field)
            # Arrays of their own, as numpy.array would make them.
            assert a.dtype == dtype and a.ndim == 1 and len(a) == len(r.x), field
            assert a.flags.c_contiguous and a.flags.owndata and a.flags.writeable, field
        for m in r.methods:
            for field, types in METHOD_RESULT_TYPES.items():
                assert type(getattr(m, field)) in types, field
        for values in [r.params, r.fixed] + [d for m in r.methods for d in (m.params, m.fixed) if d]:
            assert all(type(k) is str and type(v) is float for k, v in values.items())


def test_pandas_reads_results_and_class_tables():
    paths = [FILES["horse-kicks"], FILES["alpha-particles"]]
    results = list(vk.batch(paths, "Negative binomial", jobs=2))
    frame = pd.DataFrame([r.to_dict() for r in results])
    assert list(frame["file"]) == [str(p) for p in paths]
    assert list(frame["chi2"]) == [r.chi2 for r in results]
    assert list(frame.columns) == [f.name for f in dataclasses.fields(vk.FitResult) if f.name != "error"]
    classes = pd.DataFrame(results[0].classes())
    assert list(classes.columns) == ["x", "f", "expected", "pooled_into"]
    assert classes["expected"].tolist() == results[0].expected.tolist()
    rows = pd.DataFrame([row.to_dict() for row in vk.auto(vk.read(paths[0]), top=3)])
    assert len(rows) == 3 and rows["p"].is_monotonic_decreasing


def run_python(args, cwd):
    env = dict(os.environ, MYPYPATH=os.environ.get("PYTHONPATH", ""))
    proc = subprocess.run([sys.executable, *args], cwd=cwd, env=env, capture_output=True, text=True)
    assert proc.returncode == 0, proc.stdout + proc.stderr


def test_stub_matches_the_module(tmp_path):
    run_python(["-m", "mypy.stubtest", "vostra_kalibra"], tmp_path)


# A script as users write it: mypy in strict mode must accept it against the stub.
TYPED_SCRIPT = """
    from typing import Dict, List, Optional

    import numpy as np
    import numpy.typing as npt

    import vostra_kalibra as vk

    data: vk.Data = vk.read(DATA)
    stats: Dict[str, float] = data.stats()
    r: vk.FitResult = vk.fit(data, "Poisson", settings=vk.Settings(max_steps=400), refine=True)
    expected: npt.NDArray[np.float64] = r.expected
    params: Dict[str, float] = r.params
    rows: List[vk.AutoRow] = vk.auto(data, top=5, sort="p")
    p: Optional[float] = vk.evaluate(data, "Negative binomial", {"k": 5.0, "p": 0.9}).p
    s: vk.FitResult = vk.special(data, a0=0.0, fix=[], b1=None, threads=1)
    errors: List[Optional[vk.KalibraError]] = [b.error for b in vk.batch([DATA], 4, jobs=2)]
    members: List[vk.Distribution] = vk.catalog()
    try:
        vk.fit(vk.Data(np.arange(3), [1.0, 2.0, 3.0]), 9999)
    except vk.KalibraUsageError as u:
        code: int = u.code
"""


def test_a_typed_script_checks_and_runs(tmp_path):
    script = tmp_path / "typed.py"
    script.write_text(f"DATA = {str(FILES['alpha-particles'])!r}\n" + textwrap.dedent(TYPED_SCRIPT))
    run_python(["-m", "mypy", "--strict", "--no-error-summary", str(script)], tmp_path)
    run_python([str(script)], tmp_path)
