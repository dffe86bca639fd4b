#pragma once

// Prepares a run without a window or display, before the application object
// is made: the offscreen platform, which still provides fonts, and none of
// Qt's notes that it falls back to a temporary runtime folder, which say
// nothing to the person running the program. Every other message passes.
void PrepareHeadlessRun();
