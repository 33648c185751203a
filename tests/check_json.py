#!/usr/bin/env python3
"""Runs the case that saves each tvxio command's --json document
(TvxioJson.*) in a scratch folder, then reads them as a script would, with
Python's json module: ASCII only, "schema": 1 first, and the numbers of the
files the case wrote. Arguments: the command that starts the test program."""
import json
import pathlib
import subprocess
import sys
import tempfile

NOTE = "\u03a9 motor \u00fc"

with tempfile.TemporaryDirectory() as folder:
    if subprocess.run(sys.argv[1:] + ["--gtest_filter=TvxioJson.*"], cwd=folder).returncode != 0:
        sys.exit("the case that runs tvxio failed")
    docs = {}
    for path in pathlib.Path(folder).glob("*.json"):
        raw = path.read_bytes()
        assert raw.isascii(), f"{path.name} is not ASCII: {raw!r}"
        docs[path.stem] = json.loads(raw)
        assert list(docs[path.stem].items())[0] == ("schema", 1), path.name

axes = docs["show"]["axes"]
assert [s["channel"] for s in axes[0]["signals"]] == [1, 9, 17, 41, 25, 33], axes
assert axes[1]["signals"][4]["label"] == NOTE and axes[1]["signals"][5]["channel"] is None, axes
finding = docs["check"]["findings"][0]
assert docs["check"]["errors"] == 1 and finding["channels"] == [25], finding
assert [s["axis"] for s in finding["signals"]] == [1, 2], finding
assert docs["diff"]["differences"] == [
    {"axis": 2, "what": "channel", "signal": "Drive Enable (out)", "byte": None, "old": 25, "new": 26}], docs["diff"]
rows = {row["channel"]: row for row in docs["map"]["channels"]}
assert rows[25]["state"] == "conflict" and rows[25]["label"] == NOTE, rows[25]
assert rows[3]["state"] == "free" and docs["map"]["controller"] == 0, rows[3]
refused, write = docs["refused"], docs["write"]
assert refused["store"]["result"] == "not tried" and refused["findings"][0]["channels"] == [25], refused
assert [write[step]["result"] for step in ("store", "restart", "readBack")] == ["stored", "requested", "verified"], write
copies = docs["backups"]["copies"]
assert [(c["path"], c["note"], c["before"], c["axes"], c["damagedKey"]) for c in copies] == [
    (write["copy"], NOTE, "Write", 2, None)], copies
entries = docs["log"]["entries"]
assert [(e["command"], e["result"], e["note"], e["copy"]) for e in entries] == [
    ("write", "verified", NOTE, write["copy"]), ("write", "verified", None, None)], entries
assert entries[0]["changes"] == [] and len(entries[0]["sha256"]) == 64 and entries[0]["controller"] == 0, entries[0]
assert docs["stored"]["axes"] == [] and docs["stored"]["nothingStored"] is True, docs["stored"]
print(f"{len(docs)} documents read")
