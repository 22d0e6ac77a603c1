# SPDX-License-Identifier: GPL-3.0-or-later
# Batches on threads give the results of single fits in the order of the data sets; Ctrl-C
# ends a running fit, special fitting or batch promptly with KeyboardInterrupt.
import os
import signal
import subprocess
import sys
import textwrap
import time

import numpy as np
import pytest

import vostra_kalibra as vk
from conftest import DATA_FILES

FILES = {p.stem: p for p in DATA_FILES}


def negative_binomial_like(seed, classes=12):
    rng = np.random.default_rng(seed)
    counts = np.bincount(rng.negative_binomial(3, 0.45, size=400), minlength=classes)
    return vk.Data(np.arange(len(counts)), counts)


def same_result(a, b):
    assert (a.index, a.status, a.method, a.chi2, a.p, a.df, a.params) == (
        b.index, b.status, b.method, b.chi2, b.p, b.df, b.params)
    assert a.expected.tolist() == b.expected.tolist()
    assert a.pooled_into.tolist() == b.pooled_into.tolist()


@pytest.mark.parametrize("jobs", [1, 2, 3])
def test_batch_equals_single_fits_in_order(jobs):
    datasets = [negative_binomial_like(seed) for seed in range(24)] + [vk.read(p) for p in DATA_FILES]
    single = [vk.fit(d, 4) for d in datasets]
    # A generator: the batch reads it as it goes.
    batched = list(vk.batch((d for d in datasets), "Negative binomial", jobs=jobs))
    assert len(batched) == len(single)
    for a, b in zip(single, batched):
        same_result(a, b)


def test_batch_reads_files_and_reports_failures_in_place(tmp_path):
    bad = tmp_path / "bad.dat"
    bad.write_text("0 1\n2 1\n1 1\n")
    items = [FILES["horse-kicks"], str(tmp_path / "missing.dat"), bad, FILES["shell-accidents"]]
    results = list(vk.batch(items, 2, jobs=2))
    assert [r.status for r in results] == [0, 12, 9, 0]
    assert results[1].error is not None and results[1].error.code == 12
    assert results[2].file == str(bad) and np.isnan(results[2].chi2)
    same_result(results[3], vk.fit(FILES["shell-accidents"], 2))
    # Plain dictionaries, one per result, for pandas.DataFrame.
    rows = [r.to_dict() for r in results]
    assert rows[0]["params"] == results[0].params and rows[1]["expected"] == []


# Each script prints "ready" just before its long call; SIGINT then must end it within
# seconds, with KeyboardInterrupt caught by the script.
LONG_CALLS = {
    # A member whose every evaluation on 20001 classes takes seconds (it polls inside one).
    "fit": """
        x = np.arange(20001)
        data = vk.Data(x, np.round(1000 * np.exp(-x / 6667.0)) + 1)
        print("ready", flush=True)
        vk.fit(data, 16)
    """,
    # The special fitting's preflight over a fine grid (1400 x 1400 points) on one thread.
    "special": """
        data = vk.read(DATA)
        print("ready", flush=True)
        vk.special(data, b1=(-14, 14, 0.02), b2=(-14, 14, 0.02), threads=1)
    """,
    # A batch of such fits on two threads, interrupted while its consumer waits.
    "batch": """
        x = np.arange(20001)
        data = vk.Data(x, np.round(1000 * np.exp(-x / 6667.0)) + 1)
        print("ready", flush=True)
        for r in vk.batch([data] * 8, 16, jobs=2):
            pass
    """,
}


@pytest.mark.parametrize("name", sorted(LONG_CALLS))
def test_ctrl_c_ends_a_running_call(name):
    script = "import numpy as np\nimport vostra_kalibra as vk\n"
    script += f"DATA = {str(FILES['alpha-particles'])!r}\n"
    script += "try:\n" + textwrap.indent(textwrap.dedent(LONG_CALLS[name]), "    ")
    script += "    print('finished', flush=True)\nexcept KeyboardInterrupt:\n    print('interrupted', flush=True)\n"
    proc = subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, env=os.environ.copy())
    try:
        assert proc.stdout.readline().strip() == "ready"
        time.sleep(1.0)
        assert proc.poll() is None, "the call ended before it could be interrupted"
        sent = time.monotonic()
        proc.send_signal(signal.SIGINT)
        out, err = proc.communicate(timeout=10)
        took = time.monotonic() - sent
    finally:
        if proc.poll() is None:
            proc.kill()
    assert out.strip() == "interrupted", err
    assert proc.returncode == 0, err
    # Generous for a loaded machine: the poll looks every 20 ms.
    assert took < 5.0


# Chunks of one, two and three data sets: every chunk boundary falls somewhere else, and failed
# reads sit in several chunks.
@pytest.mark.parametrize("jobs,chunk", [(1, 1), (2, 1), (2, 3), (3, 2)])
def test_batch_across_chunks_keeps_order_and_failures(monkeypatch, tmp_path, jobs, chunk):
    monkeypatch.setattr(vk, "_BATCH_CHUNK", chunk)
    bad = tmp_path / "bad.dat"
    bad.write_text("0 1\n2 1\n1 1\n")
    missing = str(tmp_path / "missing.dat")
    items = [negative_binomial_like(i) if i % 4 else (bad if i % 8 else missing) for i in range(17)]
    results = list(vk.batch(items, 4, jobs=jobs))
    assert len(results) == len(items)
    for item, r in zip(items, results):
        if isinstance(item, vk.Data):
            same_result(r, vk.fit(item, 4))
            assert r.error is None
        else:
            assert (r.status, r.error.code) == ((9, 9) if item == bad else (12, 12))
            assert r.file == os.fsdecode(item)


def test_batch_raises_for_an_unusable_item_after_the_results_before_it(monkeypatch):
    monkeypatch.setattr(vk, "_BATCH_CHUNK", 2)
    items = [negative_binomial_like(i) for i in range(5)] + [42, negative_binomial_like(9)]
    got = []
    with pytest.raises(TypeError, match="not int"):
        for r in vk.batch(items, 4, jobs=2):
            got.append(r)
    assert len(got) == 5


def test_batch_refuses_bad_arguments_before_it_is_iterated():
    data = [vk.read(FILES["horse-kicks"])]
    with pytest.raises(vk.KalibraUsageError, match="condition"):
        vk.batch(data, 1, fixed={"n": -3})
    with pytest.raises(vk.KalibraUsageError, match="reflection"):
        vk.batch(data, 4, settings=vk.Settings(reflection=0))
    # A fixed parameter that neither the caller nor the data give is found by the fit.
    with pytest.raises(vk.KalibraUsageError, match="'p'"):
        next(vk.batch(data, 9))


def test_leaving_a_batch_early_stops_its_workers():
    # After the fast data sets, fits that take seconds each: closing the batch after its first
    # result must not wait for them.
    x = np.arange(20001)
    slow = vk.Data(x, np.round(1000 * np.exp(-x / 6667.0)) + 1)
    results = vk.batch([negative_binomial_like(i) for i in range(8)] + [slow] * 40, 16, jobs=2)
    next(results)
    started = time.monotonic()
    results.close()
    # Generous for a loaded machine: the workers poll the stop flag every simplex step.
    assert time.monotonic() - started < 5.0


def _threads():
    return len(os.listdir("/proc/self/task"))


@pytest.mark.parametrize("jobs", [1, 2, 3])
def test_batch_keeps_its_helpers_across_chunks_and_ends_them(jobs, monkeypatch):
    # jobs - 1 helper threads for the whole batch, however many chunks pass, and none after it.
    monkeypatch.setattr(vk, "_BATCH_CHUNK", 2)
    before = _threads()
    results = vk.batch([negative_binomial_like(i) for i in range(12)], 4, jobs=jobs)
    seen = set()
    for _ in range(5):
        next(results)
        seen.add(_threads() - before)
    results.close()
    assert seen == {jobs - 1}
    assert _threads() == before
