"""The zefra command against zefra-sim: exit statuses, words, --json, usage."""
import json
import os
import subprocess

import pytest

from conftest import BUILD

ZEFRA = os.environ.get("ZEFRA_CLI", str(BUILD / "tools" / "cli" / "zefra"))


def zefra(sim, *args):
    env = {k: v for k, v in os.environ.items() if k not in ("ZEFRA_HOST", "ZEFRA_PORT")}
    env["ZEFRA_PORT"] = str(sim[1])
    return subprocess.run([ZEFRA, *args], capture_output=True, env=env, timeout=60)


def documents(stdout):
    """Every line one JSON document."""
    return [json.loads(line) for line in stdout.decode().splitlines()]


@pytest.mark.parametrize("args, status, stdout, stderr", [
    (["status"], 0, "speed percent   50", ""),
    (["raw", "Get_Vel"], 0, "=50", ""),
    (["version"], 0, "firmware    ZS-2.4.1", ""),
    (["io", "get", "do", "3"], 0, "value  0", ""),
    (["raw", "NoSuchCommand"], 3, "", "zefra: controller refused: error 1\n"),
    (["move", "joint", "1,2,3,4,5,6"], 3, "", "controller refused: error 4"),
    (["--slot", "10", "status"], 5, "", "zefra: bad argument: slot must be 0..9\n"),
    (["--timeout", "0", "status"], 5, "", "bad argument: timeout must be at least 1 second"),
    (["--host", "localhost", "status"], 5, "", "bad argument: host must be an IPv4 address"),
    (["var", "set", "u8", "1", "256"], 5, "", "bad argument: the value must be an integer 0..255"),
    (["var", "set", "f32", "1", "1e39"], 5, "", "in the float range"),
    (["var", "set", "d", "1", "nan"], 5, "", "must be a finite number"),
    (["var", "set", "r", "1", "2", "3"], 5, "", "r takes one value"),
    (["point", "set", "gp", "1", "1,2,3"], 5, "", "a position takes 6 values"),
    (["point", "set", "robjp", "1", "1,2,3,4,5,6", "--arm", "0,0,0,0"], 5, "", "robjp takes --ext"),
    (["io", "set", "ad", "1", "2"], 5, "", "ad cannot be set"),
    (["raw", "Get_Vel$$"], 5, "", "bad argument: a command text holds at most 1019"),
    (["move", "circle", "gp1", "p2"], 5, "", "both targets of a circle must be of one form"),
    (["watch", "--interval", "0"], 5, "", "--interval must be"),
    (["nonsense"], 2, "", "Usage: zefra [OPTIONS] SUBCOMMAND"),
    (["io", "get", "do"], 2, "", "Usage: zefra io get [OPTIONS] kind index"),
    (["var", "get", "x32", "1"], 2, "", "x32 not in"),
    (["--port", "abc", "status"], 2, "", "Usage: zefra"),
    # With --json every line is one document, failures included.
    (["--json", "raw", "Get_Vel"], 0, {"command": "Get_Vel", "reply": "=50"}, ""),
    (["--json", "raw", "NoSuchCommand"], 3, {"error": "controller refused: error 1", "result": -1}, ""),
    (["--json", "--slot", "-1", "status"], 5, {"error": "bad argument: slot must be 0..9", "result": -254}, ""),
    (["--json", "var", "set", "u32", "2", "4294967295"], 0,
     {"result": "done", "var": "u32", "index": 2, "value": 4294967295}, ""),
    (["--json", "io", "set", "da", "1", "2.5"], 0, {"result": "done", "io": "da", "index": 1, "value": 2.5}, ""),
])
def test_results_in_words_and_exit_status(sim, args, status, stdout, stderr):
    result = zefra(sim, *args)
    assert result.returncode == status, result
    assert stderr in result.stderr.decode()
    if isinstance(stdout, dict):
        assert documents(result.stdout) == [stdout]
    else:
        assert stdout in result.stdout.decode()


def test_nothing_listening_is_not_connected(sim, dead_port):
    result = zefra(sim, "--port", str(dead_port), "status")
    assert result.returncode == 4
    assert result.stderr.decode() == f"zefra: not connected: nothing answers at 127.0.0.1:{dead_port}\n"


# The last row: a reply that is not UTF-8 still gives valid JSON.
@pytest.mark.parametrize("set_args, get_args, key, value", [
    (["var", "set", "s16", "7", "-32768"], ["var", "get", "s16", "7"], "value", -32768),
    (["var", "set", "p", "7", "1", "2", "3", "4", "5", "6", "--arm", "0,0,1,0", "--frame", "0,1,2"],
     ["var", "get", "p", "7"], "value", {"pos": [1, 2, 3, 4, 5, 6], "arm_type": [0, 0, 1, 0], "frame_ref": [0, 1, 2]}),
    (["point", "set", "p", "4", "10,-20,30,40,50,60"], ["point", "get", "gp", "4"], "value",
     {"pos": [10, -20, 30, 40, 50, 60], "arm_type": [0, 0, 0, 0], "frame_ref": [0, 0, 0]}),
    (["point", "set", "robp", "2", "1,2,3,4,5,6", "--ext", "7"], ["point", "get", "robp", "2"], "value",
     {"pos": [1, 2, 3, 4, 5, 6], "arm_type": [0, 0, 0, 0], "ext_axes": [7, 0, 0, 0, 0, 0]}),
    (["io", "set", "di", "5", "1"], ["io", "get", "di", "5"], "value", 1),
    (["program", "select", b"/prg/caf\xe9.prg"], ["raw", "Get_CurPrgPath"], "reply", "=/prg/caf\ufffd.prg"),
])
def test_what_is_set_reads_back(sim, set_args, get_args, key, value):
    assert zefra(sim, *set_args).returncode == 0
    [doc] = documents(zefra(sim, "--json", *get_args).stdout)
    assert doc[key] == value


def test_move_waits_for_the_target(sim):
    assert zefra(sim, "raw", "Motor ON").returncode == 0
    result = zefra(sim, "--json", "move", "linear", "700,200,750,180,0,0", "--wait")
    [doc] = documents(result.stdout)
    assert doc["position"]["pos"][:3] == pytest.approx([700, 200, 750], abs=1e-3)


def test_watch_counts_samples(sim):
    assert len(documents(zefra(sim, "--json", "watch", "--count", "3", "--interval", "0.01").stdout)) == 3
    plain = zefra(sim, "watch", "--count", "2", "--interval", "0.01").stdout.decode().splitlines()
    assert len(plain) == 3 and plain[0].split()[:3] == ["time", "moving", "program"]


@pytest.mark.parametrize("path", [
    [], ["raw"], ["status"], ["watch"], ["io"], ["io", "get"], ["io", "set"], ["var", "get"], ["var", "set"],
    ["point", "get"], ["point", "set"], ["program"], ["program", "select"], ["move"], ["version"],
])
def test_every_sub_command_has_help(sim, path):
    result = zefra(sim, *path, "--help")
    assert result.returncode == 0
    assert f"Usage: {' '.join(['zefra', *path])}" in result.stdout.decode()
