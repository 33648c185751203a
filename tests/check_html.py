#!/usr/bin/env python3
"""Checks that each page named is well formed and self-contained: every
element closed in order, no script, nothing fetched from elsewhere."""
import sys
from html.parser import HTMLParser

VOID = {"br", "meta", "hr", "img", "link", "col", "input"}


class Checker(HTMLParser):
    def __init__(self):
        super().__init__()
        self.open = []
        self.errors = []
        self.doctype = False

    def handle_decl(self, decl):
        self.doctype = self.doctype or decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        if tag == "script" or any(name in ("src", "href") for name, _ in attrs):
            self.errors.append(f"line {self.getpos()[0]}: <{tag}> fetches or runs something")
        if tag not in VOID:
            self.open.append(tag)

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.errors.append(f"line {self.getpos()[0]}: </{tag}> closes {self.open[-1:] or 'nothing'}")
        else:
            self.open.pop()


status = 0
for path in sys.argv[1:]:
    checker = Checker()
    with open(path, encoding="utf-8") as page:
        checker.feed(page.read())
    checker.close()
    problems = checker.errors + ([] if checker.doctype else ["no <!DOCTYPE html>"])
    problems += [f"<{tag}> never closed" for tag in checker.open]
    for problem in problems:
        print(f"{path}: {problem}")
    status |= bool(problems)
sys.exit(status)
