// `veltrane --update`: "Update Now" without a window, for timers and scripts. One line per
// subscription ("ADDRESS: N new, M known, R repeated, K skipped", "ADDRESS: not modified" or
// "ADDRESS: error: REASON", on standard error after "veltrane: "); returns 0 when every
// subscription was fetched or not modified, 1 otherwise.
#pragma once

int RunUpdateMode();
