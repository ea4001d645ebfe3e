"""Finds the shared library and gives every export its prototype."""
import ctypes
import ctypes.util
import os
import sys
import threading
from pathlib import Path

from . import _prototypes

_lock = threading.Lock()
_library = None

if sys.platform == "win32":
    _NAMES = ("zefraapi.dll", "ZEFRAAPI.dll")
elif sys.platform == "darwin":
    _NAMES = ("libzefraapi.dylib",)
else:
    _NAMES = ("libzefraapi.so.0", "libzefraapi.so")


class LibraryNotFoundError(OSError):
    """The shared library is not where the package looked; the message says where that was."""


def _open(path):
    # 32-bit Windows builds export __stdcall functions.
    stdcall = sys.platform == "win32" and ctypes.sizeof(ctypes.c_void_p) == 4
    return (ctypes.WinDLL if stdcall else ctypes.CDLL)(path)


def _find():
    explicit = os.environ.get("ZEFRAAPI_LIBRARY")
    if explicit:
        # A library named on purpose is the one wanted: no falling back to another.
        try:
            return _open(explicit)
        except OSError as e:
            raise LibraryNotFoundError(f"ZEFRAAPI_LIBRARY={explicit} cannot be loaded: {e}") from None
    tried = []
    here = Path(__file__).resolve().parent
    for name in _NAMES:
        candidate = here / name
        tried.append(str(candidate))
        if candidate.exists():
            return _open(str(candidate))
    found = ctypes.util.find_library("zefraapi")
    for name in (*_NAMES, *([found] if found else [])):
        tried.append(f"{name} on the system library path")
        try:
            return _open(name)
        except OSError:
            pass
    raise LibraryNotFoundError(
        "the ZEFRAAPI library was not found; set ZEFRAAPI_LIBRARY to its path. Tried: "
        "ZEFRAAPI_LIBRARY (not set), " + ", ".join(tried))


def library():
    """The loaded library, every export with its argtypes and an int32 restype."""
    global _library
    with _lock:
        if _library is None:
            lib = _find()
            missing = [name for name in _prototypes.PROTOTYPES if not hasattr(lib, name)]
            if missing:
                raise LibraryNotFoundError(
                    f"{lib._name} lacks {len(missing)} exports of this package, such as {missing[0]}: "
                    "library and package are of different versions")
            for name, argtypes in _prototypes.PROTOTYPES.items():
                function = getattr(lib, name)
                function.argtypes = argtypes
                function.restype = ctypes.c_int32
            _library = lib
        return _library
