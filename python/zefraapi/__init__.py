"""ZEFRAAPI from Python: the library's exports through ctypes, and a Controller over them.

    from zefraapi import Controller, GP

    with Controller("127.0.0.1", 6000) as robot:
        robot.set_motors(True)
        robot.move("joint", GP(1))
        print(robot.wait_motion())

`zefraapi.library()` is the loaded shared library with every export prototyped, for the
functions the Controller does not cover; `zefraapi.records` holds its ctypes records.
"""
from . import _prototypes as records
from ._library import LibraryNotFoundError, library
from .controller import GP, Controller, JointPoint, P, Point, RobotPoint, Status, ZefraError, meaning

RC_OK, RC_COMM_FAIL, RC_BAD_PARAM, RC_FAIL = records.RC_OK, records.RC_COMM_FAIL, records.RC_BAD_PARAM, records.RC_FAIL

__version__ = "0.1.0"
__all__ = ["Controller", "ZefraError", "meaning", "Point", "RobotPoint", "JointPoint", "P", "GP", "Status",
           "LibraryNotFoundError", "library", "records", "RC_OK", "RC_COMM_FAIL", "RC_BAD_PARAM", "RC_FAIL"]
