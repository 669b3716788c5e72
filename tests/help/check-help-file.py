#!/usr/bin/env python3
"""Checks the compiled help file with Free Pascal's chmls, as a help viewer would find it:
every page of docs/help is in the file, the compiled table of contents and index name pages (and
anchors) that exist, every link and picture between pages resolves, and the file's system data
points at a default topic, contents and index that exist.
    check-help-file.py HELP.chm DOCS_DIR
Prints one line per fault and exits 1 when there is any."""
import html.parser
import os
import posixpath
import re
import subprocess
import sys
import tempfile


class Page(html.parser.HTMLParser):
    """Links, anchors and sitemap entries of one HTML page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links, self.anchors, self.locals, self.names = [], set(), [], []
        self.title = ""
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "title":
            self._in_title = True
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        if tag in ("link", "img", "script") and (a.get("href") or a.get("src")):
            self.links.append(a.get("href") or a.get("src"))
        if tag == "a" and "name" in a:
            self.anchors.add(a["name"])
        if "id" in a:
            self.anchors.add(a["id"])
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.locals.append(a.get("value", ""))
        if tag == "param" and (a.get("name") or "").lower() == "name":
            self.names.append(a.get("value", ""))

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def parse(path):
    page = Page()
    with open(path, encoding="cp1252") as f:
        page.feed(f.read())
    return page


def run(*args):
    return subprocess.run(["chmls", *args], capture_output=True, text=True, check=True).stdout


def main():
    chm, docs = sys.argv[1], sys.argv[2]
    faults = []
    listed = {line.strip().lstrip("/") for line in run("-n", "list", chm).splitlines()
              if line.startswith("/") and not line.startswith("/#") and not line.startswith("/$")}
    sources = {f for f in os.listdir(docs) if f.endswith((".html", ".css", ".hhc", ".hhk"))}
    for missing in sorted(sources - listed):
        faults.append(f"{missing}: in {docs} but not in the help file")

    with tempfile.TemporaryDirectory() as out:
        run("extractall", chm, out + "/")
        pages = {f: parse(os.path.join(out, f)) for f in listed if f.endswith(".html")}
        if len(pages) < 2:
            faults.append(f"only {len(pages)} pages extracted")

        def resolve(where, target, base=""):
            """Fault text for a link that does not lead to an existing page and anchor, else None."""
            if re.match(r"^[a-z]+:", target, re.I):
                return None if target.lower().startswith(("http:", "https:", "mailto:")) else \
                    f"{where}: link {target!r} leaves the help file in an unexpected way"
            file, _, anchor = target.partition("#")
            file = posixpath.normpath(posixpath.join(posixpath.dirname(base), file)) if file else base
            if file not in listed:
                return f"{where}: {target!r} names {file!r}, which is not in the help file"
            if anchor and (file not in pages or anchor not in pages[file].anchors):
                return f"{where}: {target!r} names anchor {anchor!r}, which {file} lacks"
            return None

        for name, page in sorted(pages.items()):
            if not page.title.strip():
                faults.append(f"{name}: no title")
            for link in page.links:
                faults.append(resolve(name, link, name))

        # The contents and index as the viewer reads them: rebuilt from the compiled binary data.
        for what, command, minimum in (("contents", "extracttoc", len(sources & set(pages))),
                                       ("index", "extractindex", 10)):
            sitemap = os.path.join(out, what + ".sitemap")
            run(command, chm, sitemap)
            entries = parse(sitemap).locals
            if len(entries) < minimum:
                faults.append(f"{what}: {len(entries)} entries, expected at least {minimum}")
            for local in entries:
                faults.append(resolve(what, local))
            if what == "contents":
                for orphan in sorted(set(pages) - {e.partition("#")[0] for e in entries}):
                    faults.append(f"contents: page {orphan} is not in the table of contents")

    system = run("printsystem", chm)
    for label, expect in (("Default topic", ".html"), ("Contents file", ".hhc"), ("Index file", ".hhk")):
        found = re.search(label + r" from \[options\]\s*:([^\s\x00]+)", system)
        if not found or not found.group(1).endswith(expect):
            faults.append(f"#SYSTEM: no {label.lower()}")
        elif found.group(1) not in listed:
            faults.append(f"#SYSTEM: {label.lower()} {found.group(1)} is not in the help file")

    faults = [f for f in faults if f]
    for f in faults:
        print("FAULT:", f)
    print(f"{chm}: {len(pages)} pages, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
