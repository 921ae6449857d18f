#!/usr/bin/env python3
"""A program carries exactly one application manifest: DPI-aware, asking
for the Japanese locale's ANSI code page (932) whatever the system's own,
and without a requested execution level (which would switch off the system's
per-user redirection of files beside a saver installed in the system folder).
With --per-monitor it must also ask for per-monitor awareness where Windows
offers it (Windows 8.1's "true/pm", Windows 10's PerMonitorV2)."""
import re
import sys


def problems_of(blob, per_monitor):
    manifests = re.findall(rb"<assembly\b.*?</assembly>", blob, re.S)
    problems = []
    if len(manifests) != 1:
        problems.append(f"{len(manifests)} manifests embedded, expected 1")
    for text in manifests:
        aware = re.search(rb"<dpiAware\b[^>]*>\s*(true(?:/pm)?)\s*</dpiAware>", text)
        if not aware:
            problems.append("not declared DPI-aware")
        if per_monitor:
            if not aware or aware.group(1) != b"true/pm":
                problems.append("not per-monitor aware on Windows 8.1")
            awareness = re.search(rb"<dpiAwareness\b[^>]*>([^<]*)</dpiAwareness>", text)
            first = awareness.group(1).split(b",")[0].strip() if awareness else b""
            if first != b"PerMonitorV2":
                problems.append("does not ask for PerMonitorV2 first")
        # In the 2019 WindowsSettings namespace, or Windows ignores it.
        code_page = re.search(rb'<activeCodePage\s+xmlns="http://schemas\.microsoft\.com/SMI/2019/WindowsSettings"'
                              rb'\s*>\s*([^<]*?)\s*</activeCodePage>', text)
        if not code_page or code_page.group(1) != b"ja-JP":
            problems.append("does not ask for the ja-JP code page")
        if b"requestedExecutionLevel" in text:
            problems.append("declares a requested execution level")
    return problems


def main():
    args = sys.argv[1:]
    per_monitor = "--per-monitor" in args
    path = [a for a in args if a != "--per-monitor"][0]
    problems = problems_of(open(path, "rb").read(), per_monitor)
    for p in problems:
        print(p)
    print("manifest ok" if not problems else "manifest wrong")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
