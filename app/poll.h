// Polling waits. Every wait of the game polls the library's state (the key
// table, the timer counters, the song position) exactly as often as it
// likes, but gives the core back between two polls with rest(1), so a wait
// costs a few percent of a core instead of all of it and still sees a change
// within a millisecond or two.
#ifndef ORBITPUB_APP_POLL_H
#define ORBITPUB_APP_POLL_H

#include <allegro.h>

// Polls done() until it returns true, resting one millisecond between polls.
template <class Done>
void PollUntil(Done done)
{
    while (!done())
        rest(1);
}

// Waits until the key (an index into the key table) is up.
void WaitKeyUp(int k);

// Waits until the key is down.
void WaitKeyDown(int k);

#endif
