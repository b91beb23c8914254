// Test runner: the library comes up once (timer module included, which needs
// the X display the test run provides) with no window and no keyboard
// handler, so tests write the key table themselves.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>

#include "app/datafiles.h"

#include "testing.h"

std::function<void(unsigned int)> restHook;

// Interposes the library's rest(): the game's code calls this one.
extern "C" void rest(unsigned int time)
{
    if (restHook) {
        restHook(time);
        return;
    }
    using RestFn = void (*)(unsigned int);
    static RestFn real = reinterpret_cast<RestFn>(dlsym(RTLD_NEXT, "rest"));
    real(time);
}

void ResetScreen()
{
    if (screen)
        destroy_bitmap(screen);
    screen = create_bitmap_ex(32, 640, 480);
    clear_to_color(screen, 0);
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
}

Rgb PixelAt(BITMAP* bmp, int x, int y)
{
    int c = getpixel(bmp, x, y);
    return {getr32(c), getg32(c), getb32(c)};
}

void LoadTestData()
{
    if (thedata)
        return;
    char here[4096];
    ASSERT_TRUE(getcwd(here, sizeof here));
    ASSERT_EQ(chdir(GAME_DIR), 0) << GAME_DIR;
    std::string why;
    bool loaded = LoadGameData(why);
    ASSERT_EQ(chdir(here), 0);
    ASSERT_TRUE(loaded) << why;
}

namespace {

class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(allegro_init(), 0) << allegro_error;
        ASSERT_EQ(install_timer(), 0);
        set_color_depth(32);
        ResetScreen();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);
    return RUN_ALL_TESTS();
}
