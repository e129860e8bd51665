#pragma once

namespace lirra::platform {

// Lowers the priority of the calling thread alone, and of the threads it starts from now
// on, for work done behind the window (the rest of a book). On a machine of few cores it
// then never holds up a paint, and it still has every core the window leaves idle.
void runThisThreadInBackground();

} // namespace lirra::platform
