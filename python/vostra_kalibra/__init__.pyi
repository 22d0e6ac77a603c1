# SPDX-License-Identifier: GPL-3.0-or-later
# Type hints of the package vostra_kalibra.
import dataclasses
import os
from typing import Any, Dict, Iterable, Iterator, List, Mapping, Optional, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

class KalibraError(Exception):
    code: int
    message: str
    def __init__(self, code: int, message: str) -> None: ...

class KalibraUsageError(KalibraError, ValueError): ...

@dataclasses.dataclass(frozen=True)
class FixedParameter:
    name: str
    condition: str
    description: str

@dataclasses.dataclass(frozen=True)
class Distribution:
    index: int
    name: str
    parameters: Tuple[str, ...]
    fixed_parameters: Tuple[FixedParameter, ...]
    automatic: bool
    special: bool
    methods: int
    groups: int
    def to_dict(self) -> Dict[str, Any]: ...

def catalog() -> List[Distribution]: ...

class Data:
    def __init__(self, x: Union[Sequence[float], npt.ArrayLike], f: Union[Sequence[float], npt.ArrayLike]) -> None: ...
    @property
    def file(self) -> Optional[str]: ...
    @property
    def x(self) -> npt.NDArray[np.int64]: ...
    @property
    def f(self) -> npt.NDArray[np.float64]: ...
    def __len__(self) -> int: ...
    def stats(self) -> Dict[str, float]: ...

def read(path: Union[str, os.PathLike[str]]) -> Data: ...

@dataclasses.dataclass(frozen=True)
class Settings:
    reflection: float = ...
    expansion: float = ...
    contraction: float = ...
    abort_criterion: float = ...
    min_class_size: float = ...
    max_steps: int = ...
    refine: bool = ...

@dataclasses.dataclass
class MethodResult:
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
    def to_dict(self) -> Dict[str, Any]: ...

@dataclasses.dataclass
class FitResult:
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
    x: npt.NDArray[np.int64]
    f: npt.NDArray[np.float64]
    expected: npt.NDArray[np.float64]
    pooled_into: npt.NDArray[np.int64]
    total_f: float
    total_np: float
    methods: List[MethodResult]
    error: Optional[KalibraError] = ...
    def to_dict(self) -> Dict[str, Any]: ...
    def classes(self) -> List[Dict[str, Any]]: ...

@dataclasses.dataclass
class AutoRow:
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
    def to_dict(self) -> Dict[str, Any]: ...

@dataclasses.dataclass
class Evaluation:
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
    x: npt.NDArray[np.int64]
    f: npt.NDArray[np.float64]
    expected: npt.NDArray[np.float64]
    pooled_into: npt.NDArray[np.int64]
    def to_dict(self) -> Dict[str, Any]: ...

_DataLike = Union[Data, str, os.PathLike[str]]
_DistLike = Union[int, str, Distribution]

def fit(
    data: _DataLike,
    dist: _DistLike,
    *,
    fixed: Optional[Mapping[str, float]] = ...,
    refine: Optional[bool] = ...,
    all_methods: bool = ...,
    settings: Optional[Settings] = ...,
) -> FitResult: ...
def auto(
    data: _DataLike,
    *,
    top: Optional[int] = ...,
    sort: Optional[str] = ...,
    fixed: Optional[Mapping[str, float]] = ...,
    refine: Optional[bool] = ...,
    settings: Optional[Settings] = ...,
) -> List[AutoRow]: ...
def evaluate(
    data: _DataLike,
    dist: _DistLike,
    params: Union[Mapping[str, float], Sequence[float]],
    *,
    fixed: Optional[Mapping[str, float]] = ...,
    settings: Optional[Settings] = ...,
) -> Evaluation: ...
def special(
    data: _DataLike,
    *,
    a0: float = ...,
    a1: float = ...,
    a2: float = ...,
    fix: Iterable[str] = ...,
    b1: Optional[Tuple[float, float, float]] = ...,
    b2: Optional[Tuple[float, float, float]] = ...,
    threads: int = ...,
    settings: Optional[Settings] = ...,
) -> FitResult: ...
def batch(
    datasets: Iterable[_DataLike],
    dist: _DistLike,
    *,
    jobs: int = ...,
    fixed: Optional[Mapping[str, float]] = ...,
    refine: Optional[bool] = ...,
    all_methods: bool = ...,
    settings: Optional[Settings] = ...,
) -> Iterator[FitResult]: ...
