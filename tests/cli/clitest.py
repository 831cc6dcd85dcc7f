"""Runs quorvane-cli as a user would, natively or under Wine, in temporary folders."""
import os
import shutil
import subprocess
import tempfile
import unittest

CLI = os.environ.get("QV_CLI", "")
RUNNER = os.environ.get("QV_RUNNER", "")
GENERATOR = os.environ.get("QV_GENERATOR", "")
UNDER_WINE = bool(RUNNER)


def sim_path(path):
    """A Linux path as the program sees and prints it: as is natively, on drive Z: under Wine."""
    if not UNDER_WINE:
        return path
    return "Z:" + path.replace("/", "\\")


class Result:
    def __init__(self, proc):
        self.status = proc.returncode
        self.out = proc.stdout.decode("utf-8")
        self.err = proc.stderr.decode("utf-8")
        self.lines = [l for l in self.err.splitlines() if l]

    def events(self, prefix):
        return [l[len(prefix):] for l in self.lines if l.startswith(prefix)]


class CliTest(unittest.TestCase):
    """A fresh base folder per test; `self.run_cli` runs the program there."""

    def setUp(self):
        if not CLI:
            self.skipTest("QV_CLI is not set")
        self.base = tempfile.mkdtemp(prefix="qvcli-")
        self.addCleanup(self._remove, self.base)

    @staticmethod
    def _remove(path):
        for root, dirs, _ in os.walk(path):
            for d in dirs:
                os.chmod(os.path.join(root, d), 0o755)
        shutil.rmtree(path, ignore_errors=True)

    def run_cli(self, *args, cwd=None, user=None, env=None):
        """Runs the program; with `user`, as that user (the tests run as root, whom permissions
        don't stop), natively only; `env` adds to the environment."""
        cmd = ([RUNNER] if RUNNER else []) + [CLI] + list(args)
        if user:
            if UNDER_WINE:
                self.skipTest("a Wine prefix belongs to one user")
            if os.geteuid() == 0:
                for root, dirs, files in os.walk(self.base):
                    for name in dirs + files:
                        os.lchown(os.path.join(root, name), *self._ids(user))
                os.chown(self.base, *self._ids(user))
                uid, gid = self._ids(user)
                cmd = ["setpriv", "--reuid=%d" % uid, "--regid=%d" % gid, "--clear-groups"] + cmd
        proc = subprocess.run(cmd, cwd=cwd or self.base, stdin=subprocess.DEVNULL,
                              env=dict(os.environ, **env) if env else None,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
        return Result(proc)

    @staticmethod
    def _ids(user):
        import pwd
        entry = pwd.getpwnam(user)
        return entry.pw_uid, entry.pw_gid

    def path(self, *parts):
        return os.path.join(self.base, *parts)

    def write(self, rel, data):
        p = self.path(*rel.split("/"))
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("cp1252"))
        return p

    def read(self, rel):
        with open(self.path(*rel.split("/")), "rb") as f:
            return f.read()

    def exists(self, rel):
        return os.path.lexists(self.path(*rel.split("/")))

    def settings(self, sim_folder, version="3"):
        r = self.run_cli("settings", sim_path(sim_folder), version)
        self.assertEqual(r.status, 0, r.err)
        return r


def main():
    unittest.main(verbosity=2)
