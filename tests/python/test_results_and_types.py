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
