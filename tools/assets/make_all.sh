#!/bin/sh
# Regenerates every asset the game embeds or loads, then the contact sheet.
# Needs Debian's python3 with python3-pil, python3-numpy, python3-scipy, and
# espeak-ng, sox and vorbis-tools; the game's build never runs this.
set -e
cd "$(dirname "$0")"
PY=${PYTHON:-/usr/bin/python3}
"$PY" make_sheet.py
"$PY" make_icons.py
"$PY" make_logo.py
"$PY" make_sounds.py
"$PY" make_music.py
"$PY" preview.py "${1:-/tmp/bodger_contact.png}"
