"""The song screens on the real program: a karaoke page that changes while
its song is heard and gives way to the song menu at a press, the MP3 page
with its green border and the recording heard, and broken recordings and
lyrics that must neither crash nor hang the game."""

import os
import random
import shutil
import tempfile
import time
import unittest

import harness
import songscreens as songs


def loud_since(game, start):
    """Seconds of loud sound caught after the first start samples."""
    sound = game.sound()
    sound.samples = sound.samples[start:]
    return sound.loud_seconds()


def samples(game):
    return len(game.sound().samples)


class SongScreensTest(unittest.TestCase):
    def end_page_and_hear_silence(self, game, what):
        """A press ends the page: the song menu comes back and the sound stops."""
        game.press()
        songs.wait_menu(game, timeout=5)
        time.sleep(0.5)
        stopped = samples(game)
        time.sleep(1.5)
        self.assertLess(loud_since(game, stopped), 0.3, "%s stops with the page" % what)

    def test_karaoke_page_moves_with_the_song_and_space_ends_it(self):
        with harness.Run() as game:
            songs.to_song_menu(game)
            time.sleep(0.5)
            start = samples(game)
            songs.pick(game, songs.KARAOKE_FIRST + 2)   # pitch 2 with melody
            game.wait(lambda: songs.karaoke_shown(game), 10, "the karaoke page")
            time.sleep(1.0)  # the border comes first, the lyrics with the song
            first = game.grab().region(*songs.KARAOKE_REGION)
            # The first words are sung after the intro: the page turns them
            # into the sung colours, then scrolls.
            game.wait(lambda: game.grab().region(*songs.KARAOKE_REGION) != first, 40,
                      "the lyrics page to change", interval=0.2)
            self.assertGreater(loud_since(game, start), 2.0, "the song is heard")
            self.end_page_and_hear_silence(game, "the song")

    def test_mp3_page_shows_its_picture_and_plays_the_recording(self):
        with harness.Run() as game:
            songs.to_song_menu(game)
            time.sleep(0.5)
            start = samples(game)
            songs.pick(game, songs.LISTEN)
            game.wait(lambda: songs.mp3_shown(game), 10, "the MP3 page")
            time.sleep(4.0)
            self.assertGreater(loud_since(game, start), 2.0, "the recording is heard")
            self.end_page_and_hear_silence(game, "the recording")

    def test_broken_recordings_and_lyrics_neither_crash_nor_hang(self):
        game_dir, _ = harness.tool_paths()
        folder = tempfile.mkdtemp(prefix="orbitpub-song-")
        try:
            for name in ("data.dat", "data2.dat"):
                os.symlink(os.path.join(game_dir, name), os.path.join(folder, name))
            with open(os.path.join(game_dir, "vocals.mp3"), "rb") as f:
                recording = f.read()
            rng = random.Random(4)
            garbage = bytes(rng.randrange(256) for _ in range(100000))
            vocals = os.path.join(folder, "vocals.mp3")
            lyrics = os.path.join(folder, "lyrics.txt")
            with harness.Run(cwd=folder) as game:
                songs.to_song_menu(game)
                for what, data in (("missing", None), ("truncated", recording[:70000]),
                                   ("garbage", garbage), ("empty", b"")):
                    with self.subTest(vocals=what):
                        if data is None:
                            self.assertFalse(os.path.exists(vocals))
                        else:
                            with open(vocals, "wb") as f:
                                f.write(data)
                        songs.pick(game, songs.LISTEN)
                        game.wait(lambda: songs.mp3_shown(game), 10, "the MP3 page")
                        time.sleep(2.0)  # the truncated one ends here
                        game.press()
                        songs.wait_menu(game, timeout=5)

                # Garbage lyrics either make some page or a message that one
                # press closes; either way the menu comes back.
                for what, data in (("garbage", garbage),
                                   ("no line ends", b"w" * 20000 + b"[1]"),
                                   ("missing", None)):
                    with self.subTest(lyrics=what):
                        if data is None:
                            os.remove(lyrics)
                        else:
                            with open(lyrics, "wb") as f:
                                f.write(data)
                        songs.pick(game, songs.KARAOKE_FIRST)
                        time.sleep(2.0)
                        game.press()
                        songs.wait_menu(game, timeout=5)
                self.assertTrue(game.running())
                songs.pick(game, songs.RETURN)
                game.wait_menu()
                game.pick(harness.MENU_ENTRIES.index("Quit"))
                self.assertEqual(game.wait_exit(15), 0)
        finally:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    harness.main()
