// `veltrane --update`: "Update Now" without a window, for timers and scripts. One line per
// subscription ("ADDRESS: N new, T taken out, M known, R repeated, K skipped", "ADDRESS: not modified" or
// "ADDRESS: error: REASON", on standard error after "veltrane: "); returns 0 when every
// subscription was fetched or not modified, 1 otherwise.
#pragma once

// `accept_losses`: a list that lost more than half its names since its last update is filed as
// it is (--accept-losses), instead of being held back.
int RunUpdateMode(bool accept_losses = false);
