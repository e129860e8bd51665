#include "platform/beep.h"

namespace lirra::platform {

// Linux has no system-wide beep switch, and changing the user's desktop settings
// from a book reader would outlive it after a crash; so this deliberately does nothing.
void setWarningBeep(bool) {}

} // namespace lirra::platform
