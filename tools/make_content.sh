#!/usr/bin/env bash
# Regenerates every piece of generated content: pictures, texture packs and
# fonts, sound effects, voices and music, and the error window's built-in font.
# Each generator installs the Debian tools it needs and writes with fixed
# seeds, so the committed files come out byte for byte the same.
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/bin/python3 tools/art/make_pictures.py
/usr/bin/python3 tools/sound/make_sounds.py
/usr/bin/python3 tools/textfont/make_text_font.py
git status --short -- data docs src/platform/text_font.inc
