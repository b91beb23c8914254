#include "session/play.h"

int Play()
{
    return 0;
}
