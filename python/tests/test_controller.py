"""The Controller against zefra-sim: connection, settings, motion, positions, I/O, variables,
points and how failures reach the caller."""
import threading

import pytest

from zefraapi import (GP, RC_BAD_PARAM, RC_COMM_FAIL, Controller, JointPoint, P, Point,
                      RobotPoint, ZefraError)


@pytest.fixture
def robot(sim):
    with Controller(*sim) as c:
        yield c


def refused_with(code, call, *args):
    with pytest.raises(ZefraError) as caught:
        call(*args)
    assert caught.value.code == code, str(caught.value)
    return caught.value


def test_connection_lifecycle(sim, dead_port):
    with Controller(*sim, slot=3) as c:
        assert c.slot == 3 and c.raw("Get_Vel") == "=50"
    refused_with(RC_COMM_FAIL, c.get_speed)              # closed: no call reaches anything
    with c:                                               # and it can connect again
        assert c.get_speed() == 50
    error = refused_with(RC_COMM_FAIL, Controller(sim[0], dead_port).connect)
    assert "nothing answers" in str(error)


def test_a_held_slot_is_not_shared(sim):
    # The library would keep the first connection for a second connect on the slot, whatever
    # address it names; two Controllers must never end up talking through one slot.
    with Controller(*sim, slot=0), Controller(*sim) as second:
        assert second.slot == 1
        error = refused_with(RC_BAD_PARAM, Controller(*sim, slot=0).connect)
        assert "held" in str(error)
    with Controller(*sim, slot=0) as again:
        assert again.get_speed() == 50


# (what, where it is set, value, where it is read when elsewhere): set_<what>, then get_<what>.
@pytest.mark.parametrize("what, where, value, read_at", [
    ("speed", (), 30, None), ("mode", (), 2, None), ("acc_ramp", (), (0.5, 2.25), None),
    ("io", ("do", 3), 1, None), ("io", ("di", 2), 1, None), ("io", ("do-group", 1), 0x5A, None),
    ("io", ("da", 1), 2.5, None),
    *[("var", (word, 4), value, None) for word, value in [
        ("b", -7), ("r", 2**31 - 1), ("d", -0.125), ("lb", 1), ("lr", -(2**31)), ("ld", 1e6), ("u8", 255),
        ("s8", -128), ("u16", 65535), ("s16", -32768), ("u32", 4294967295), ("s32", -5), ("f32", 0.5),
        ("d64", 123456.75), ("p", Point((1, 2, 3, 4, 5, 6), (0, 0, 1, 0), (0, 1, 2)))]],
    ("point", ("gp", 5), Point((10, 20, 30, 40, 50, 60), (1, 0, 0, 0), (0, 0, 1)), None),
    ("point", ("robp", 5), RobotPoint((1, 2, 3, 4, 5, 6), (0, 1, 0, 0), (7, 8)), None),
    ("point", ("robjp", 5), JointPoint((1, 2, 3, 4, 5, 6, 7), (9,)), None),
    ("point", ("p", 8), Point((1, 1, 1, 1, 1, 1)), ("gp", 8)),     # p is the GP table's second name
])
def test_what_is_set_reads_back(robot, what, where, value, read_at):
    getattr(robot, f"set_{what}")(*where, *(value if what == "acc_ramp" else (value,)))
    assert getattr(robot, f"get_{what}")(*(read_at or where)) == value


def test_motions_reach_their_targets(robot):
    assert robot.joint_position().axes[:6] == pytest.approx((0, 0, 0, 0, 30, 0))
    s = robot.status()
    assert (s.mode, s.motors_on, s.emergency_stop, s.moving, s.speed) == (1, False, False, False, 50)
    robot.set_motors(True)
    robot.set_point("gp", 1, Point((800, -150, 900, 180, 0, 0)))
    robot.move("joint", GP(1))
    assert robot.wait_motion(timeout=20).pos == pytest.approx((800, -150, 900, 180, 0, 0), abs=1e-3)
    robot.move("linear", Point((700, 200, 750, 180, 0, 0)))
    assert robot.status().moving
    here = robot.wait_motion(timeout=20)
    assert here.pos == pytest.approx((700, 200, 750, 180, 0, 0), abs=1e-3)
    assert robot.robot_position().pos == pytest.approx(here.pos, abs=1e-6)
    assert robot.status().position == here


@pytest.mark.parametrize("type_word, value", [
    ("u8", 256), ("s8", -129), ("u16", -1), ("u32", -1), ("r", 2**31), ("f32", 1e39),
    ("d", float("nan")), ("d64", float("inf")), ("b", 1.5), ("p", (1, 2, 3, 4, 5, 6)),
])
def test_values_the_c_types_cannot_hold_are_refused(robot, type_word, value):
    # ctypes would cut 256 to 0 for a u8 and send it; nothing may reach the controller.
    robot.set_var(type_word, 6, 0 if type_word != "p" else Point((0,) * 6))
    before = robot.get_var(type_word, 6)
    refused_with(RC_BAD_PARAM, robot.set_var, type_word, 6, value)
    assert robot.get_var(type_word, 6) == before


def connect(robot, **kwargs):
    Controller(**{"host": robot.host, "port": robot.port, **kwargs}).connect()


@pytest.mark.parametrize("call, code, words", [
    (lambda r: connect(r, slot=10), RC_BAD_PARAM, "slot must be 0..9"),
    (lambda r: connect(r, slot=-1), RC_BAD_PARAM, "slot must be 0..9"),
    (lambda r: connect(r, timeout=0), RC_BAD_PARAM, "timeout must be at least 1 second"),
    (lambda r: connect(r, port=70000), RC_BAD_PARAM, "port must be an integer 0..65535"),
    (lambda r: connect(r, host="robot.local"), RC_BAD_PARAM, "host must be an IPv4 address"),
    (lambda r: r.move("joint", Point((800, 0, 900, 180, 0, 0))), -4, "controller refused: error 4"),
    (lambda r: r.raw("NoSuchCommand"), -1, "controller refused: error 1"),
    (lambda r: r.move("joint", P(3), GP(4)), RC_BAD_PARAM, "bad argument"),
    (lambda r: r.raw("Get_Vel$$"), RC_BAD_PARAM, "bad argument"),
    (lambda r: r.select_program("a\0b"), RC_BAD_PARAM, "bad argument"),
    (lambda r: r.set_io("ad", 1, 2.0), RC_BAD_PARAM, "ad cannot be set"),
    (lambda r: r.get_var("x32", 1), RC_BAD_PARAM, "variable type 'x32'"),
    (lambda r: Point((1, 2, 3)), RC_BAD_PARAM, "pos takes 6 values"),
])
def test_failures_carry_their_code_and_words(robot, call, code, words):
    error = refused_with(code, call, robot)
    assert words in str(error)
    assert error.controller_error == (-code if code in (-1, -4) else None)


def test_a_lost_link_reports_a_communication_failure(robot, sim):
    robot.raw("Get_Vel")
    sim.proc.terminate()
    sim.proc.wait(10)
    refused_with(RC_COMM_FAIL, robot.get_speed)
    refused_with(RC_COMM_FAIL, robot.get_speed)     # the slot stays closed


def test_one_controller_from_many_threads(robot):
    failures = []

    def worker(index):
        try:
            for value in range(40):
                robot.set_var("r", index, value)
                if robot.get_var("r", index) != value:
                    failures.append((index, value))
        except ZefraError as e:
            failures.append(e)

    threads = [threading.Thread(target=worker, args=(i,)) for i in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert failures == []
