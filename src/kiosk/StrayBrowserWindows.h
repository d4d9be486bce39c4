// Browser windows of their own on the screen (a page's window that escaped the kiosk's browser):
// none should ever exist, since new windows load in the kiosk's own page; leaving the kiosk closes
// any that does all the same, so nothing of a visitor's browsing stays on a public machine.
#pragma once

namespace pinstage {

// Closes and frees every web view that is a top-level window; answers how many there were.
int FermerFenetresIE();

} // namespace pinstage
