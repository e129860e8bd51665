#pragma once

namespace lirra::platform {

// The system-wide warning beep switch. There is none on Linux: this changes nothing
// outside the program.
void setWarningBeep(bool on);

} // namespace lirra::platform
