#include "app/poll.h"

void WaitKeyUp(int k)
{
    PollUntil([k] { return !key[k]; });
}

void WaitKeyDown(int k)
{
    PollUntil([k] { return key[k] != 0; });
}
