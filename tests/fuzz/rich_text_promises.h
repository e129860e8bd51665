#pragma once

// The promises every reader of formatted books makes the book view. A broken promise
// aborts, so that libFuzzer keeps the input that broke it.

#include "bookview/core/rtf_reader.h"

#include <cstdint>
#include <cstdlib>
#include <set>

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Runs sorted, the first at 0, each inside the text, naming a format of the table and
// another one than the run before; each format held once.
inline void requireSoundRuns(const lirra::RichText& rich)
{
    const auto& runs = rich.runs;
    const auto& formats = rich.formats.formats;
    require(runs.empty() == rich.text.empty());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        require(runs[i].start < static_cast<std::int64_t>(rich.text.size()));
        require(runs[i].format < formats.size());
        require(i == 0 ? runs[i].start == 0 : runs[i - 1].start < runs[i].start);
        require(i == 0 || runs[i - 1].format != runs[i].format);
    }
    require(std::set<lirra::CharFormat>(formats.begin(), formats.end()).size() == formats.size());
}
