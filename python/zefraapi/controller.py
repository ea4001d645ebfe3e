"""The Pythonic layer: one Controller per connection slot, values in and out, one exception."""
import ctypes
import ipaddress
import math
import threading
import time
from dataclasses import dataclass
from typing import ClassVar

from . import _prototypes as c
from ._library import library

_MEANINGS = {
    c.RC_OK: "done",
    c.RC_COMM_FAIL: "communication failure",
    c.RC_BAD_PARAM: "bad argument",
    c.RC_FAIL: "reply not understood",
}


def meaning(code):
    """A result code in words; every code the library does not define is a controller error."""
    return _MEANINGS.get(code, f"controller refused: error {-code}")


class ZefraError(Exception):
    """A call that did not succeed: `code` is the library's result code, `meaning` its words."""

    def __init__(self, code, detail=""):
        self.code = code
        self.meaning = meaning(code)
        self.detail = detail
        super().__init__(f"{self.meaning}: {detail}" if detail else self.meaning)

    @property
    def controller_error(self):
        """The error number N the controller sent (result code -N), or None."""
        return None if self.code in _MEANINGS else -self.code


def _bad(detail):
    return ZefraError(c.RC_BAD_PARAM, detail)


# ctypes cuts integers to the width of the C type without a word; these checks refuse instead.
def _integer(value, what, ctype=ctypes.c_int32):
    bits = 8 * ctypes.sizeof(ctype)
    lo, hi = (-(1 << (bits - 1)), (1 << (bits - 1)) - 1) if ctype(-1).value < 0 else (0, (1 << bits) - 1)
    if not isinstance(value, int) or not lo <= value <= hi:
        raise _bad(f"{what} must be an integer {lo}..{hi}")
    return int(value)


def _real(value, what, ctype=ctypes.c_double):
    limit = 3.4028234663852886e38 if ctype is ctypes.c_float else math.inf
    if isinstance(value, bool) or not isinstance(value, (int, float)) or not math.isfinite(value) \
            or abs(value) > limit:
        raise _bad(f"{what} must be a finite number" + (" in the float range" if limit < math.inf else ""))
    return float(value)


def _text(value, what):
    data = value.encode() if isinstance(value, str) else value
    if not isinstance(data, bytes) or b"\0" in data:
        raise _bad(f"{what} must be text without a zero byte")
    return data


class _Record:
    """Frozen dataclass over a C record: values checked and padded on the way in."""

    _c: ClassVar[type]
    _layout: ClassVar[tuple]  # (field, C field, real?, count, least)

    def __post_init__(self):
        for name, _, real, count, least in self._layout:
            values = tuple(getattr(self, name))
            if not least <= len(values) <= count:
                raise _bad(f"{name} takes {least if least == count else f'{least} to {count}'} values")
            values = tuple(_real(v, name) if real else _integer(v, name) for v in values)
            object.__setattr__(self, name, values + (0.0 if real else 0,) * (count - len(values)))

    def to_c(self):
        record = self._c()
        for name, cname, _, _, _ in self._layout:
            getattr(record, cname)[:] = getattr(self, name)
        return record

    @classmethod
    def from_c(cls, record):
        return cls(**{name: tuple(getattr(record, cname)) for name, cname, _, _, _ in cls._layout})


@dataclass(frozen=True)
class Point(_Record):
    """A GP point, a p variable or an explicit motion target."""
    pos: tuple
    arm_type: tuple = (0, 0, 0, 0)
    frame_ref: tuple = (0, 0, 0)
    _c = c.PointRecord
    _layout = (("pos", "pos", True, 6, 6), ("arm_type", "armType", False, 4, 4),
               ("frame_ref", "frameRef", False, 3, 3))


@dataclass(frozen=True)
class RobotPoint(_Record):
    """A Cartesian robot point: pose, arm configuration, external axes."""
    pos: tuple
    arm_type: tuple = (0, 0, 0, 0)
    ext_axes: tuple = ()
    _c = c.RobP
    _layout = (("pos", "pos", True, 6, 6), ("arm_type", "armType", False, 4, 4),
               ("ext_axes", "extAxes", True, 6, 0))


@dataclass(frozen=True)
class JointPoint(_Record):
    """A joint robot point: up to eight axes, up to six external axes."""
    axes: tuple
    ext_axes: tuple = ()
    _c = c.RobJP
    _layout = (("axes", "axes", True, 8, 6), ("ext_axes", "extAxes", True, 6, 0))


@dataclass(frozen=True)
class P:
    """A point of the controller's P table, named by number in a motion."""
    number: int

    def __post_init__(self):
        _integer(self.number, "a point number")


@dataclass(frozen=True)
class GP(P):
    """A point of the controller's GP table."""


@dataclass(frozen=True)
class Status:
    mode: int
    motors_on: bool
    emergency_stop: bool
    moving: bool
    program_state: int
    error_state: int
    error_code: int
    speed: int
    position: Point


# type word: getter, setter, value type
_VARIABLES = {
    "b": ("ZEFRA_Get_B", "ZEFRA_Set_B", ctypes.c_int32),
    "r": ("ZEFRA_Get_R", "ZEFRA_Set_R", ctypes.c_int32),
    "d": ("ZEFRA_Get_D", "ZEFRA_Set_D", ctypes.c_double),
    "lb": ("ZEFRA_Get_LB", "ZEFRA_Set_LB", ctypes.c_int32),
    "lr": ("ZEFRA_Get_LR", "ZEFRA_Set_LR", ctypes.c_int32),
    "ld": ("ZEFRA_Get_LD", "ZEFRA_Set_LD", ctypes.c_double),
    "u8": ("ZEFRA_Get_CommonVarUchar", "ZEFRA_Set_CommonVarUchar", ctypes.c_uint8),
    "s8": ("ZEFRA_Get_CommonVarChar", "ZEFRA_Set_CommonVarChar", ctypes.c_int8),
    "u16": ("ZEFRA_Get_CommonVarUshort", "ZEFRA_Set_CommonVarUshort", ctypes.c_uint16),
    "s16": ("ZEFRA_Get_CommonVarShort", "ZEFRA_Set_CommonVarShort", ctypes.c_int16),
    "u32": ("ZEFRA_Get_CommonVarUint", "ZEFRA_Set_CommonVarUint", ctypes.c_uint32),
    "s32": ("ZEFRA_Get_CommonVarInt", "ZEFRA_Set_CommonVarInt", ctypes.c_int32),
    "f32": ("ZEFRA_Get_CommonVarFloat", "ZEFRA_Set_CommonVarFloat", ctypes.c_float),
    "d64": ("ZEFRA_Get_CommonVarDouble", "ZEFRA_Set_CommonVarDouble", ctypes.c_double),
    "p": ("ZEFRA_Get_CommonVarP", "ZEFRA_Set_CommonVarP", Point),
}
# "p" is the library's second name of the GP table.
_POINTS = {
    "gp": ("ZEFRA_Get_GP", "ZEFRA_Set_GP", Point),
    "p": ("ZEFRA_Get_P", "ZEFRA_Set_P", Point),
    "robp": ("ZEFRA_Get_RobP", "ZEFRA_Set_RobP", RobotPoint),
    "robjp": ("ZEFRA_Get_RobJP", "ZEFRA_Set_RobJP", JointPoint),
}
# Setting an input forces it.
_IO = {
    "di": ("ZEFRA_Get_DI", "ZEFRA_Set_ForceDI", ctypes.c_int32),
    "do": ("ZEFRA_Get_DO", "ZEFRA_Set_DO", ctypes.c_int32),
    "di-group": ("ZEFRA_Get_DIGroup", None, ctypes.c_int32),
    "do-group": ("ZEFRA_Get_DOGroup", "ZEFRA_Set_DOGroup", ctypes.c_int32),
    "ad": ("ZEFRA_Get_AD", None, ctypes.c_float),
    "da": ("ZEFRA_Get_DA", "ZEFRA_Set_DA", ctypes.c_float),
}
# kind: to P points, to GP points, to explicit targets
_MOTIONS = {
    "joint": ("ZEFRA_MovJ", "ZEFRA_MovJ_GP", "ZEFRA_MovJ2"),
    "linear": ("ZEFRA_MovL", "ZEFRA_MovL_GP", "ZEFRA_MovL2"),
    "jump": ("ZEFRA_Jump", "ZEFRA_Jump_GP", "ZEFRA_Jump2"),
    "jumpl": ("ZEFRA_JumpL", "ZEFRA_JumpL_GP", "ZEFRA_JumpL2"),
    "circle": ("ZEFRA_MovC", "ZEFRA_MovC_GP", "ZEFRA_MovC2"),
}


def _row(table, key, what):
    if key not in table:
        raise _bad(f"{what} {key!r} is not one of {', '.join(table)}")
    return table[key]


def _to_c(value, kind, what):
    if isinstance(kind, type) and issubclass(kind, _Record):
        if not isinstance(value, kind):
            raise _bad(f"{what} must be a {kind.__name__}")
        return ctypes.byref(value.to_c())
    if kind in (ctypes.c_float, ctypes.c_double):
        return _real(value, what, kind)
    return _integer(value, what, kind)


# Slots held by Controllers of this process: a second connect on a held slot would silently
# reuse the first connection, whatever address it names.
_held = set()
_held_lock = threading.Lock()


class Controller:
    """One connection slot of the library. Use it as a context manager:

        with Controller("127.0.0.1", 6000) as robot:
            robot.set_speed(30)
    """

    def __init__(self, host="127.0.0.1", port=6000, slot=None, timeout=3):
        self.host, self.port, self.timeout, self._wanted = host, port, timeout, slot
        self.slot = None
        self._lib = library()
        self._calls = threading.Condition()
        self._running = 0

    # ---- connection -------------------------------------------------------------------------

    def connect(self):
        try:
            address = int(ipaddress.IPv4Address(self.host))
        except ValueError:
            raise _bad("host must be an IPv4 address such as 127.0.0.1") from None
        port = _integer(self.port, "port", ctypes.c_uint16)
        timeout = _integer(self.timeout, "timeout")
        with _held_lock:
            if self.slot is not None:
                raise _bad(f"already connected on slot {self.slot}")
            slot = self._wanted
            if slot is None:
                slot = next((s for s in range(10) if s not in _held), None)
                if slot is None:
                    raise _bad("all 10 slots are held")
            elif not isinstance(slot, int) or not 0 <= slot <= 9:
                raise _bad("slot must be 0..9")
            elif slot in _held:
                raise _bad(f"slot {slot} is held by another Controller")
            _held.add(slot)
        rc = self._lib.ZEFRA_Init_ETH(address, port, timeout, slot)
        if rc != c.RC_OK:
            with _held_lock:
                _held.discard(slot)
            raise ZefraError(rc, f"nothing answers at {self.host}:{port}" if rc == c.RC_COMM_FAIL
                             else "timeout must be at least 1 second" if rc == c.RC_BAD_PARAM else "connect")
        with self._calls:
            self.slot = slot
        return self

    def close(self):
        """Disconnects; a call waiting on the slot in another thread fails at once."""
        with self._calls:
            slot, self.slot = self.slot, None
        if slot is None:
            return
        try:
            rc = self._lib.ZEFRA_Exit_ETH(slot)
            # The slot goes back to the pool only when no call of ours can still use it.
            with self._calls:
                self._calls.wait_for(lambda: self._running == 0)
        finally:
            with _held_lock:
                _held.discard(slot)
        if rc != c.RC_OK:
            raise ZefraError(rc, "disconnect")

    def __enter__(self):
        return self.connect()

    def __exit__(self, *exc):
        self.close()

    def call(self, name, *args):
        """Calls the export `name` on this slot (the slot is appended); raises on failure."""
        with self._calls:
            if self.slot is None:
                raise ZefraError(c.RC_COMM_FAIL, "not connected")
            slot = self.slot
            self._running += 1
        try:
            rc = getattr(self._lib, name)(*args, slot)
        finally:
            with self._calls:
                self._running -= 1
                self._calls.notify_all()
        if rc != c.RC_OK:
            raise ZefraError(rc, name)

    def _query(self, name, *args, ctype=ctypes.c_int32):
        out = ctype()
        self.call(name, *args, ctypes.byref(out))
        return out.value

    # ---- control and settings ---------------------------------------------------------------

    def raw(self, text):
        """Sends a command text unchanged and returns the reply payload."""
        reply = ctypes.create_string_buffer(512)  # zeroed: the payload comes without a terminator
        self.call("ZEFRA_Common_Cmd", _text(text, "the command"), reply)
        return reply.value.decode(errors="surrogateescape")

    def reset_errors(self):
        self.call("ZEFRA_ResetErr")

    def set_motors(self, on):
        self.call("ZEFRA_MotorEnable", 1 if on else 0)

    def set_emergency_stop(self, on):
        self.call("ZEFRA_EmergStop", 1 if on else 0)

    def get_speed(self):
        return self._query("ZEFRA_Get_Vel")

    def set_speed(self, percent):
        self.call("ZEFRA_Set_Vel", _integer(percent, "speed"))

    def get_mode(self):
        return self._query("ZEFRA_Get_Mode")

    def set_mode(self, mode):
        self.call("ZEFRA_Set_Mode", _integer(mode, "mode"))

    def get_acc_ramp(self):
        a, b = ctypes.c_double(), ctypes.c_double()
        self.call("ZEFRA_Get_AccRamp", ctypes.byref(a), ctypes.byref(b))
        return a.value, b.value

    def set_acc_ramp(self, first, second):
        self.call("ZEFRA_Set_AccRamp", _real(first, "first"), _real(second, "second"))

    def select_program(self, path):
        self.call("ZEFRA_Set_CurPrgPath", _text(path, "the path"))

    def start_program(self):
        self.call("ZEFRA_PrgCtrl", 1)

    def stop_program(self):
        self.call("ZEFRA_PrgCtrl", 0)

    def firmware_version(self):
        text = ctypes.create_string_buffer(32)
        self.call("ZEFRA_Get_FwVersion", text)
        return text.value.decode(errors="replace")

    # ---- state and position -----------------------------------------------------------------

    def position(self):
        record = c.PointRecord()
        self.call("ZEFRA_Get_PosHere", ctypes.byref(record))
        return Point.from_c(record)

    def robot_position(self):
        record = c.RobP()
        self.call("ZEFRA_Get_RobPosHere", ctypes.byref(record))
        return RobotPoint.from_c(record)

    def joint_position(self):
        record = c.RobJP()
        self.call("ZEFRA_Get_RobJPosHere", ctypes.byref(record))
        return JointPoint.from_c(record)

    def status(self):
        return Status(
            mode=self._query("ZEFRA_Get_Mode"),
            motors_on=self._query("ZEFRA_Get_MotorSts") != 0,
            emergency_stop=self._query("ZEFRA_Get_EStopSts") != 0,
            moving=self._query("ZEFRA_Get_MotionSts") != 0,
            program_state=self._query("ZEFRA_Get_PrgSts"),
            error_state=self._query("ZEFRA_Get_SysErrSts"),
            error_code=self._query("ZEFRA_Get_SysErr", ctype=ctypes.c_uint32),
            speed=self._query("ZEFRA_Get_Vel"),
            position=self.position())

    # ---- motion -----------------------------------------------------------------------------

    def move(self, kind, *targets, arg1=0, arg2=0):
        """A motion of `kind` (joint, linear, jump, jumpl; circle takes two targets) to P(n),
        GP(n) or Point targets, all of one form."""
        names = _row(_MOTIONS, kind, "motion")
        if len(targets) != (2 if kind == "circle" else 1):
            raise _bad(f"a {kind} motion takes {2 if kind == 'circle' else 1} target(s)")
        forms = {type(t) for t in targets}
        if len(forms) != 1 or not forms <= {P, GP, Point}:
            raise _bad("targets must be P(n), GP(n) or Point, all of one form")
        form = forms.pop()
        if form is Point:
            records = [t.to_c() for t in targets]
            self.call(names[2], *map(ctypes.byref, records), _integer(arg1, "arg1"), _integer(arg2, "arg2"))
        else:
            self.call(names[form is GP], *(t.number for t in targets),
                      _integer(arg1, "arg1"), _integer(arg2, "arg2"))

    def wait_motion(self, timeout=None, poll=0.05):
        """Waits until the controller reports no motion, then returns the position."""
        deadline = None if timeout is None else time.monotonic() + timeout
        while self._query("ZEFRA_Get_MotionSts") != 0:
            if deadline is not None and time.monotonic() > deadline:
                raise TimeoutError(f"still moving after {timeout} s")
            time.sleep(poll)
        return self.position()

    # ---- I/O, variables, points -------------------------------------------------------------

    def get_io(self, kind, index):
        getter, _, ctype = _row(_IO, kind, "I/O kind")
        return self._query(getter, _integer(index, "index"), ctype=ctype)

    def set_io(self, kind, index, value):
        _, setter, ctype = _row(_IO, kind, "I/O kind")
        if setter is None:
            raise _bad(f"{kind} cannot be set")
        self.call(setter, _integer(index, "index"), _to_c(value, ctype, "the value"))

    def _get(self, table, key, what, index):
        getter, _, kind = _row(table, key, what)
        if isinstance(kind, type) and issubclass(kind, _Record):
            record = kind._c()
            self.call(getter, _integer(index, "index"), ctypes.byref(record))
            return kind.from_c(record)
        return self._query(getter, _integer(index, "index"), ctype=kind)

    def _set(self, table, key, what, index, value):
        _, setter, kind = _row(table, key, what)
        self.call(setter, _integer(index, "index"), _to_c(value, kind, "the value"))

    def get_var(self, type_word, index):
        """A variable by its type word: b r d lb lr ld u8 s8 u16 s16 u32 s32 f32 d64 p."""
        return self._get(_VARIABLES, type_word, "variable type", index)

    def set_var(self, type_word, index, value):
        self._set(_VARIABLES, type_word, "variable type", index, value)

    def get_point(self, kind, index):
        """A stored point: gp (p is its second name) as Point, robp as RobotPoint, robjp as JointPoint."""
        return self._get(_POINTS, kind, "point kind", index)

    def set_point(self, kind, index, point):
        self._set(_POINTS, kind, "point kind", index, point)


__all__ = ["Controller", "ZefraError", "meaning", "Point", "RobotPoint", "JointPoint", "P", "GP", "Status"]
