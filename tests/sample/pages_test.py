#!/usr/bin/python3
"""Reads every basics page back with an independent SWF parser (Debian's python3-yaswfp) and
checks it against what the generator built it with: frame count, labels, sounds, buttons, and
that every picture, sound and label a page refers to is there.

Usage: pages_test.py PAGES_DIR MANIFEST
"""

import json
import os
import struct
import sys
import unittest
import zlib

from yaswfp import swfparser

PAGES = ["wushiyin", "yuanyin", "fuyin", "aoyin", "bccy", "wailai", "riyudehanzi", "jiamingbishun",
         "jiamingyoulai", "riyuhanzi", "changyinsx", "biaodian", "shengdiao", "yudiao", "diyizu",
         "dierzu", "kandu", "tingxuan", "zuhewushiyin", "fenzulianxi"]
EXERCISES = {"kandu", "tingxuan", "zuhewushiyin", "fenzulianxi"}


def frames_of(tags):
    """The tags of each frame."""
    frames = [[]]
    for tag in tags:
        if tag.name == "ShowFrame":
            frames.append([])
        else:
            frames[-1].append(tag)
    return frames[:-1] if not frames[-1] else frames


def goto_labels(actions):
    return [a.raw_payload.rstrip(b"\0").decode() for a in actions if a.name == "ActionGoToLabel"]


class Pages(unittest.TestCase):
    folder = manifest = None

    def parse(self, name):
        return swfparser.parsefile(os.path.join(self.folder, name + ".swf"))

    def test_every_page_is_there_and_nothing_else(self):
        self.assertEqual(sorted(os.listdir(self.folder)), sorted(p + ".swf" for p in PAGES))

    def test_pages_hold_what_their_descriptions_say(self):
        for name in PAGES:
            with self.subTest(page=name):
                swf, built = self.parse(name), self.manifest[name]
                self.assertEqual(swf.header.Version, 10)
                self.assertEqual(swf.header.FrameRate, 12 << 8)
                frames = frames_of(swf.tags[:-1] if swf.tags[-1].name == "End" else swf.tags)
                self.assertEqual(swf.header.FrameCount, built["frames"])
                self.assertEqual(len(frames), built["frames"])
                labels = [t.Name for t in swf.tags if t.name == "FrameLabel"]
                self.assertEqual(labels, built["labels"])
                self.assertEqual(len(set(labels)), len(labels), "labels are unique")
                self.assertEqual(labels[:2], ["start", "step1"])
                self.assertEqual(sum(t.name == "DefineSound" for t in swf.tags), built["sounds"])
                self.assertEqual(sum(t.name == "DefineButton2" for t in swf.tags), built["buttons"])
                if name not in EXERCISES or name == "tingxuan":
                    self.assertEqual(labels[-1], "end")

    def test_each_label_tells_the_host_in_its_own_frame(self):
        for name in PAGES:
            with self.subTest(page=name):
                for frame in frames_of(self.parse(name).tags):
                    for label in (t.Name for t in frame if t.name == "FrameLabel"):
                        traced = [(push.String, following.name)
                                  for t in frame if t.name == "DoAction"
                                  for push, following in zip(t.Actions, t.Actions[1:])
                                  if push.name == "ActionPush"]
                        self.assertIn(("frame:" + label, "ActionTrace"), traced)

    def test_everything_a_page_refers_to_is_defined(self):
        for name in PAGES:
            with self.subTest(page=name):
                tags = self.parse(name).tags
                labels = {t.Name for t in tags if t.name == "FrameLabel"}
                bitmaps, sounds, characters = {}, set(), set()
                for t in tags:
                    if t.name == "DefineBitsLossless2":
                        ident, kind, width, height = struct.unpack("<HBHH", t.raw_payload[:7])
                        self.assertEqual(kind, 5)
                        self.assertEqual(len(zlib.decompress(t.raw_payload[7:])), width * height * 4)
                        bitmaps[ident] = (width, height)
                    elif t.name == "DefineShape3":
                        for fill in t.Shapes.FillStyles.FillStyles:
                            if fill.FillStyleType == 0x41:
                                self.assertIn(fill.BitmapId, bitmaps)
                        characters.add(t.ShapeId)
                    elif t.name == "DefineSound":
                        ident, flags, samples = struct.unpack("<HBI", t.raw_payload[:7])
                        self.assertEqual(flags, (2 << 4) | (2 << 2) | 2, "MP3, 22050 Hz, 16 bit, mono")
                        self.assertGreater(samples, 0)
                        self.assertEqual(t.raw_payload[9] , 0xFF, "MPEG audio follows the seek samples")
                        sounds.add(ident)
                    elif t.name == "StartSound":
                        self.assertIn(struct.unpack("<H", t.raw_payload[:2])[0], sounds)
                    elif t.name == "DefineButton2":
                        for record in t.Characters:
                            self.assertIn(record.CharacterId, characters)
                        for condition in t.Actions:
                            self.assertEqual(condition.CondOverDownToOverUp, 1, "a click runs it")
                            self.assertTrue(set(goto_labels(condition.Actions)) <= labels)
                            self.assertTrue(goto_labels(condition.Actions))
                        characters.add(t.ButtonId)
                    elif t.name == "DefineButtonSound":
                        self.assertIn(struct.unpack("<H", t.raw_payload[6:8])[0], sounds)
                    elif t.name == "PlaceObject2" and t.PlaceFlagHasCharacter:
                        self.assertIn(t.CharacterId, characters)
                    elif t.name == "DoAction":
                        self.assertTrue(set(goto_labels(t.Actions)) <= labels)

    def test_exercises_answer_clicks(self):
        expected = {
            "kandu": ["ready", "say-a", "say-ka", "say-no"],
            "tingxuan": ["q1", "q1-listen", "q1-wait", "q1-right", "q1-wrong", "q5-right"],
            "zuhewushiyin": ["c-", "c-k", "kana-ka", "kana-yi", "kana-wo"],
            "fenzulianxi": ["groups", "ka-q1", "ka-q1-right", "ka-q1-wrong", "ha-q2-right"],
        }
        for name, wanted in expected.items():
            with self.subTest(page=name):
                labels = self.manifest[name]["labels"]
                for label in wanted:
                    self.assertIn(label, labels)
                self.assertGreaterEqual(self.manifest[name]["buttons"], 4)


if __name__ == "__main__":
    Pages.folder, manifest = sys.argv[1], sys.argv[2]
    with open(manifest, encoding="utf-8") as f:
        Pages.manifest = json.load(f)
    unittest.main(argv=sys.argv[:1], verbosity=1)
