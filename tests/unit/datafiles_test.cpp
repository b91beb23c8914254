// Data files: a file that is missing, damaged or does not fit the catalogue is
// refused with a line naming it, never handed on to crash the game later.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/datafiles.h"
#include "testing.h"

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Datafiles, DamagedFilesAreRefused)
{
    std::string good = ReadBytes(std::string(GAME_DIR) + "/data2.dat");
    ASSERT_GT(good.size(), 1000u);
    std::string flipped = good;
    flipped[5] ^= 0x40;  // the data-file magic after the packfile magic
    struct {
        std::string bytes;
        const char* expect;
        const char* what;
    } cases[] = {
        {good, "", "the file the build made"},
        {"", "damaged", "empty"},
        {good.substr(0, 12), "damaged", "the header alone"},
        {good.substr(0, good.size() / 2), "damaged", "cut in the middle"},
        {good.substr(0, good.size() - 1), "damaged", "one byte short"},
        {flipped, "damaged", "wrong magic"},
        {std::string(4096, '\x5a'), "damaged", "garbage"},
        {ReadBytes(std::string(GAME_DIR) + "/data.dat"), "object 1 is a bitmap, expected a palette",
         "the other data file"},
    };
    char pattern[] = "/tmp/orbitpub-data-XXXXXX";
    std::string folder = mkdtemp(pattern);
    std::string path = folder + "/data2.dat";
    for (auto& c : cases) {
        std::ofstream(path, std::ios::binary) << c.bytes;
        std::string why;
        DATAFILE* data = LoadCheckedDatafile(path.c_str(), data2Catalogue, DATA2_COUNT, why);
        if (*c.expect == 0) {
            EXPECT_TRUE(data) << c.what << ": " << why;
        } else {
            EXPECT_FALSE(data) << c.what;
            EXPECT_NE(why.find(c.expect), std::string::npos) << c.what << ": " << why;
            EXPECT_NE(why.find("data2.dat"), std::string::npos) << why;
        }
        if (data)
            unload_datafile(data);
    }
    std::remove(path.c_str());
    std::string why;
    EXPECT_FALSE(LoadCheckedDatafile(path.c_str(), data2Catalogue, DATA2_COUNT, why));
    EXPECT_NE(why.find("cannot find"), std::string::npos) << why;
    rmdir(folder.c_str());
}

TEST(Datafiles, CatalogueNamesTheFirstIndexThatDoesNotFit)
{
    BITMAP* small = create_bitmap(30, 30);
    BITMAP* pop = create_bitmap(40, 40);
    BITMAP* big = create_bitmap(400, 300);
    PALETTE palette;
    int something = 0;
    struct Object {
        int type;
        void* dat;
    };
    auto Make = [](std::vector<Object> objects) {
        std::vector<DATAFILE> d;
        for (auto& o : objects)
            d.push_back({o.dat, o.type, 0, nullptr});
        d.push_back({nullptr, DAT_END, 0, nullptr});
        return d;
    };
    Object tile{DAT_BITMAP, small}, pal{DAT_PALETTE, palette}, pic{DAT_BITMAP, pop},
        mp3{DAT_BITMAP, big}, fnt{DAT_FONT, font};
    struct {
        std::vector<Object> objects;
        std::string expect;
    } cases[] = {
        {{tile, pal, pic, pic, pic, pal, mp3, fnt}, ""},
        {{tile, pal, pic, pic, pic, pal, mp3}, "object 7 is missing, expected a font"},
        {{tile, pal, pic, tile, pic, pal, mp3, fnt}, "object 3 is 30 x 30 pixels, expected 40 x 40"},
        {{tile, pal, pic, pic, pic, pal, pic, fnt},
         "object 6 is 40 x 40 pixels, expected at least 384 x 280"},
        {{tile, tile, pic, pic, pic, pal, mp3, fnt}, "object 1 is a bitmap, expected a palette"},
        {{tile, pal, pic, pic, pic, pal, mp3, {DAT_ID('N', 'U', 'L', 'L'), &something}},
         "object 7 is another kind of object, expected a font"},
    };
    for (auto& c : cases) {
        std::vector<DATAFILE> data = Make(c.objects);
        EXPECT_EQ(CheckDatafile(data.data(), data2Catalogue, DATA2_COUNT), c.expect);
    }
    destroy_bitmap(small);
    destroy_bitmap(pop);
    destroy_bitmap(big);
}

}  // namespace
