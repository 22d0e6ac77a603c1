# SPDX-License-Identifier: GPL-3.0-or-later
# Shared fixtures of the package's tests: the command-line tool to compare with, run with
# settings of its own (an empty configuration folder, so only the built-in defaults count, as in
# the package) from a folder without a catalog file.
import json
import os
import pathlib
import subprocess

import pytest

SOURCE = pathlib.Path(__file__).resolve().parents[2]
DATA_FILES = sorted((SOURCE / "data").glob("*.dat"))


def kalibra_exe():
    exe = os.environ.get("VK_KALIBRA")
    if not exe:
        pytest.skip("VK_KALIBRA names no kalibra to compare with (ctest sets it)")
    return os.path.abspath(exe)


@pytest.fixture(scope="session")
def cli_env(tmp_path_factory):
    home = tmp_path_factory.mktemp("cli")
    env = dict(os.environ, XDG_CONFIG_HOME=str(home / "config"), HOME=str(home), LC_ALL="C.UTF-8")
    return {"env": env, "cwd": str(home)}


class Cli:
    """Runs kalibra with --format json; start() returns at once, so that the tool and the module
    compute side by side."""

    def __init__(self, exe, env):
        self.exe = exe
        self.env = env

    def start(self, *args):
        return subprocess.Popen(
            [self.exe, *map(str, args), "--format", "json"],
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            env=self.env["env"],
            cwd=self.env["cwd"],
        )

    @staticmethod
    def finish(proc):
        out, err = proc.communicate(timeout=300)
        return proc.returncode, (json.loads(out) if out.strip() else None), err.decode()

    def run(self, *args):
        return self.finish(self.start(*args))


@pytest.fixture(scope="session")
def cli(cli_env):
    return Cli(kalibra_exe(), cli_env)
