#pragma once

// The display options kept in Software\Lirra Reader\Options: read once at start,
// written only by "Save Options ", wiped with the whole program tree by "Defaults Options".

#include <QString>
#include <cstdint>

namespace lirra {

// The program-wide option variables; all zero before the start-up read.
struct OptionsRecord {
    std::int32_t FontSize = 0;
    std::uint32_t FontColor = 0;
    std::uint32_t BGColor = 0;
    std::int32_t ScrollTextSpeed = 0;
    QString FontName;
    std::uint8_t ConfirmSetBMExit = 0;
    std::uint8_t WordWrap = 0;
    // The scroll-speed dialog takes its slider position from here when it is created.
    std::int32_t ScrollSpeedHandOver = 0;
};

inline constexpr const char* kProgramKey = "Software\\Lirra Reader";
inline constexpr const char* kOptionsKey = "Software\\Lirra Reader\\Options";

// Fills `record` from the registry, or with the defaults when the key is absent. Values
// are stored into the record as they are read, so on an error the ones read before it
// stay. Raises the registry's error texts.
void readOptions(OptionsRecord& record);
// Writes the seven values in one change, so a save is stored whole or not at all;
// the two flags as 0 or 1.
void saveOptions(const OptionsRecord& options);
// Deletes Software\Lirra Reader with everything below it; a failure is ignored.
void deleteAllOptions();

} // namespace lirra
