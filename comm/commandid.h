#pragma once

// Identifiers of queued commands: 1, 2, 3 ... up to INT_MAX, then 1 again; never 0, which marks
// monitoring reads. Shared by the main window and the worker thread.
int nextCommandId();

// Sets the last identifier handed out (so the next is value + 1, or 1 after INT_MAX).
void setLastCommandId(int value);
