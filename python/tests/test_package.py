"""The package against the header, the export list and the built library, and as installed."""
import ctypes
import os
import shutil
import subprocess
import sys

import pytest

import generate
from conftest import BUILD, ROOT
from zefraapi import library, records

HEADER, EXPORTS = generate.HEADER.read_text(), generate.EXPORTS.read_text()


def test_the_committed_table_is_what_the_header_gives():
    assert generate.render(HEADER, EXPORTS) == generate.OUTPUT.read_text(), \
        "run python3 python/generate.py"


@pytest.mark.parametrize("header, exports", [
    (HEADER.replace("int32_t frameRef[3];", "int32_t frameRef[4];"), EXPORTS),
    (HEADER.replace("ZEFRA_Set_Vel(int32_t value,", "ZEFRA_Set_Vel(double value,"), EXPORTS),
    (HEADER.replace("#pragma pack(push, 1)", ""), EXPORTS),
])
def test_a_changed_header_changes_the_table(header, exports):
    assert generate.render(header, exports) != generate.OUTPUT.read_text()


@pytest.mark.parametrize("header, exports", [
    (HEADER + "ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Unlisted(int32_t slot);\n", EXPORTS),
    (HEADER, EXPORTS + "ZEFRA_Undeclared\n"),
])
def test_header_and_export_list_must_name_the_same_functions(header, exports):
    with pytest.raises(SystemExit, match="disagree"):
        generate.render(header, exports)


def test_every_export_is_bound_in_the_library():
    lib = library()
    assert sorted(records.PROTOTYPES) == generate.exported_names(EXPORTS)
    assert all(getattr(lib, name).argtypes == args for name, args in records.PROTOTYPES.items())


def test_record_layouts_match_the_compiler(tmp_path):
    compiler = os.environ.get("CC") or shutil.which("cc") or shutil.which("gcc")
    if not compiler:
        pytest.skip("no C compiler")
    lines = ['#include <stddef.h>', '#include <stdio.h>', '#include "zefraapi.h"', "int main(void) {"]
    for record in records.RECORDS:
        name = record.__name__
        lines.append(f'    printf("{name} %zu", sizeof({name}));')
        lines += [f'    printf(" %zu", offsetof({name}, {field}));' for field, _ in record._fields_]
        lines.append('    printf("\\n");')
    (tmp_path / "layout.c").write_text("\n".join(lines + ["    return 0;", "}"]) + "\n")
    subprocess.run([compiler, "-I", str(ROOT / "include"), "-o", str(tmp_path / "layout"), str(tmp_path / "layout.c")],
                   check=True)
    measured = subprocess.run([str(tmp_path / "layout")], check=True, capture_output=True, text=True).stdout
    expected = "".join(
        f"{r.__name__} {ctypes.sizeof(r)}" + "".join(f" {getattr(r, f).offset}" for f, _ in r._fields_) + "\n"
        for r in records.RECORDS)
    assert measured == expected
    assert ctypes.sizeof(records.InterferToolPara) == 128


def run_python(code, env_changes, path):
    env = {k: v for k, v in os.environ.items() if k not in ("ZEFRAAPI_LIBRARY", "LD_LIBRARY_PATH")}
    env.update(env_changes, PYTHONPATH=str(path))
    return subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True)


@pytest.mark.parametrize("env, says", [
    ({"ZEFRAAPI_LIBRARY": "/nowhere/libzefraapi.so"}, "ZEFRAAPI_LIBRARY=/nowhere/libzefraapi.so cannot be loaded"),
    ({}, "Tried: ZEFRAAPI_LIBRARY (not set), " + str(ROOT / "python" / "zefraapi" / "libzefraapi.so.0")),
])
def test_a_missing_library_says_where_it_looked(env, says):
    result = run_python("import zefraapi; zefraapi.library()", env, ROOT / "python")
    assert result.returncode != 0 and "LibraryNotFoundError" in result.stderr
    assert says in result.stderr


def test_installs_offline_and_finds_the_library_beside_itself(tmp_path):
    shutil.copytree(ROOT / "python", tmp_path / "src", ignore=shutil.ignore_patterns("tests", "__pycache__"))
    subprocess.run([sys.executable, "-m", "pip", "install", "--no-build-isolation", "--no-index", "--no-deps",
                    "--quiet", "--target", str(tmp_path / "site"), str(tmp_path / "src")], check=True)
    beside = tmp_path / "site" / "zefraapi" / "libzefraapi.so.0"
    shutil.copy(BUILD / "libzefraapi.so", beside)
    result = run_python("import zefraapi; print(zefraapi.library()._name)", {}, tmp_path / "site")
    assert result.stdout.strip() == str(beside), result.stderr
