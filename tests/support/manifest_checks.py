"""Runs the checks that a test program's manifest names on the files it wrote.

A checker script imports this module (from tests/support) and hands over its checks by kind:

    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
    import manifest_checks
    manifest_checks.main({"text": check_text, ...})

Every failure is reported and the other entries still run; an empty manifest fails.
"""
import json
import os
import sys


def web_level(c):
    """The nearest level of the 6x6x6 web colour cube."""
    return 51 * ((c + 25) // 51)


def run(folder, checks):
    with open(os.path.join(folder, "manifest.json"), encoding="utf-8") as f:
        manifest = json.load(f)
    passed = failed = 0
    for entry in manifest:
        try:
            checks[entry["kind"]](folder, entry)
            passed += 1
            print(f"ok      {entry['kind']:12} {entry['file']}")
        except Exception as error:  # every failure is reported, the others still run
            failed += 1
            print(f"FAILED  {entry['kind']:12} {entry['file']}: {error}")
    if not manifest:
        failed += 1
        print("FAILED  the manifest lists no files")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


def main(checks):
    """Usage: SCRIPT FOLDER  (FOLDER holds the files and their manifest.json)."""
    sys.exit(run(sys.argv[1], checks))
