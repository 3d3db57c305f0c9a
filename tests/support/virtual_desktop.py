"""virtual_desktop.sh for Python callers: the script runs as a child that holds its display while this
object's pipe to it is open, so the display also ends with a caller that dies without closing it."""
import os
import subprocess

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "virtual_desktop.sh")


class VirtualDesktop:
    """A desktop with the tray host named (trayer, lxqt-panel or none), started with the environment given;
    display is its name, ":N"."""

    def __init__(self, tray="trayer", env=None):
        self._process = subprocess.Popen([SCRIPT, "--tray", tray], env=env, stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, text=True)
        with self._process.stdout:
            self.display = self._process.stdout.read().strip()
        if not self.display:
            self._process.wait()
            raise RuntimeError("the virtual desktop did not start; virtual_desktop.sh said why above")

    def close(self):
        self._process.stdin.close()
        self._process.wait()
