#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Runs the real idrova program as a shell would, with no display and no Qt
platform set: each export format writes its file and exits 0 with nothing on
standard error; a file that cannot be read or written exits 1 naming it; a
usage error exits 2 with the usage line; --help and --version exit 0.
Usage: cli_check.py IDROVA"""
import json
import os
import pathlib
import subprocess
import sys
import tempfile


def drive(type_name, tensioner=(70, 10, 10), unknown="length", requested=0):
    return {"format": "idrova-drive", "version": 1, "type": type_name, "pitch": 8,
            "freeRule": "sprocket", "unknown": unknown, "direction": 1,
            "requestedLength": requested,
            "wheels": [{"x": 0, "y": 0, "teeth": 20}, {"x": 150, "y": 100, "teeth": 20},
                       {"x": tensioner[0], "y": tensioner[1], "teeth": tensioner[2]}]}


class Checker:
    def __init__(self, program, folder):
        self.program = program
        self.folder = folder
        self.failures = []
        runtime = folder / "runtime"
        runtime.mkdir(mode=0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env["XDG_RUNTIME_DIR"] = str(runtime)

    def run(self, name, args, status, stderr_has=(), stdout_has=(), quiet=False, env=None):
        done = subprocess.run([self.program, *args], capture_output=True, timeout=60,
                              env=env or self.env)
        out = done.stdout.decode("utf-8", "replace")
        err = done.stderr.decode("utf-8", "replace")
        if done.returncode != status:
            self.fail(name, f"exit {done.returncode}, not {status}; stderr: {err!r}")
        for text in stderr_has:
            if text not in err:
                self.fail(name, f"stderr lacks {text!r}: {err!r}")
        for text in stdout_has:
            if text not in out:
                self.fail(name, f"stdout lacks {text!r}: {out!r}")
        if quiet and err:
            self.fail(name, f"stderr is not empty: {err!r}")
        return out

    def fail(self, name, what):
        self.failures.append(f"{name}: {what}")

    def file(self, name, content):
        path = self.folder / name
        path.write_text(content if isinstance(content, str) else json.dumps(content),
                        encoding="utf-8")
        return str(path)


def check(program, folder):
    c = Checker(program, folder)
    design = c.file("design.idrova", drive("S8M1"))
    chain = c.file("chain.idrova", drive("RS401"))
    too_short = c.file("too short.idrova", drive("S8M1", unknown="x3", requested=100))
    damaged = drive("S8M1")
    damaged["wheels"][1]["teeth"] = "twenty"
    damaged = c.file("damaged.idrova", damaged)
    out = lambda name: str(folder / name)

    for source, tag in ((design, "design"), (chain, "chain")):
        for fmt in ("dxf", "svg", "pdf", "txt", "idrova"):
            c.run(f"{tag} as {fmt}", ["--export", fmt, source, out(f"{tag}-out.{fmt}")], 0,
                  quiet=True)
            if not pathlib.Path(out(f"{tag}-out.{fmt}")).is_file():
                c.fail(f"{tag} as {fmt}", "no file written")

    if c.failures:
        return c.failures  # the checks below read the files written
    sheet = pathlib.Path(out("design-out.txt")).read_text(encoding="utf-8")
    if "ベルト長さ\t524.29\n" not in sheet:
        c.fail("design as txt", f"no belt length 524.29: {sheet!r}")
    # What each export holds is checked in drive_exports_tests; here, that the
    # program writes them.
    # The drive file written reads back to the same sheet.
    c.run("design file again as txt",
          ["--export", "txt", out("design-out.idrova"), out("again.txt")], 0, quiet=True)
    if pathlib.Path(out("again.txt")).read_text(encoding="utf-8") != sheet:
        c.fail("design file again as txt", "a different sheet")

    c.run("a search that fails", ["--export", "txt", too_short, out("short.txt")], 0,
          stderr_has=("too short.idrova", "警告! 指定長さが短かすぎます", "warning"))
    if not pathlib.Path(out("short.txt")).is_file():
        c.fail("a search that fails", "nothing written")

    c.run("a missing input", ["--export", "svg", out("missing.idrova"), out("m.svg")], 1,
          stderr_has=("missing.idrova", "Cannot open"))
    c.run("a damaged input", ["--export", "svg", damaged, out("d.svg")], 1,
          stderr_has=("damaged.idrova", "wheels[1].teeth"))
    c.run("an unwritable output", ["--export", "pdf", design, out("design.idrova/x.pdf")], 1,
          stderr_has=("x.pdf", "Cannot export"))
    usage = "Usage: idrova"
    c.run("an unknown format", ["--export", "png", design, out("x.png")], 2,
          stderr_has=("png", usage))
    c.run("no format", ["--export"], 2, stderr_has=(usage,))
    c.run("no output", ["--export", "svg", design], 2, stderr_has=(usage,))
    c.run("an unknown option with an export", ["--export", "svg", design, out("y.svg"), "-q"],
          2, stderr_has=(usage,))
    c.run("an unknown option", ["--bogus"], 2, stderr_has=("bogus", usage),
          env={**c.env, "QT_QPA_PLATFORM": "offscreen"})
    c.run("two files for the window", [design, chain], 2, stderr_has=(usage,),
          env={**c.env, "QT_QPA_PLATFORM": "offscreen"})
    c.run("help", ["--help"], 0, stdout_has=("--export FORMAT INPUT OUTPUT", "idrova"),
          quiet=True)
    c.run("version", ["--version"], 0, stdout_has=("idrova ",), quiet=True)
    return c.failures


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: cli_check.py IDROVA")
    with tempfile.TemporaryDirectory() as folder:
        failures = check(sys.argv[1], pathlib.Path(folder))
    for failure in failures:
        print(failure)
    print(f"{len(failures)} failures")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
