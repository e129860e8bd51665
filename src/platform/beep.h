#pragma once

namespace lirra::platform {

// The Windows reader switched the system-wide warning beep off while it ran.
void setWarningBeep(bool on);

} // namespace lirra::platform
