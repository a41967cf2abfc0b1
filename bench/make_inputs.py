#!/usr/bin/env python3
"""Writes the benchmark inputs: German prose in code page 1252 with CR LF line ends.

make_inputs.py FOLDER [NEEDLE]

text-1mb.txt, text-10mb.txt, text-50mb.txt: paragraphs hard-wrapped at varying widths, whole
paragraphs on one long line, lists, headings and blank lines; NEEDLE occurs exactly ten times, the
k-th hit (k = 0..9) at (k + 0.95) / 10 of the file, so the last one is near the end.
line-1mb.txt: one line of 1 MiB words and a final line end.
text-10mb-lf.txt: text-10mb.txt with every CR LF written as LF alone, for a save that keeps them.
text-1mb-utf8.txt: text-1mb.txt written in UTF-8 without a mark, to set against the same text in ANSI.

The same seed gives the same bytes on every machine (Python's Mersenne Twister and its choice and
randint are stable across versions)."""

import os
import random
import sys

MIB = 1024 * 1024
SEED = 20240806

WORDS = """
der die das und oder aber doch denn weil wenn als ob dass nicht nur auch noch schon immer wieder
sehr ganz fast etwa über unter zwischen hinter neben vor nach bei mit ohne gegen für durch um aus
ein eine einen einem einer heute morgen gestern später früher damals bald endlich vielleicht gern
Straße Brücke Fluss Ufer Wiese Wald Berg Tal Dorf Stadt Markt Kirche Schule Rathaus Bahnhof Hafen
Mühle Bäcker Metzger Schneider Lehrerin Ärztin Förster Gärtner Müller Schäfer Händler Fischer
Mädchen Junge Großmutter Großvater Nachbarin Nachbar Bürgermeister Pfarrer Wirtin Kutscher
Häuser Gärten Felder Äcker Bäume Blätter Blüten Früchte Äpfel Birnen Kirschen Nüsse Kräuter
Frühling Sommer Herbst Winter Abend Nacht Morgen Mittag Stunde Woche Monat Jahr Jahrhundert
Wetter Regen Schnee Nebel Gewitter Sonne Wolken Sterne Mond Himmel Luft Wärme Kälte Hitze
Brief Zeitung Buch Heft Seite Zeile Wort Satz Geschichte Erzählung Nachricht Antwort Frage
Tür Fenster Treppe Küche Stube Dachboden Keller Scheune Stall Zaun Tor Brunnen Ofen Tisch Stuhl
geht kommt läuft fährt fliegt schwimmt sitzt steht liegt wartet sucht findet bringt holt trägt
sagt fragt antwortet erzählt schreibt liest hört sieht schaut lacht weint schläft träumt denkt
öffnet schließt beginnt endet wächst blüht fällt steigt dreht wendet grüßt dankt hilft arbeitet
groß klein alt jung neu hell dunkel warm kalt still laut schön hässlich freundlich müde fröhlich
traurig schnell langsam früh spät weit nah hoch tief breit schmal schwer leicht süß sauer bitter
grün blau rot gelb weiß schwarz grau braun golden silbern gläsern hölzern steinern wollen
gemütlich ordentlich gründlich plötzlich natürlich glücklich ängstlich ehrlich herzlich zärtlich
Gemüse Käse Brot Butter Milch Suppe Kuchen Wurst Schinken Kartoffeln Zwiebeln Möhren Erbsen
Löffel Gabel Messer Teller Schüssel Krug Glas Flasche Korb Sack Kiste Fass Eimer Schlüssel
Fahrrad Wagen Zug Schiff Boot Kutsche Pferd Kuh Schaf Ziege Hund Katze Hühner Gänse Enten Vögel
Straßenbahn Haltestelle Fußweg Gasse Platz Denkmal Turm Mauer Graben Weiher Teich Quelle
Geburtstag Hochzeit Fest Feier Tanz Musik Lied Geige Flöte Trommel Glocke Gesang Stimme
Gedanke Erinnerung Hoffnung Sorge Freude Ärger Mut Angst Geduld Glück Zufall Gewohnheit
""".split()

HEADINGS = ["Kapitel", "Abschnitt", "Teil", "Anhang", "Notiz"]
ENDINGS = [".", ".", ".", ".", "!", "?", "…"]


def sentence(rng, needle=None):
    count = rng.randint(4, 18)
    words = [rng.choice(WORDS) for _ in range(count)]
    if needle is not None:
        words.insert(rng.randint(0, count), needle)
    for i in range(1, count - 1):
        if rng.random() < 0.08:
            words[i] += ","
    words[0] = words[0][:1].upper() + words[0][1:]
    return " ".join(words) + rng.choice(ENDINGS)


def wrap(text, width):
    lines, line = [], ""
    for word in text.split(" "):
        if line and len(line) + 1 + len(word) > width:
            lines.append(line)
            line = word
        else:
            line = f"{line} {word}" if line else word
    if line:
        lines.append(line)
    return lines


def block(rng, number, needle=None):
    """One paragraph, list or heading, as lines; the needle goes into its first sentence."""
    kind = rng.random()
    if needle is None and kind < 0.06:
        return [f"{rng.choice(HEADINGS)} {number}: {sentence(rng)[:-1]}", ""]
    if kind < 0.16:
        return [f"- {sentence(rng, needle if i == 0 else None)}" for i in range(rng.randint(2, 7))] + [""]
    text = " ".join(sentence(rng, needle if i == 0 else None) for i in range(rng.randint(1, 9)))
    if kind < 0.30:
        return [text, ""]  # a whole paragraph on one line
    return wrap(text, rng.randint(40, 110)) + [""]


def prose(size, needle, rng):
    out = bytearray()
    hits = [int(size * (k + 0.95) / 10) for k in range(10)]
    number = 0
    while len(out) < size:
        number += 1
        due = hits[0] if hits and len(out) >= hits[0] else None
        if due is not None:
            hits.pop(0)
        for line in block(rng, number, needle if due is not None else None):
            out += line.encode("cp1252") + b"\r\n"
    if hits:
        raise SystemExit("file too small for ten hits")
    return bytes(out)


def one_line(size, rng):
    out = bytearray()
    while len(out) < size:
        out += rng.choice(WORDS).encode("cp1252") + b" "
    return bytes(out[:size]) + b"\r\n"


def main():
    folder = sys.argv[1]
    needle = sys.argv[2] if len(sys.argv) > 2 else "Quarzuhrwerkstatt"
    if any(needle.lower() in word.lower() for word in WORDS + HEADINGS):
        raise SystemExit("the needle occurs in the vocabulary")
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(SEED)
    files = {
        "text-1mb.txt": prose(1 * MIB, needle, rng),
        "text-10mb.txt": prose(10 * MIB, needle, rng),
        "text-50mb.txt": prose(50 * MIB, needle, rng),
        "line-1mb.txt": one_line(1 * MIB, rng),
    }
    files["text-10mb-lf.txt"] = files["text-10mb.txt"].replace(b"\r\n", b"\n")
    files["text-1mb-utf8.txt"] = files["text-1mb.txt"].decode("cp1252").encode("utf-8")
    for name, data in files.items():
        encoding = "utf-8" if "utf8" in name else "cp1252"
        if name.startswith("text") and data.lower().count(needle.lower().encode(encoding)) != 10:
            raise SystemExit(f"{name}: the needle does not occur exactly ten times")
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        lines = data.count(b"\n")
        print(f"{name}: {len(data)} bytes, {lines} lines")


if __name__ == "__main__":
    main()
