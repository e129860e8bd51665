// libFuzzer harness for the RTF reader: any input must either be refused or give a
// result whose runs and format table the book view can rely on.
#include "bookview/core/rtf_reader.h"
#include "rich_text_promises.h"

#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto rich = lirra::parseRtf(input);
    if (!rich)
        return 0;
    require(lirra::looksLikeRtf(input));
    // Every character of the text costs at least one byte of the input.
    require(rich->text.size() <= size);
    requireSoundRuns(*rich);
    const lirra::FormatTable& table = rich->formats;
    // Each face is held once, and every face a format names exists.
    require(std::set<std::u16string>(table.faces.begin(), table.faces.end()).size() == table.faces.size());
    for (const lirra::CharFormat& format : table.formats)
        require(format.face == lirra::CharFormat::kViewFace ||
                (format.face >= 0 && static_cast<std::size_t>(format.face) < table.faces.size()));
    // A format costs at least one run, a face at least its name in the input.
    require(table.formats.size() <= rich->runs.size());
    std::size_t faceUnits = 0;
    for (const std::u16string& face : table.faces)
        faceUnits += face.size();
    require(faceUnits <= size);
    return 0;
}
