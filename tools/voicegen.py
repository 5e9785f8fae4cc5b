#!/usr/bin/env python3
"""Speaks the game's voice-over lines with espeak-ng in English and Spanish and
encodes them into Ogg Vorbis.

    voicegen.py --table qdl/Resources/VoiceOver.tsv --encoder oggencode \
                --output-dir build/qdl/Resources --work-dir build/voice

The table has one line per sound: name, English text, Spanish text, separated
by tabs; lines starting with '#' and the header line "name ..." are skipped.
Each line gives VO_EN_<name>.ogg and VO_SP_<name>.ogg.
"""

import argparse
import concurrent.futures
import os
import subprocess
import sys

import outputs

# A bright, friendly voice for each language, a little slower than usual.
VOICES = {
    "EN": ["-v", "en+f3", "-s", "140", "-p", "65"],
    "SP": ["-v", "es+f3", "-s", "135", "-p", "65"],
}


def read_table(path):
    lines = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if fields[0] == "name":
                continue
            if len(fields) != 3 or not all(field.strip() for field in fields):
                raise SystemExit("%s:%d: expected name, English and Spanish text separated by tabs" % (path, number))
            lines.append(tuple(field.strip() for field in fields))
    names = [line[0] for line in lines]
    if len(set(names)) != len(names):
        raise SystemExit("%s: a name is listed twice" % path)
    return lines


def speak(espeak, voice, text, wav):
    subprocess.run([espeak] + VOICES[voice] + ["-w", wav, "--", text], check=True,
                   stdout=subprocess.DEVNULL)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--table", required=True)
    parser.add_argument("--encoder", required=True, help="the oggencode tool")
    parser.add_argument("--espeak", default="espeak-ng")
    parser.add_argument("--output-dir", required=True)
    parser.add_argument("--work-dir", required=True, help="where the spoken WAV files are kept")
    parser.add_argument("--stamp", help="file touched when every line is written")
    args = parser.parse_args(argv)
    os.makedirs(args.output_dir, exist_ok=True)
    os.makedirs(args.work_dir, exist_ok=True)

    jobs = []
    for name, english, spanish in read_table(args.table):
        for voice, text in (("EN", english), ("SP", spanish)):
            base = "VO_%s_%s" % (voice, name)
            jobs.append((voice, text, os.path.join(args.work_dir, base + ".wav"),
                         os.path.join(args.output_dir, base + ".ogg")))

    with concurrent.futures.ThreadPoolExecutor(max_workers=max(2, os.cpu_count() or 2)) as pool:
        for future in [pool.submit(speak, args.espeak, voice, text, wav) for voice, text, wav, _ in jobs]:
            future.result()

    pairs = []
    for _, _, wav, ogg in jobs:
        pairs += [wav, ogg]
    # One encoder run per share of the files, side by side.
    shares = max(1, min(4, os.cpu_count() or 1))
    size = (len(jobs) + shares - 1) // shares
    runs = [pairs[i * 2 * size:(i + 1) * 2 * size] for i in range(shares)]
    processes = [subprocess.Popen([args.encoder, "--quality", "0.2"] + run) for run in runs if run]
    if any(process.wait() != 0 for process in processes):
        return 1
    outputs.finish(args.stamp, args.output_dir, [os.path.basename(ogg) for _, _, _, ogg in jobs])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
