# SPDX-License-Identifier: GPL-3.0-or-later
"""Fit discrete distributions to counted data by minimum chi-square.

The engine of Vostra Kalibra as a Python package, with the same numbers as the command line
``kalibra ... --format json``::

    import vostra_kalibra as vk
    data = vk.read("horse-kicks.dat")
    result = vk.fit(data, "Poisson")
    result.params, result.chi2, result.p, result.expected

Fits run with the interpreter's lock released, so threads fit in parallel (see :func:`batch`);
Ctrl-C ends a running fit with KeyboardInterrupt.
"""

from __future__ import annotations

import dataclasses
import functools
import itertools
import os
from typing import Any, Dict, Iterable, Iterator, List, Mapping, Optional, Sequence, Tuple, Union

import numpy as np

from . import _engine

__all__ = [
    "AutoRow",
    "Data",
    "Distribution",
    "Evaluation",
    "FitResult",
    "FixedParameter",
    "KalibraError",
    "KalibraUsageError",
    "MethodResult",
    "Settings",
    "auto",
    "batch",
    "catalog",
    "evaluate",
    "fit",
    "read",
    "special",
]


class KalibraError(Exception):
    """A read, catalog load or fit that failed.

    ``code`` is the status code the command line exits with (2 no data, 9 data error, 12
    exception, 13 no fit, ..., 64 a call the command line refuses), ``message`` its text.
    """

    def __init__(self, code: int, message: str) -> None:
        super().__init__(code, message)
        self.code = int(code)
        self.message = message

    def __str__(self) -> str:
        return f"{self.message} (status {self.code})"


class KalibraUsageError(KalibraError, ValueError):
    """An argument the command line would refuse (code 64): an unknown distribution or fixed
    parameter, a value outside its rule, a setting outside its range."""


_USAGE = 64


# --- the catalog -------------------------------------------------------------------------------


@dataclasses.dataclass(frozen=True)
class FixedParameter:
    """A parameter that is given, not fitted: its name, condition code and description."""

    name: str
    condition: str
    description: str


@dataclasses.dataclass(frozen=True)
class Distribution:
    """A member of the catalog."""

    index: int
    name: str
    parameters: Tuple[str, ...]
    fixed_parameters: Tuple[FixedParameter, ...]
    automatic: bool
    special: bool
    methods: int
    groups: int

    def to_dict(self) -> Dict[str, Any]:
        d = dataclasses.asdict(self)
        d["parameters"] = list(self.parameters)
        d["fixed_parameters"] = [dataclasses.asdict(p) for p in self.fixed_parameters]
        return d


@functools.lru_cache(maxsize=1)
def _catalog() -> Tuple[Distribution, ...]:
    return tuple(
        Distribution(
            index=e["index"],
            name=e["name"],
            parameters=tuple(e["parameters"]),
            fixed_parameters=tuple(FixedParameter(*p) for p in e["fixed_parameters"]),
            automatic=e["automatic"],
            special=e["special"],
            methods=e["methods"],
            groups=e["groups"],
        )
        for e in _engine.catalog()
    )


def catalog() -> List[Distribution]:
    """The members of the shipped catalog, in index order."""
    return list(_catalog())


@functools.lru_cache(maxsize=1)
def _by_index() -> Dict[int, Distribution]:
    return {d.index: d for d in _catalog()}


def _distribution(dist: Union[int, str, Distribution]) -> Distribution:
    """A member by index, by display name (case ignored) or as itself."""
    if isinstance(dist, Distribution):
        return dist
    members = _catalog()
    if isinstance(dist, (int, np.integer)) and not isinstance(dist, bool):
        found = _by_index().get(int(dist))
        if found is not None:
            return found
    elif isinstance(dist, str):
        wanted = dist.strip()
        if wanted.isdigit():
            return _distribution(int(wanted))
        for d in members:
            if d.name.casefold() == wanted.casefold():
                return d
    raise KalibraUsageError(
        _USAGE, f"no distribution {dist!r} in the catalog (give an index or a name from vk.catalog())"
    )


# --- data sets ---------------------------------------------------------------------------------


class Data:
    """Observed frequencies f of the consecutive values x.

    ``Data(x, f)`` applies the file reader's checks (whole x from 0 to 20000 in strictly
    ascending order, finite f); missing x between two given ones become classes with f = 0, as
    in a file. Raises :class:`KalibraError` with the reader's status where a file with these
    records would fail.
    """

    __slots__ = ("_d",)

    def __init__(self, x: Sequence[float], f: Sequence[float]) -> None:
        self._d = _engine.from_arrays(np.asarray(x, dtype=float), np.asarray(f, dtype=float))

    @classmethod
    def _wrap(cls, d: Any) -> "Data":
        obj = cls.__new__(cls)
        obj._d = d
        return obj

    @property
    def file(self) -> Optional[str]:
        """The file the data were read from; None for arrays."""
        return self._d.file

    @property
    def x(self) -> np.ndarray:
        """The values x of the classes (gaps filled), as int64."""
        return self._d.x()

    @property
    def f(self) -> np.ndarray:
        """The observed frequencies of the classes."""
        return self._d.f()

    def __len__(self) -> int:
        return self._d.n_classes

    def stats(self) -> Dict[str, float]:
        """The descriptive statistics: n (the sample size N), moments m1..m4, factorial moments
        fm2..fm4, m1x0, parity, parity_k, skewness, excess, ord_i, ord_s, entropy, repeat_rate,
        last_class_index, mode_group_index and quotient1..3."""
        return self._d.stats()

    def __repr__(self) -> str:
        source = f"file={self.file!r}" if self.file else "arrays"
        return f"<vostra_kalibra.Data {source}, {len(self)} classes, N={self.stats()['n']:g}>"


def read(path: Union[str, os.PathLike]) -> Data:
    """Reads an input data file (an integer x and a real f per line). Raises KalibraError with
    the reader's status and message (the line and token where it says so)."""
    return Data._wrap(_engine.read(os.fsdecode(path)))


def _data(data: Union[Data, str, os.PathLike]) -> Data:
    if isinstance(data, Data):
        return data
    if isinstance(data, (str, os.PathLike)):
        return read(data)
    raise TypeError(f"expected vostra_kalibra.Data or a file name, not {type(data).__name__}")


# --- settings ----------------------------------------------------------------------------------


@dataclasses.dataclass(frozen=True)
class Settings:
    """The optimisation settings; the defaults are the program's built-in ones (the desktop's
    saved settings are not read). Each is checked against the range the command line enforces.

    reflection, expansion, contraction: the simplex factors; abort_criterion: a cycle stops when
    the spread of X² is at most this; min_class_size: classes whose expected frequency is not
    above it are pooled; max_steps: most simplex steps in one cycle; refine: after each method's
    classic cycle, restart axis-wise from its best vertex while X² improves.
    """

    reflection: float = 1.0
    expansion: float = 2.0
    contraction: float = 0.5
    abort_criterion: float = 0.0001
    min_class_size: float = 1.0
    max_steps: int = 320
    refine: bool = False


def _settings(settings: Optional[Settings], refine: Optional[bool]) -> Settings:
    s = settings if settings is not None else Settings()
    if refine is not None:
        s = dataclasses.replace(s, refine=bool(refine))
    return s


def _fixed(fixed: Optional[Mapping[str, float]]) -> Dict[str, float]:
    return {str(k): float(v) for k, v in (fixed or {}).items()}


# --- results -----------------------------------------------------------------------------------


def _pooled_list(pooled: np.ndarray) -> List[Optional[int]]:
    return [None if p < 0 else int(p) for p in pooled]


@dataclasses.dataclass
class MethodResult:
    """The result of one starting-value method of a fit."""

    method: int
    alternatives: int
    chi2: float
    p: float
    c: float
    r2: float
    df: int
    status: int
    status_message: str
    refined: bool
    refinement_incomplete: bool
    params: Optional[Dict[str, float]]
    fixed: Optional[Dict[str, float]]

    def to_dict(self) -> Dict[str, Any]:
        return dataclasses.asdict(self)


@dataclasses.dataclass
class FitResult:
    """The best method of a fit: its figures, parameters and class table.

    ``expected`` holds N·P(x) of each class ``x``; ``pooled_into`` the x of the class whose X²
    cell took a class in, -1 for a class with a cell of its own. ``methods`` lists every
    method when the fit was asked for all of them. A result of :func:`batch` whose fit failed
    has ``status`` non-zero, ``error`` set and no figures.
    """

    file: Optional[str]
    index: int
    name: str
    status: int
    status_message: str
    method: int
    alternatives: int
    chi2: float
    p: float
    c: float
    r2: float
    df: int
    refined: bool
    refinement_incomplete: bool
    params: Dict[str, float]
    fixed: Dict[str, float]
    x: np.ndarray
    f: np.ndarray
    expected: np.ndarray
    pooled_into: np.ndarray
    total_f: float
    total_np: float
    methods: List[MethodResult]
    error: Optional[KalibraError] = None

    @classmethod
    def _failed(cls, file: Optional[str], dist: Distribution, error: KalibraError) -> "FitResult":
        nan = float("nan")
        empty = np.zeros(0)
        return cls(
            file=file, index=dist.index, name=dist.name, status=error.code,
            status_message=error.message, method=0, alternatives=0, chi2=nan, p=nan, c=nan,
            r2=nan, df=0, refined=False, refinement_incomplete=False, params={}, fixed={},
            x=empty.astype(np.int64), f=empty, expected=empty, pooled_into=empty.astype(np.int64),
            total_f=nan, total_np=nan, methods=[], error=error,
        )

    def to_dict(self) -> Dict[str, Any]:
        """Plain Python values (lists for the arrays, None for an unpooled class), ready for
        json.dumps or pandas.DataFrame."""
        d = {k.name: getattr(self, k.name) for k in dataclasses.fields(self) if k.name != "error"}
        d["x"] = [int(v) for v in self.x]
        d["f"] = [float(v) for v in self.f]
        d["expected"] = [float(v) for v in self.expected]
        d["pooled_into"] = _pooled_list(self.pooled_into)
        d["params"] = dict(self.params)
        d["fixed"] = dict(self.fixed)
        d["methods"] = [m.to_dict() for m in self.methods]
        return d

    def classes(self) -> List[Dict[str, Any]]:
        """The class table as rows {x, f, expected, pooled_into}: pandas.DataFrame(r.classes())."""
        return [
            {"x": int(x), "f": float(f), "expected": float(e), "pooled_into": None if p < 0 else int(p)}
            for x, f, e, p in zip(self.x, self.f, self.expected, self.pooled_into)
        ]


# The engine builds results as instances of these classes and raises these exceptions.
_engine._set_classes(FitResult, MethodResult, KalibraError, KalibraUsageError)
_engine.load_catalog(os.path.join(os.path.dirname(os.path.abspath(__file__)), "Kalibra.bxm"))


@dataclasses.dataclass
class AutoRow:
    """One distribution's best method in an automatic fitting."""

    index: int
    name: str
    chi2: float
    p: float
    c: float
    df: int
    r2: float
    status: int
    status_message: str
    refined: bool
    refinement_incomplete: bool

    def to_dict(self) -> Dict[str, Any]:
        return dataclasses.asdict(self)


@dataclasses.dataclass
class Evaluation:
    """Given parameters evaluated without optimisation: corrected into their domains, then X²,
    the class count after pooling, DF, P, C, R² and the expected frequencies. Frequencies that
    are no distribution (``rejected``) have no figures (None); too few degrees of freedom leave
    ``p`` None."""

    file: Optional[str]
    index: int
    name: str
    status: int
    status_message: str
    rejected: bool
    chi2: Optional[float]
    classes: Optional[int]
    df: Optional[int]
    enough_df: bool
    p: Optional[float]
    c: Optional[float]
    r2: Optional[float]
    params: Dict[str, float]
    fixed: Dict[str, float]
    x: np.ndarray
    f: np.ndarray
    expected: np.ndarray
    pooled_into: np.ndarray

    def to_dict(self) -> Dict[str, Any]:
        d = dataclasses.asdict(self)
        d["x"] = [int(v) for v in self.x]
        d["f"] = [float(v) for v in self.f]
        d["expected"] = [float(v) for v in self.expected]
        d["pooled_into"] = _pooled_list(self.pooled_into)
        return d


# --- the fittings ------------------------------------------------------------------------------


def fit(
    data: Union[Data, str, os.PathLike],
    dist: Union[int, str, Distribution],
    *,
    fixed: Optional[Mapping[str, float]] = None,
    refine: Optional[bool] = None,
    all_methods: bool = False,
    settings: Optional[Settings] = None,
) -> FitResult:
    """Fits one distribution, method by method, and returns the best method.

    ``dist`` is a catalog index or display name. ``fixed`` gives values of fixed parameters by
    name (they take precedence over the values read off the data). ``refine`` overrides
    ``settings.refine``. With ``all_methods`` the result lists every method in ``methods``.
    Raises KalibraError when the fit ends without a result (the status says why), and
    KalibraUsageError for an unknown distribution or fixed parameter, or a fixed parameter
    the data give no value for.
    """
    d, member = _data(data), _distribution(dist)
    return _engine.fit(d._d, member.index, _fixed(fixed), bool(all_methods), _settings(settings, refine))


_SORT_KEYS = {
    "p": lambda a, b: a.p > b.p,
    "r2": lambda a, b: a.r2 > b.r2,
    "c": lambda a, b: a.c < b.c,
    "x2": lambda a, b: a.chi2 < b.chi2,
    "chi2": lambda a, b: a.chi2 < b.chi2,
    "df": lambda a, b: a.df < b.df,
    "name": lambda a, b: a.name.casefold() < b.name.casefold(),
}


def _sorted(rows: List[AutoRow], column: str) -> List[AutoRow]:
    # P and R² best first, C, X² and DF smallest first, names alphabetically; rows without a fit
    # last; equal rows keep the catalog's order (a stable sort), as the command line's --sort.
    before = _SORT_KEYS[column]

    def compare(a: AutoRow, b: AutoRow) -> int:
        a_none, b_none = a.status != 0, b.status != 0
        if a_none != b_none:
            return 1 if a_none else -1
        if a_none:
            return 0
        if before(a, b):
            return -1
        if before(b, a):
            return 1
        return 0

    return sorted(rows, key=functools.cmp_to_key(compare))


def auto(
    data: Union[Data, str, os.PathLike],
    *,
    top: Optional[int] = None,
    sort: Optional[str] = "p",
    fixed: Optional[Mapping[str, float]] = None,
    refine: Optional[bool] = None,
    settings: Optional[Settings] = None,
) -> List[AutoRow]:
    """Fits every distribution marked for automatic fitting; one row per distribution (its best
    method). ``sort`` is p, r2, c, x2 (or chi2), df, name, or None for catalog order; ``top``
    keeps the first rows after sorting. pandas.DataFrame([r.to_dict() for r in rows]) tabulates
    them."""
    if sort is not None and sort not in _SORT_KEYS:
        raise KalibraUsageError(_USAGE, f"sort takes p, c, x2, r2, df, name or None, not {sort!r}")
    if top is not None and (not isinstance(top, int) or top < 0):
        raise KalibraUsageError(_USAGE, f"top takes a count from 0, not {top!r}")
    d = _data(data)
    r = _engine.auto(d._d, _fixed(fixed), _settings(settings, refine))
    rows = [AutoRow(**row) for row in r["distributions"]]
    if sort is not None:
        rows = _sorted(rows, sort)
    return rows if top is None else rows[:top]


def evaluate(
    data: Union[Data, str, os.PathLike],
    dist: Union[int, str, Distribution],
    params: Union[Mapping[str, float], Sequence[float]],
    *,
    fixed: Optional[Mapping[str, float]] = None,
    settings: Optional[Settings] = None,
) -> Evaluation:
    """Evaluates given free parameters (a sequence in catalog order, or a mapping by name)
    without optimising them."""
    d, member = _data(data), _distribution(dist)
    if isinstance(params, Mapping):
        unknown = set(params) - set(member.parameters)
        missing = [p for p in member.parameters if p not in params]
        if unknown or missing:
            raise KalibraUsageError(
                _USAGE,
                f"{member.name} has the free parameters {', '.join(member.parameters)}; "
                + (f"unknown: {', '.join(sorted(unknown))}" if unknown else f"missing: {', '.join(missing)}"),
            )
        values = [float(params[p]) for p in member.parameters]
    else:
        values = [float(v) for v in params]
    r = _engine.evaluate(d._d, member.index, values, _fixed(fixed), _settings(settings, None))
    return Evaluation(**r)


def special(
    data: Union[Data, str, os.PathLike],
    *,
    a0: float = 0.0,
    a1: float = 0.0,
    a2: float = 0.0,
    fix: Iterable[str] = (),
    b1: Optional[Tuple[float, float, float]] = None,
    b2: Optional[Tuple[float, float, float]] = None,
    threads: int = 0,
    settings: Optional[Settings] = None,
) -> FitResult:
    """Fits the general five-parameter model (a0, a1, a2, b1, b2) after a preflight grid search
    over b1 and b2. ``fix`` names the coefficients among a0, a1, a2 held at their given values;
    ``b1``/``b2`` are preflight ranges (START, STOP, DELTA), by default -n..n in steps of 2n/100
    with n the last class index. ``threads`` is the number of preflight threads (0: one per
    core); the result does not depend on it."""
    fixed_names = [str(n).strip() for n in fix]
    for n in fixed_names:
        if n not in ("a0", "a1", "a2"):
            raise KalibraUsageError(_USAGE, f"fix takes a0, a1 and a2, not {n!r}")
    d = _data(data)
    return _engine.special(
        d._d,
        [float(a0), float(a1), float(a2)],
        [n in fixed_names for n in ("a0", "a1", "a2")],
        None if b1 is None else [float(v) for v in b1],
        None if b2 is None else [float(v) for v in b2],
        int(threads),
        _settings(settings, None),
    )


def batch(
    datasets: Iterable[Union[Data, str, os.PathLike]],
    dist: Union[int, str, Distribution],
    *,
    jobs: int = 1,
    fixed: Optional[Mapping[str, float]] = None,
    refine: Optional[bool] = None,
    all_methods: bool = False,
    settings: Optional[Settings] = None,
) -> Iterator[FitResult]:
    """Fits one distribution to each data set (Data objects or file names) and yields the
    results in the order of the data sets.

    ``jobs`` threads fit in parallel, each with an engine of its own, without the interpreter's
    lock: ``jobs - 1`` helper threads that last the batch, and the calling thread, which fits
    alongside them and then turns finished results into FitResult objects while they go on;
    with ``jobs=1`` everything runs on the calling thread. The data sets are taken a chunk at a time
    (as many as take a few milliseconds, at most 512 per job), so a long generator is not read
    ahead into memory. A data set whose read
    or fit fails yields a result with its status and ``error`` set instead of ending the batch;
    a bad distribution, fixed parameter or setting raises at once. Ctrl-C stops the workers and
    raises KeyboardInterrupt.
    """
    member = _distribution(dist)
    if not isinstance(jobs, int) or isinstance(jobs, bool) or jobs < 1:
        raise KalibraUsageError(_USAGE, f"jobs takes a count from 1, not {jobs!r}")
    run = _engine._Batch(member.index, _fixed(fixed), bool(all_methods), _settings(settings, refine), jobs)
    return _batch_results(run, iter(datasets), member)


# Data sets in a chunk of a batch; None lets the engine size each chunk by the time the last one
# took (a fixed size is for tests of chunk boundaries).
_BATCH_CHUNK: Optional[int] = None


def _batch_results(run: Any, items: Iterator[Any], member: Distribution) -> Iterator[FitResult]:
    unusable: Optional[TypeError] = None
    try:
        while True:
            chunk: List[Any] = []
            if unusable is None:
                size = run.chunk_size if _BATCH_CHUNK is None else _BATCH_CHUNK
                for item in itertools.islice(items, size):
                    if isinstance(item, Data):
                        chunk.append(item._d)
                    elif isinstance(item, (str, os.PathLike)):
                        chunk.append(os.fsdecode(item))
                    else:
                        # Raised in its place, after the results of the data sets before it.
                        unusable = TypeError(
                            f"expected vostra_kalibra.Data or a file name, not {type(item).__name__}")
                        break
            for r in run.next(chunk):
                if r.__class__ is tuple:
                    file, error = r
                    if isinstance(error, KalibraUsageError):
                        raise error
                    r = FitResult._failed(file, member, error)
                yield r
            if not chunk:
                break
        if unusable is not None:
            raise unusable
    finally:
        run.close()
