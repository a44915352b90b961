#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tessarin developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the toolbar and collection icons into data/icons as SVG.

One style for all: a rounded tile in the icon's colour with a white pictogram drawn on a
32 x 32 grid, so that the set reads the same at 16 and at 32 pixels. Run it again after
changing a pictogram and commit the SVG files it writes."""
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "icons")

W = 'fill="none" stroke="#fff" stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"'
F = 'fill="#fff"'


def tile(colour, body):
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
        f'<rect x="1" y="1" width="30" height="30" rx="6" fill="{colour}"/>\n'
        f"{body}\n</svg>\n"
    )


# Pictograms, each a few strokes on the 32 x 32 grid.
CALENDAR = f'<rect x="7" y="9" width="18" height="16" rx="2" {W}/><path d="M7 14h18M12 6v5M20 6v5" {W}/>'
PERSON = f'<circle cx="16" cy="11" r="4.5" {W}/><path d="M7.5 26c0-5 4-8 8.5-8s8.5 3 8.5 8" {W}/>'
DOCUMENT = f'<path d="M10 6h8l5 5v15H10z M18 6v5h5" {W}/>'
GLOBE = (f'<circle cx="16" cy="16" r="9.5" {W}/><ellipse cx="16" cy="16" rx="4" ry="9.5" {W}/>'
         f'<path d="M6.5 16h19" {W}/>')
COINS = (f'<ellipse cx="16" cy="10" rx="8" ry="3" {W}/><path d="M8 10v6c0 1.7 3.6 3 8 3s8-1.3 8-3v-6'
         f' M8 16v6c0 1.7 3.6 3 8 3s8-1.3 8-3v-6" {W}/>')
JOURNAL = f'<rect x="8" y="6" width="16" height="20" rx="2" {W}/><path d="M12 12h8M12 16h8M12 20h5" {W}/>'
BOOK = f'<path d="M9 7h13v19H11a2 2 0 0 1-2-2z M9 22a2 2 0 0 1 2-2h11" {W}/>'
MEDIA = f'<rect x="6" y="8" width="20" height="16" rx="2" {W}/><path d="M14 12.5v7l6-3.5z" {F}/>'
GLOSSARY = (f'<path d="M6 24l5-15 5 15M8 19h6" {W}/>'
            f'<path d="M25 24v-6.5a3 3 0 0 0-6 0M19 21c0-1.7 1.3-2.5 3-2.5h3M25 21.5c0 1.4-1.3 2.5-3 2.5s-3-.8-3-2.5" {W}/>')
SHELF = f'<path d="M7 25h18M8 25V9h4v16M13 25V7h4v18M19 25l2.5-15 3.5.6-2.4 14.4" {W}/>'
HOURGLASS = f'<path d="M10 6h12M10 26h12M11 6c0 6 10 6 10 10s-10 4-10 10M21 6c0 6-10 6-10 10s10 4 10 10" {W}/>'
SMILE = (f'<circle cx="16" cy="16" r="9.5" {W}/><path d="M12 19c2 2.5 6 2.5 8 0" {W}/>'
         f'<circle cx="12.5" cy="13.5" r="1.3" {F}/><circle cx="19.5" cy="13.5" r="1.3" {F}/>')
CLOCK = f'<circle cx="16" cy="16" r="9.5" {W}/><path d="M16 10v6l4 3" {W}/>'
PERSONS = (f'<circle cx="12" cy="12" r="3.5" {W}/><circle cx="21" cy="12" r="3.5" {W}/>'
           f'<path d="M5.5 25c0-4 3-6.5 6.5-6.5s6.5 2.5 6.5 6.5M17 19c1-.4 2-.5 4-.5 3.5 0 6 2.5 6 6.5" {W}/>')
STAR = f'<path d="M16 6l3 6.3 6.8.8-5 4.7 1.3 6.8L16 21.2l-6.1 3.4 1.3-6.8-5-4.7 6.8-.8z" {W}/>'
BULB = f'<path d="M12 20c-2-1.6-3.5-3.8-3.5-6.5a7.5 7.5 0 0 1 15 0c0 2.7-1.5 4.9-3.5 6.5v2h-8z M13 26h6" {W}/>'
CHART = f'<path d="M7 25h18M9 20l5-5 4 3 6-8M19 10h5v5" {W}/>'
BRIEFCASE = f'<rect x="6" y="11" width="20" height="14" rx="2" {W}/><path d="M12 11V8h8v3M6 17h20" {W}/>'
PUZZLE = (f'<rect x="7" y="7" width="8" height="8" rx="1.5" {W}/><rect x="17" y="7" width="8" height="8" rx="1.5" {W}/>'
          f'<rect x="7" y="17" width="8" height="8" rx="1.5" {W}/><circle cx="21" cy="21" r="4" {W}/>')
CLIP = f'<path d="M20 11l-7.5 7.5a2.5 2.5 0 0 0 3.5 3.5l8-8a5 5 0 0 0-7-7l-8.5 8.5a7.5 7.5 0 0 0 10.6 10.6L24 21" {W}/>'
TILES = (f'<rect x="6" y="6" width="9" height="6" rx="1.5" {F}/><rect x="17" y="6" width="9" height="6" rx="1.5" {F}/>'
         f'<rect x="6" y="14" width="9" height="6" rx="1.5" {F}/><rect x="17" y="14" width="9" height="6" rx="1.5" {F}/>'
         f'<rect x="6" y="22" width="9" height="4" rx="1.5" {F}/>')
TAG = f'<path d="M7 7h9l10 10-9 9L7 16z" {W}/><circle cx="12" cy="12" r="1.8" {F}/>'
ALARM = f'<circle cx="16" cy="17" r="8.5" {W}/><path d="M16 12v5.5M16 21v.2M7 8l3-2.5M25 8l-3-2.5" {W}/>'
MAGNIFIER = f'<circle cx="14" cy="14" r="7" {W}/><path d="M19 19l6.5 6.5" {W}/>'
TABLE = f'<rect x="6" y="7" width="20" height="18" rx="2" {W}/><path d="M6 13h20M6 19h20M13 7v18" {W}/>'
TREE = (f'<rect x="12" y="5" width="8" height="6" rx="1.5" {W}/><rect x="5" y="21" width="8" height="6" rx="1.5" {W}/>'
        f'<rect x="19" y="21" width="8" height="6" rx="1.5" {W}/><path d="M16 11v5M9 21v-5h14v5" {W}/>')
DICE = (f'<rect x="7" y="7" width="18" height="18" rx="3" {W}/><circle cx="12" cy="12" r="1.7" {F}/>'
        f'<circle cx="20" cy="20" r="1.7" {F}/><circle cx="16" cy="16" r="1.7" {F}/>')
CLOUD = (f'<rect x="5" y="8" width="9" height="5" rx="1.5" {F}/><rect x="17" y="11" width="10" height="5" rx="1.5" {F}/>'
         f'<rect x="8" y="19" width="10" height="5" rx="1.5" {F}/><path d="M24 21l2 2" {W}/>')
HOUSE = f'<path d="M6 16L16 7l10 9M9 14v11h14V14M14 25v-6h4v6" {W}/>'
PAD = f'<path d="M9 6h14v20H9z M12 11h8M12 15h8M12 19h4" {W}/><path d="M20 24l6-8" {W}/>'
PICTURE = (f'<rect x="5" y="7" width="22" height="18" rx="2" {W}/><path d="M5 22l7-7 5 5 3-3 7 6" {W}/>'
           f'<circle cx="21" cy="12" r="2" {F}/>')
KEY = f'<circle cx="11" cy="16" r="5" {W}/><path d="M16 16h10M22 16v4M25 16v3" {W}/>'
PRINTER = f'<path d="M10 12V6h12v6M10 22H7v-10h18v10h-3M10 18h12v8H10z" {W}/>'
MENU = f'<path d="M8 10h16M8 16h16M8 22h16" {W}/>'
SLIDERS = (f'<path d="M7 10h18M7 16h18M7 22h18" {W}/><circle cx="12" cy="10" r="2.3" {F}/>'
           f'<circle cx="21" cy="16" r="2.3" {F}/><circle cx="14" cy="22" r="2.3" {F}/>')
CLOSE_ALL = f'<rect x="6" y="6" width="20" height="20" rx="3" {W}/><path d="M12 12l8 8M20 12l-8 8" {W}/>'
EXIT = f'<path d="M18 7H8v18h10M14 16h12M22 12l4 4-4 4" {W}/>'

# Collection positions 1 to 18 and 43 to 45; "default" stands for the custom positions.
COLLECTIONS = {
    "coll1": ("#c0392b", CALENDAR), "coll2": ("#2e86c1", PERSON), "coll3": ("#7d8c99", DOCUMENT),
    "coll4": ("#1f9e89", GLOBE), "coll5": ("#b7950b", COINS), "coll6": ("#8e5b3a", JOURNAL),
    "coll7": ("#6c3483", BOOK), "coll8": ("#d35400", MEDIA), "coll9": ("#117a65", GLOSSARY),
    "coll10": ("#1a5276", SHELF), "coll11": ("#935116", HOURGLASS), "coll12": ("#e67e22", SMILE),
    "coll13": ("#5d6d7e", CLOCK), "coll14": ("#2874a6", PERSONS), "coll15": ("#d4ac0d", STAR),
    "coll16": ("#7d3c98", BULB), "coll17": ("#229954", CHART), "coll18": ("#515a5a", BRIEFCASE),
    "coll43": ("#a04000", PUZZLE), "coll44": ("#566573", CLIP), "coll45": ("#34495e", TILES),
    "default": ("#839192", TAG),
}

# Commands of the toolbar, keyed as the buttons are.
COMMANDS = {
    "calendar": ("#c0392b", CALENDAR), "deadlines": ("#cb4335", ALARM), "global_search": ("#2471a3", MAGNIFIER),
    "table_view": ("#1e8449", TABLE), "map_view_of_cat": ("#34495e", TILES), "tree": ("#117864", TREE),
    "random_map_view": ("#af601a", CLOUD), "random_item": ("#b9770e", DICE), "start_map": ("#2e4053", HOUSE),
    "pad": ("#9a7d0a", PAD), "glimmeron": ("#1b4f72", PICTURE), "chiave": ("#7b241c", KEY),
    "print": ("#4d5656", PRINTER), "help": ("#2c3e50", MENU), "config": ("#5b2c6f", SLIDERS),
    "clear": ("#6e2c00", CLOSE_ALL), "exit": ("#922b21", EXIT),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, (colour, body) in {**COLLECTIONS, **COMMANDS}.items():
        with open(os.path.join(OUT, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(tile(colour, body))


if __name__ == "__main__":
    main()
