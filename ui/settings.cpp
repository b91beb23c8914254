#include "app/poll.h"
#include "ui/dialogs.h"

void Settings()
{
    WaitKeyUp(KEY_SPACE);
}

void SoundSettings()
{
    WaitKeyUp(KEY_SPACE);
}
