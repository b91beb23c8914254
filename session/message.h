// The game's one-line message box, closed with the space key, and the
// window's close-button hook that asks to leave a level.
#ifndef ORBITPUB_SESSION_MESSAGE_H
#define ORBITPUB_SESSION_MESSAGE_H

// Shows text in a light box in the middle of the screen, waits for the space
// key to be up and then down, and puts back what the box covered. Returns
// while the key is still held.
void Message(const char* text);

// The close-button callback: only raises gv.escaping.
void SetEscaping();

#endif
