// The thread's message loop, for the moments when the program waits inside a
// command (a modal dialog's own loop is blocked then). Messages for a dialog
// go through IsDialogMessage first, so Tab, the arrow keys, Enter and Escape
// work in modeless dialogs as they do in modal ones.
#pragma once

// Handles every message waiting in this thread's queue. False when a quit
// request was among them: it is posted again for the outer loop to see.
bool PumpWaitingMessages();

// Waits `milliseconds` while handling the thread's messages, so that its
// windows stay painted and Windows does not take the program for hung; the
// user's input (keys, mouse) meanwhile is dropped, so no window acts on it.
void WaitDiscardingInput(unsigned long milliseconds);
