// The settings file: where it lives, what survives a round trip, and that a
// damaged or unwritable file never costs the player the game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/globals.h"
#include "app/settings.h"
#include "testing.h"

namespace {

struct SettingsTest : ::testing::Test {
    std::string home;
    void SetUp() override
    {
        char pattern[] = "/tmp/orbitpub-settings-XXXXXX";
        home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    }
    void TearDown() override
    {
        set_config_file("/dev/null");  // leave nothing pointing into the folder
        std::system(("rm -rf " + home).c_str());
        unsetenv("XDG_CONFIG_HOME");
    }
    void WriteFile(const std::string& path, const std::string& bytes)
    {
        mkdir((home + "/config").c_str(), 0755);
        mkdir((home + "/config/orbitpub").c_str(), 0755);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(SettingsTest, PathFollowsXdgOrHome)
{
    EXPECT_EQ(SettingsPath(), home + "/config/orbitpub/orbitpub.cfg");
    setenv("XDG_CONFIG_HOME", "", 1);
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(SettingsPath(), "/home/player/.config/orbitpub/orbitpub.cfg");
    setenv("HOME", oldHome.c_str(), 1);
}

TEST_F(SettingsTest, RoundTripMakesTheFolder)
{
    ASSERT_TRUE(OpenSettings());
    ReadVolumes();
    EXPECT_EQ(gv.soundVolume, 128);
    EXPECT_EQ(gv.musicVolume, 128);
    gv.soundVolume = 255;
    gv.musicVolume = -3;  // kept as it is: a negative music volume means something
    WriteVolumes();
    flush_config_file();
    std::string text = ReadFile(SettingsPath());
    EXPECT_NE(text.find("midi = -3"), std::string::npos) << text;
    EXPECT_NE(text.find("sound = 255"), std::string::npos) << text;

    gv.soundVolume = gv.musicVolume = 0;
    ASSERT_TRUE(OpenSettings());
    ReadVolumes();
    EXPECT_EQ(gv.soundVolume, 255);
    EXPECT_EQ(gv.musicVolume, -3);
}

TEST_F(SettingsTest, DamagedFilesGiveTheDefaults)
{
    struct {
        std::string bytes;
        int sound, music;
    } cases[] = {
        {"sound = 0\nmidi = 64\n", 0, 64},
        {"sound = loud\nmidi = \n", 128, 128},
        {"sound = 12abc\nmidi = 99999999999999999999\n", 128, 128},
        {"[sound]\nsound = 5\n", 128, 128},  // not in the default section
        {std::string("\x00\xff\xfe=\n\n==\x01sound", 12) + "\nmidi=7", 128, 7},
        {std::string(5000, '\xee'), 128, 128},
        {"", 128, 128},
    };
    for (auto& c : cases) {
        WriteFile(SettingsPath(), c.bytes);
        gv.soundVolume = gv.musicVolume = -1;
        ASSERT_TRUE(OpenSettings());
        ReadVolumes();
        EXPECT_EQ(gv.soundVolume, c.sound) << c.bytes;
        EXPECT_EQ(gv.musicVolume, c.music) << c.bytes;
    }
}

TEST_F(SettingsTest, UnwritableFolderIsReportedAndPlayGoesOn)
{
    // A plain file where the folder should be: nothing can be made below it.
    std::ofstream(home + "/config") << "x";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(OpenSettings());
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot be saved"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    ReadVolumes();
    EXPECT_EQ(gv.soundVolume, 128);
    WriteVolumes();
    flush_config_file();  // fails quietly
}

}  // namespace
