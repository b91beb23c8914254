#include "app/settings.h"

#include <allegro.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/globals.h"

namespace {

const int defaultVolume = 128;

std::string ConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg)
        return std::string(xdg) + "/orbitpub";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/orbitpub";
}

// mkdir -p: true when the folder exists afterwards.
bool MakeFolder(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int ReadVolume(const char* name)
{
    const char* text = get_config_string(nullptr, name, nullptr);
    if (!text)
        return defaultVolume;
    char* end;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    while (*end == ' ' || *end == '\t')
        end++;
    if (end == text || *end || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return defaultVolume;
    return static_cast<int>(value);
}

}  // namespace

std::string SettingsPath()
{
    return ConfigFolder() + "/orbitpub.cfg";
}

bool OpenSettings()
{
    std::string folder = ConfigFolder();
    std::string path = SettingsPath();
    bool writable = MakeFolder(folder);
    if (writable) {
        // Opening for appending tells whether the library can save it later.
        FILE* f = std::fopen(path.c_str(), "a");
        writable = f != nullptr;
        if (f)
            std::fclose(f);
    }
    if (!writable)
        std::fprintf(stderr, "orbitpub: the settings cannot be saved in %s: %s\n", folder.c_str(),
                     std::strerror(errno));
    set_config_file(path.c_str());
    return writable;
}

void ReadVolumes()
{
    gv.soundVolume = ReadVolume("sound");
    gv.musicVolume = ReadVolume("midi");
}

void WriteVolumes()
{
    set_config_int(nullptr, "midi", gv.musicVolume);
    set_config_int(nullptr, "sound", gv.soundVolume);
}
