// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dv {

// Gives back what a clock that idles for hours does not need resident: the
// heap's free tops and the clean pages of the libraries and fonts it mapped
// (the code of start-up, of an alarm window or a dialog that has gone). The
// system keeps them in its file cache; a page used again comes back on its
// own. Pages the program wrote to are never touched.
void releaseIdlePages();

} // namespace dv
