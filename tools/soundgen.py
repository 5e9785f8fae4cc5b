#!/usr/bin/env python3
"""Synthesizes the game's music loops, ambiences and sound effects and encodes
them into Ogg Vorbis.

    soundgen.py --encoder oggencode --output-dir build/qdl/Resources --work-dir build/sound

Music is a few bars of a cheerful tune over bass and light drums, made to loop
without a seam; ambiences are soft noise beds with birds or workshop taps;
effects are short blips and pops. Everything is mono at 22050 Hz and the same
on every run (fixed random seeds).
"""

import argparse
import array
import concurrent.futures
import math
import os
import random
import subprocess
import sys
import wave

import outputs

RATE = 22050

# Note names to semitones above C.
NOTES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def frequency(note):
    """'C4', 'F#3', 'Bb4' ... to Hz; '-' is a rest."""
    if note == "-":
        return None
    name = note[0]
    accidental = 0
    rest = note[1:]
    if rest and rest[0] in "#b":
        accidental = 1 if rest[0] == "#" else -1
        rest = rest[1:]
    octave = int(rest)
    semitone = NOTES[name] + accidental + 12 * (octave + 1)
    return 440.0 * 2 ** ((semitone - 69) / 12.0)


class Track:
    def __init__(self, seconds):
        self.samples = array.array("f", [0.0]) * int(seconds * RATE)

    def add(self, start, length, generator, volume):
        first = int(start * RATE)
        count = min(int(length * RATE), len(self.samples) - first)
        out = self.samples
        for i in range(max(0, count)):
            out[first + i] += volume * generator(i)

    def tone(self, start, length, hz, volume, wave_shape="triangle", attack=0.01, release=0.08, wrap=True):
        """A note with a soft attack and release; notes past the end wrap to the start so loops are seamless."""
        total = int(length * RATE)
        attack_n = max(1, int(attack * RATE))
        release_n = max(1, int(release * RATE))
        step = hz / RATE
        n = len(self.samples)
        first = int(start * RATE)
        out = self.samples
        phase = 0.0
        for i in range(total):
            if i < attack_n:
                envelope = i / attack_n
            elif i > total - release_n:
                envelope = max(0.0, (total - i) / release_n)
            else:
                envelope = 1.0
            if wave_shape == "triangle":
                value = 4.0 * abs(phase - 0.5) - 1.0
            elif wave_shape == "square":
                value = 0.6 if phase < 0.5 else -0.6
            else:
                value = math.sin(2 * math.pi * phase)
            index = first + i
            if index >= n:
                if not wrap:
                    break
                index -= n
            out[index] += volume * envelope * value
            phase += step
            if phase >= 1.0:
                phase -= 1.0

    def kick(self, start, volume):
        def gen(i):
            t = i / RATE
            return math.sin(2 * math.pi * (110 * t - 60 * t * t * 4)) * math.exp(-t * 18)
        self.add(start, 0.18, gen, volume)

    def hat(self, start, volume, rng):
        def gen(i):
            return (rng.random() * 2 - 1) * math.exp(-i / RATE * 60)
        self.add(start, 0.06, gen, volume)

    def normalised(self, peak=0.8):
        highest = max(1e-6, max(abs(v) for v in self.samples))
        scale = peak / highest
        return [v * scale for v in self.samples]


def write_wav(path, samples):
    data = array.array("h", (int(max(-1.0, min(1.0, v)) * 32767) for v in samples))
    if sys.byteorder != "little":
        data.byteswap()
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(data.tobytes())


# --- music ---------------------------------------------------------------------

def song(tempo, bars, chords, melody, lead="triangle", drums=True, seed=1):
    """chords: one root note per bar (triad from the scale around it); melody: (note, beats) pairs."""
    beat = 60.0 / tempo
    seconds = bars * 4 * beat
    track = Track(seconds)
    rng = random.Random(seed)
    for bar, chord in enumerate(chords[:bars]):
        root, quality = chord
        start = bar * 4 * beat
        third = 3 if quality == "m" else 4
        base = frequency(root + "2")
        for b in range(4):
            track.tone(start + b * beat, beat * 0.9, base * (1.5 if b % 2 else 1.0), 0.30, "sine", 0.005, 0.1)
        for k, step in enumerate((0, third, 7)):
            hz = frequency(root + "4") * 2 ** (step / 12.0)
            for half in range(2):
                track.tone(start + half * 2 * beat + 0.02 * k, beat * 1.8, hz, 0.07, "sine", 0.05, 0.3)
        if drums:
            for b in range(4):
                if b % 2 == 0:
                    track.kick(start + b * beat, 0.45)
                track.hat(start + b * beat + beat / 2, 0.10, rng)
    time = 0.0
    for note, beats in melody:
        hz = frequency(note)
        if hz:
            track.tone(time, beats * beat * 0.92, hz, 0.22, lead, 0.01, 0.06)
        time += beats * beat
    return track.normalised(0.7)


def ambient(seconds, kind, seed):
    track = Track(seconds)
    rng = random.Random(seed)
    out = track.samples
    # A soft noise bed: low-passed noise whose level swells slowly.
    level = 0.0
    smooth = 0.0
    for i in range(len(out)):
        smooth += 0.02 * ((rng.random() * 2 - 1) - smooth)
        level = 0.5 + 0.5 * math.sin(2 * math.pi * i / len(out) * 2)
        out[i] += smooth * (0.8 + 0.6 * level) * (1.6 if kind != "indoor" else 0.7)
    if kind == "indoor":
        # A workshop: a low hum and now and then a hammer tap.
        track.tone(0, seconds, 110, 0.03, "sine", 0.5, 0.5)
        t = 0.7
        while t < seconds - 0.3:
            def tap(i, hz=rng.uniform(700, 1100)):
                return math.sin(2 * math.pi * hz * i / RATE) * math.exp(-i / RATE * 40)
            track.add(t, 0.2, tap, 0.35)
            t += rng.uniform(0.9, 2.2)
    else:
        # Birds: quick rising and falling chirps.
        t = 0.4
        while t < seconds - 0.4:
            base = rng.uniform(2200, 3400)
            for chirp in range(rng.randint(2, 4)):
                def gen(i, base=base):
                    x = i / RATE
                    return math.sin(2 * math.pi * (base * x + 9000 * x * x)) * math.sin(math.pi * x / 0.08)
                track.add(t + chirp * 0.11, 0.08, gen, 0.18 if kind == "outdoor1" else 0.12)
            t += rng.uniform(1.2, 3.0)
    return track.normalised(0.5)


# --- effects -------------------------------------------------------------------

def blip(hz_from, hz_to, seconds, volume=0.8):
    track = Track(seconds)

    def gen(i):
        x = i / RATE
        hz = hz_from + (hz_to - hz_from) * x / seconds
        return math.sin(2 * math.pi * hz * x) * math.exp(-x * 12) * min(1.0, i / 40)
    track.add(0, seconds, gen, volume)
    return track.normalised(volume)


def pop(seconds=0.12):
    track = Track(seconds)
    rng = random.Random(7)

    def gen(i):
        x = i / RATE
        return (0.7 * math.sin(2 * math.pi * (500 - 1500 * x) * x) + 0.3 * (rng.random() * 2 - 1)) * math.exp(-x * 35)
    track.add(0, seconds, gen, 1.0)
    return track.normalised(0.8)


def whoosh(seconds=0.45):
    track = Track(seconds)
    rng = random.Random(3)
    smooth = [0.0]

    def gen(i):
        x = i / RATE
        smooth[0] += (0.05 + 0.4 * x / seconds) * ((rng.random() * 2 - 1) - smooth[0])
        return smooth[0] * math.sin(math.pi * x / seconds)
    track.add(0, seconds, gen, 1.0)
    return track.normalised(0.6)


def fanfare():
    """A rising arpeggio ending on a held chord: the level is won."""
    track = Track(1.6)
    for i, note in enumerate(("C5", "E5", "G5", "C6")):
        track.tone(i * 0.12, 0.22, frequency(note), 0.5, "triangle", release=0.1, wrap=False)
    for note in ("C5", "E5", "G5", "C6"):
        track.tone(0.5, 1.05, frequency(note), 0.3, "triangle", attack=0.02, release=0.5, wrap=False)
    return track.normalised(0.8)


def clunk(hz, seconds):
    """A metal box or girder set down: a low knock with a short ring."""
    track = Track(seconds)
    rng = random.Random(int(hz))

    def gen(i):
        x = i / RATE
        knock = (rng.random() * 2 - 1) * math.exp(-x * 60)
        ring = math.sin(2 * math.pi * hz * x) + 0.4 * math.sin(2 * math.pi * hz * 2.7 * x)
        return knock * 0.6 + ring * 0.5 * math.exp(-x * 14)
    track.add(0, seconds, gen, 1.0)
    return track.normalised(0.8)


def rattle(seconds):
    """Tools shaken in a bag: a run of short metallic ticks."""
    track = Track(seconds)
    rng = random.Random(5)
    for n in range(14):
        start = n * seconds / 15 + rng.uniform(0, 0.02)
        hz = rng.uniform(1800, 3200)
        track.add(start, 0.05, lambda i, hz=hz: math.sin(2 * math.pi * hz * i / RATE) * math.exp(-i / RATE * 80), 0.5)
    return track.normalised(0.7)


def sounds():
    """Every sound by file name: a function making its samples."""
    return {
        "Music_TitleTheme": lambda: song(
            112, 8,
            [("C", ""), ("G", ""), ("A", "m"), ("F", ""), ("C", ""), ("G", ""), ("F", ""), ("C", "")],
            [("E5", 1), ("G5", 1), ("A5", 1), ("G5", 1), ("D5", 1), ("E5", 1), ("D5", 2),
             ("C5", 1), ("E5", 1), ("A5", 1.5), ("G5", 0.5), ("F5", 2), ("A5", 2),
             ("G5", 1), ("E5", 1), ("C5", 1), ("E5", 1), ("D5", 1), ("B4", 1), ("G4", 2),
             ("A4", 1), ("C5", 1), ("F5", 1), ("E5", 1), ("C5", 3), ("-", 1)], seed=11),
        "Music_GeneralUI": lambda: song(
            100, 4, [("F", ""), ("C", ""), ("D", "m"), ("C", "")],
            [("A4", 1), ("C5", 1), ("F5", 2), ("E5", 1), ("C5", 1), ("G4", 2),
             ("A4", 1), ("D5", 1), ("F5", 1.5), ("E5", 0.5), ("C5", 3), ("-", 1)], lead="sine", drums=False, seed=12),
        "Music_Track1": lambda: song(
            124, 4, [("G", ""), ("E", "m"), ("C", ""), ("D", "")],
            [("B4", 0.5), ("D5", 0.5), ("G5", 1), ("D5", 1), ("B4", 1), ("E5", 1), ("G5", 1), ("E5", 2),
             ("C5", 0.5), ("E5", 0.5), ("G5", 1), ("E5", 2), ("D5", 1), ("F#5", 1), ("A5", 2)], lead="square", seed=13),
        "Music_Track2": lambda: song(
            116, 4, [("D", ""), ("B", "m"), ("G", ""), ("A", "")],
            [("F#5", 1), ("A5", 1), ("F#5", 1), ("D5", 1), ("D5", 1), ("F#5", 1), ("B4", 2),
             ("G4", 1), ("B4", 1), ("D5", 1), ("G5", 1), ("E5", 2), ("C#5", 2)], seed=14),
        "Music_Track3": lambda: song(
            96, 4, [("A", "m"), ("F", ""), ("C", ""), ("G", "")],
            [("E5", 2), ("C5", 1), ("A4", 1), ("F5", 2), ("C5", 2),
             ("G5", 1.5), ("E5", 0.5), ("C5", 2), ("D5", 2), ("B4", 2)], lead="sine", seed=15),
        "Music_Track4": lambda: song(
            132, 4, [("E", ""), ("A", ""), ("B", ""), ("E", "")],
            [("G#5", 0.5), ("B5", 0.5), ("G#5", 0.5), ("E5", 0.5), ("B4", 1), ("E5", 1),
             ("A5", 1), ("C#5", 1), ("E5", 1), ("A5", 1), ("F#5", 1), ("D#5", 1), ("B4", 2),
             ("E5", 1), ("G#5", 1), ("E5", 2)], lead="square", seed=16),
        "Ambient_Indoor": lambda: ambient(8.0, "indoor", 21),
        "Ambient_Outdoor_1": lambda: ambient(8.0, "outdoor1", 22),
        "Ambient_Outdoor_2": lambda: ambient(8.0, "outdoor2", 23),
        "SFX_UI_Rollover": lambda: blip(900, 1300, 0.09, 0.5),
        "SFX_UI_Click": lambda: pop(),
        "SFX_UI_Release": lambda: blip(660, 990, 0.12, 0.6),
        "SFX_UI_PopupSlide": lambda: whoosh(),
        # Sticker reward screen.
        "SFX_GameWin": lambda: fanfare(),
        # ToolShed and StreetSigns: pieces picked up, tool boxes, landing
        # girders and signs, the scarecrow and the crane's arm.
        "SFX_ObjectStick": lambda: blip(500, 900, 0.14, 0.7),
        "SFX_Toolbox": lambda: clunk(180, 0.3),
        "SFX_DropGirder": lambda: clunk(120, 0.25),
        "SFX_GirderFall": lambda: blip(700, 200, 0.4, 0.7),
        "SFX_ScarrowTools": lambda: rattle(0.6),
        "SFX_TollerArm": lambda: whoosh(0.6),
        "SFX_GeneralClick": lambda: pop(0.08),
        # PaintTheHouse and PileOfLeaves: the lift's arm and drive, the paint, the gust of leaves.
        "SFX_ZeddoArm": lambda: blip(220, 330, 0.5, 0.6),
        "SFX_ZeddoMove": lambda: blip(140, 180, 0.8, 0.6),
        "SFX_Paint": lambda: whoosh(0.35),
        "SFX_BlowLeaves": lambda: whoosh(1.2),
    }


def render(name, work_dir):
    path = os.path.join(work_dir, name + ".wav")
    write_wav(path, sounds()[name]())
    return path


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--encoder", required=True, help="the oggencode tool")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--work-dir", required=True)
    parser.add_argument("--stamp", help="file touched when every sound is written")
    args = parser.parse_args(argv)
    os.makedirs(args.output_dir, exist_ok=True)
    os.makedirs(args.work_dir, exist_ok=True)

    with concurrent.futures.ProcessPoolExecutor(max_workers=max(1, os.cpu_count() or 1)) as pool:
        futures = {name: pool.submit(render, name, args.work_dir) for name in sounds()}
        wavs = {name: future.result() for name, future in futures.items()}
    pairs = []
    for name, wav in wavs.items():
        pairs += [wav, os.path.join(args.output_dir, name + ".ogg")]
    if subprocess.run([args.encoder, "--quality", "0.3"] + pairs).returncode != 0:
        return 1
    outputs.finish(args.stamp, args.output_dir, [name + ".ogg" for name in wavs])
    return 0



# --- CountTheMaterials ---------------------------------------------------------
# The engines of the dumper and the digger, the load dropping into the cart and
# the dumper's horn from the far road, added to the table of sounds above.

def engine(hz, seconds, seed):
    """A low chugging engine that starts up and fades out."""
    track = Track(seconds)
    rng = random.Random(seed)
    smooth = [0.0]

    def gen(i):
        x = i / RATE
        smooth[0] += 0.08 * ((rng.random() * 2 - 1) - smooth[0])
        chug = 0.6 + 0.4 * math.sin(2 * math.pi * 9 * x)
        saw = 2.0 * ((hz * x) % 1.0) - 1.0
        envelope = min(1.0, x / 0.08) * min(1.0, (seconds - x) / 0.25)
        return (0.7 * saw + 0.5 * smooth[0]) * chug * envelope
    track.add(0, seconds, gen, 1.0)
    return track.normalised(0.6)


def thud(seconds=0.5):
    """A heavy load landing, and a little clatter after it."""
    track = Track(seconds)
    rng = random.Random(5)

    def gen(i):
        x = i / RATE
        low = math.sin(2 * math.pi * (90 - 60 * x) * x) * math.exp(-x * 9)
        clatter = (rng.random() * 2 - 1) * math.exp(-((x - 0.12) ** 2) / 0.002) * 0.5
        return low + clatter
    track.add(0, seconds, gen, 1.0)
    return track.normalised(0.85)


def horn(seconds=0.7):
    """Two short toots."""
    track = Track(seconds)

    def gen(i):
        x = i / RATE
        on = 1.0 if (x % 0.35) < 0.25 else 0.0
        tone = math.sin(2 * math.pi * 392 * x) + 0.6 * math.sin(2 * math.pi * 494 * x)
        return (1.0 if tone > 0 else -1.0) * 0.5 * on + 0.3 * tone * on
    track.add(0, seconds, gen, 1.0)
    return track.normalised(0.6)


_sounds_before_count_the_materials = sounds


def sounds():
    made = _sounds_before_count_the_materials()
    made.update({
        "SFX_ObjectRollover": lambda: blip(720, 1080, 0.08, 0.5),
        "SFX_SelectItem": lambda: pop(0.1),
        "SFX_SloamMove": lambda: engine(48, 1.2, 31),
        "SFX_GrubbinMove": lambda: engine(66, 0.9, 32),
        "SFX_BrickDrop": lambda: thud(),
        "CTM_SloamFinished": lambda: horn(),
    })
    return made


# --- HereToThere: the delivery truck's engine and horn, added to the table of sounds above.

def truck_engine(seconds, rev):
    """A chugging engine that pulls away: a low buzz whose pitch rises by rev."""
    track = Track(seconds)

    def gen(i):
        x = i / RATE
        hz = 55.0 + rev * x / seconds
        chug = 0.6 + 0.4 * math.sin(2 * math.pi * 9.0 * x)
        fade = min(1.0, x / 0.05) * min(1.0, (seconds - x) / 0.15)
        return (1.0 if (hz * x) % 1.0 < 0.4 else -1.0) * chug * fade
    track.add(0, seconds, gen, 0.5)
    return track.normalised(0.5)


def truck_horn(seconds=0.45):
    track = Track(seconds)
    for hz in (392.0, 494.0):
        track.tone(0.0, seconds, hz, 0.5, "square", attack=0.02, release=0.08, wrap=False)
    return track.normalised(0.6)


_sounds_before_here_to_there = sounds


def sounds():
    table = _sounds_before_here_to_there()
    table.update({
        "SFX_TrundelMoveShort": lambda: truck_engine(0.7, 25.0),
        "SFX_TrundelMoveLong": lambda: truck_engine(1.6, 45.0),
        "SFX_TrundelHorn": lambda: truck_horn(),
    })
    return table


# HammerTheNail: a screw's ratchet while a tool turns (the rollover, pick-up
# and tool-box sounds are the ones added above).
def ratchet(clicks=6, seconds=0.5):
    track = Track(seconds)
    rng = random.Random(11)
    for n in range(clicks):
        def gen(i, hz=1800 + 150 * (n % 2)):
            x = i / RATE
            return (0.6 * math.sin(2 * math.pi * hz * x) + 0.4 * (rng.random() * 2 - 1)) * math.exp(-x * 160)
        track.add(n * seconds / clicks, 0.05, gen, 1.0)
    return track.normalised(0.7)


_sounds_before_hammer_the_nail = sounds


def sounds():
    made = _sounds_before_hammer_the_nail()
    made["SFX_Screw"] = lambda: ratchet()
    return made


# PlanAJob: the building going up, hammering and rattling.
_sounds_before_plan_a_job = sounds


def sounds():
    made = _sounds_before_plan_a_job()
    made["SFX_Construction"] = lambda: rattle(1.2)
    return made


# ScarrowPuzzle: the scarecrow rattling the bricks.
_sounds_before_scarrow_puzzle = sounds


def sounds():
    made = _sounds_before_scarrow_puzzle()
    made["SFX_ScarrowBricks"] = lambda: rattle(0.8)
    return made


# The sticker book: the soft pop of a sticker pressed onto the page.
_sounds_before_sticker_book = sounds


def sounds():
    made = _sounds_before_sticker_book()
    made["SFX_StickerStick"] = lambda: pop(0.14)
    return made


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
