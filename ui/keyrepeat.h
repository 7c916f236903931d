#pragma once

// A held key sends press after press; only letting go of it may count as its release.
namespace keyrepeat {

// X11 sends a release before every repeated press, and Qt can only guess which releases are
// repeats by looking ahead in its event queue: under load the guess fails and a held key
// reads as many separate keystrokes. The X server can instead be asked (XKB detectable
// auto-repeat) to send repeats as presses alone. Other platforms mark repeats themselves.
void releaseOnlyWhenLetGo();

} // namespace keyrepeat
