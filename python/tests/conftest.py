"""Fixtures: the in-tree package and library, and a fresh zefra-sim per test."""
import os
import re
import socket
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
BUILD = ROOT / "build" / "default"
os.environ.setdefault("ZEFRAAPI_LIBRARY", str(BUILD / "libzefraapi.so"))
sys.path.insert(0, str(ROOT / "python"))


class Sim(tuple):
    """(host, port), and the process behind it."""
    proc = None


@pytest.fixture
def sim():
    """A zefra-sim on loopback that stops by itself and at teardown."""
    path = os.environ.get("ZEFRA_SIM", str(BUILD / "tools" / "sim" / "zefra-sim"))
    proc = subprocess.Popen([path, "--port", "0", "--exit-after", "120", "--time-scale", "20"],
                            stdout=subprocess.PIPE, text=True)
    try:
        found = re.match(r"listening on ([\d.]+):(\d+)", proc.stdout.readline())
        assert found, "zefra-sim did not report its port"
        running = Sim((found.group(1), int(found.group(2))))
        running.proc = proc
        yield running
    finally:
        proc.terminate()
        proc.wait(10)
        proc.stdout.close()


@pytest.fixture
def dead_port():
    """A loopback port where nothing listens."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]
