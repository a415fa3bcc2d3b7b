#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The event page opened in headless Chromium: the browser's document holds
# the champion, the bracket picture with a box for every match, and the
# standings, and the page renders to a picture of more than one colour.
#   tests/event_page_test.sh PARTYCLASH_SIM EXAMPLES_FOLDER
set -euo pipefail
sim=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$sim" --data "$examples" --tournament double-elimination --entrants all --best-of 3 --seed 4 --html > "$work/event.html"
"$sim" --data "$examples" --tournament double-elimination --entrants all --best-of 3 --seed 4 --json > "$work/event.json"
browser() {
    timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" "$@" "file://$work/event.html" 2> "$work/chromium.log"
}
browser --dump-dom > "$work/dom.html"
browser --screenshot="$work/page.png" --window-size=1200,900

python3 - "$work/dom.html" "$work/event.json" <<'PY'
import html.parser, json, sys
dom = open(sys.argv[1], encoding="utf-8").read()
event = json.load(open(sys.argv[2], encoding="utf-8"))

class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.stack, self.champion, self.boxes, self.rows, self.svg = [], "", 0, 0, 0
    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.stack.append(attrs.get("id", ""))
        self.svg += tag == "svg"
        self.boxes += tag == "rect" and "rx" in attrs
        self.rows += tag == "tr" and "standings" in self.stack
    def handle_endtag(self, tag):
        if self.stack:
            self.stack.pop()
    def handle_data(self, data):
        if self.stack and self.stack[-1] == "champion":
            self.champion += data

page = Page()
page.feed(dom)
matches = sum(len(r["matches"]) for r in event["rounds"])
faults = []
if page.svg < 1:
    faults.append("no bracket picture")
if page.boxes != matches:
    faults.append(f"{page.boxes} match boxes for {matches} matches")
if f"優勝: {event['champion']}" not in page.champion:
    faults.append(f"champion shown as {page.champion!r}, expected {event['champion']!r}")
if page.rows != len(event["entrants"]) + 1:
    faults.append(f"{page.rows} standings rows for {len(event['entrants'])} entrants")
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
PY
colours=$(identify -format %k "$work/page.png")
[ "$colours" -gt 16 ] || { echo "the page renders as $colours colours"; exit 1; }
echo "the event page shows its bracket, standings and champion"
