#!/usr/bin/env python3
"""The renderer carries exactly one application manifest: DPI-aware, and
without a requested execution level (which would switch off the system's
per-user redirection of files beside a saver installed in the system folder)."""
import re
import sys


def main():
    blob = open(sys.argv[1], "rb").read()
    manifests = re.findall(rb"<assembly\b.*?</assembly>", blob, re.S)
    problems = []
    if len(manifests) != 1:
        problems.append(f"{len(manifests)} manifests embedded, expected 1")
    for text in manifests:
        if not re.search(rb"<dpiAware\b[^>]*>\s*true\s*</dpiAware>", text):
            problems.append("not declared DPI-aware")
        if b"requestedExecutionLevel" in text:
            problems.append("declares a requested execution level")
    for p in problems:
        print(p)
    print("manifest ok" if not problems else "manifest wrong")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
