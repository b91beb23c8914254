"""Start-up failures a player can meet: a data file missing, broken or of
the wrong kind, and no X display. Each ends the program at once with a
non-zero status and one line on stderr that says what is wrong and where."""

import os
import shutil
import tempfile
import unittest

import harness


def game_folder_copy(game_dir, folder, change):
    """A game folder like the real one, with links to its files, then changed."""
    for name in os.listdir(game_dir):
        os.symlink(os.path.join(game_dir, name), os.path.join(folder, name))
    change(folder)


def remove(name):
    return lambda folder: os.remove(os.path.join(folder, name))


def replace(name, content):
    def change(folder):
        os.remove(os.path.join(folder, name))
        if isinstance(content, bytes):
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)
        else:  # another of the folder's files
            shutil.copy(os.path.join(folder, content), os.path.join(folder, name))
    return change


class DataFileTest(unittest.TestCase):
    def test_bad_data_files_end_the_program_with_a_message(self):
        cases = [
            # what, change to the folder, words the message must hold
            ("data2.dat missing", remove("data2.dat"), ["data2.dat"]),
            ("data.dat missing", remove("data.dat"), ["data.dat"]),
            ("data2.dat not a data file", replace("data2.dat", b"not a data file\n" * 64),
             ["data2.dat"]),
            # data.dat's second object is a picture where data2.dat has a palette.
            ("data2.dat holding data.dat's objects", replace("data2.dat", "data.dat"),
             ["data2.dat", "1"]),
        ]
        game_dir, _ = harness.tool_paths()
        for what, change, words in cases:
            with self.subTest(what):
                folder = os.path.realpath(tempfile.mkdtemp(prefix="orbitpub-game-"))
                self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
                game_folder_copy(game_dir, folder, change)
                with harness.Run(cwd=folder) as game:
                    status = game.wait_exit(20)
                    lines = game.stderr_lines()
                self.assertGreater(status, 0, "a failure status, not a crash")
                self.assertEqual(len(lines), 1, lines)
                for word in words + [folder]:
                    self.assertRegex(lines[0], r"(^|\W)%s(\W|$)" % word.replace(".", r"\."))


class DisplayTest(unittest.TestCase):
    def test_no_display_ends_the_program_with_a_message(self):
        with harness.Run(display=False) as game:
            status = game.wait_exit(20)
            lines = game.stderr_lines()
        self.assertGreater(status, 0, "a failure status, not a crash")
        self.assertEqual(len(lines), 1, lines)


if __name__ == "__main__":
    harness.main()
