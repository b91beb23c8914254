#include "song/songmenu.h"

#include "app/poll.h"

void RunKaraoke()
{
    WaitKeyUp(KEY_SPACE);
}
