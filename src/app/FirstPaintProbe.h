#pragma once

class QWidget;

// A measuring aid for the start-up timings under bench/, off unless the
// environment variable VDL_EXIT_AFTER_FIRST_PAINT is set (to anything but
// empty). Then, once the first paint of `window` is done, the program writes
// one line to standard output,
//     <steady clock in ns> <peak resident set in KiB>
// and ends at once, without closing the window or saving anything.
// Returns whether the probe is on.
bool installFirstPaintProbe(QWidget *window);
