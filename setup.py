# SPDX-License-Identifier: GPL-3.0-or-later
# setuptools drives the project's CMake build for the compiled part of vostra_kalibra; the
# metadata is in pyproject.toml. The build is the one the Debian package makes (Release, no
# desktop, no tests): the module then gives the numbers of the kalibra built with it.
import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


def version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(\w+ VERSION ([0-9.]+)", text).group(1)


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        build.mkdir(parents=True, exist_ok=True)
        build_type = os.environ.get("VK_BUILD_TYPE", "Release")
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
            f"-DCMAKE_BUILD_TYPE={build_type}", "-DVK_BUILD_TESTS=OFF", "-DVK_BUILD_BENCH=OFF",
            "-DVK_BUILD_GUI=OFF", "-DVK_BUILD_PYTHON=ON", f"-DPython_EXECUTABLE={sys.executable}",
        ]
        subprocess.run(configure, check=True)
        jobs = os.environ.get("VK_BUILD_JOBS", str(os.cpu_count() or 2))
        subprocess.run(["cmake", "--build", str(build), "--target", "vk_python", "-j", jobs], check=True)
        built = build / "python" / "vostra_kalibra"
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        (module,) = built.glob("_engine*.so")
        shutil.copyfile(module, target)
        # The catalog travels inside the package, where __init__.py looks for it.
        shutil.copyfile(built / "Kalibra.bxm", target.parent / "Kalibra.bxm")


setup(
    version=version(),
    ext_modules=[CMakeExtension("vostra_kalibra._engine")],
    cmdclass={"build_ext": CMakeBuild},
)
