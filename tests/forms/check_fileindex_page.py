#!/usr/bin/python3
"""Checks the XHTML index page that a file index run wrote, with independent tools: xmllint
(well-formed, and valid against the XHTML 1.0 Transitional DTD from the offline catalog apart
from the repeated ids the page keeps on purpose) and headless Chromium, whose rendering Pillow
checks for text and for the blue links of the letter bar under the heading.

Usage: check_fileindex_page.py PAGE
"""
import os
import re
import subprocess
import sys
import tempfile

from PIL import Image

REPEATED_ID = re.compile(r"validity error : ID (box|abc-box|l|r) already defined")


def xmllint(page, *options):
    run = subprocess.run(["xmllint", "--noout", "--nonet", *options, page], capture_output=True, text=True)
    return run.returncode, run.stderr


def check_markup(page):
    code, errors = xmllint(page, "--loaddtd")
    assert code == 0, "not well-formed:\n" + errors
    code, errors = xmllint(page, "--valid")
    faults = [line for line in errors.splitlines()
              if "error" in line and not REPEATED_ID.search(line)]
    assert not faults, "not valid:\n" + "\n".join(faults)


def render(page, shot):
    with tempfile.TemporaryDirectory() as profile:
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                        "--user-data-dir=" + profile, "--screenshot=" + shot, "--window-size=800,600",
                        "file://" + os.path.abspath(page)],
                       capture_output=True, timeout=120, check=True)


def check_rendering(shot):
    with Image.open(shot) as picture:
        rgb = picture.convert("RGB")
    width, height = rgb.size
    pixels = rgb.load()
    dark = blue = 0
    for y in range(min(height, 60)):
        for x in range(width):
            r, g, b = pixels[x, y]
            if r < 120 and g < 120 and b < 120:
                dark += 1
            if b > 150 and r < 100 and g < 100 and y >= 28:
                blue += 1
    assert dark > 50, "no heading drawn"
    assert blue > 10, "no letter bar drawn under the heading"


def main():
    page = sys.argv[1]
    check_markup(page)
    with tempfile.TemporaryDirectory() as folder:
        shot = os.path.join(folder, "page.png")
        render(page, shot)
        check_rendering(shot)
    print("page checked:", page)


if __name__ == "__main__":
    main()
