#pragma once

// "Save Book As...": the text of the view written out as Windows 1251 text, CR LF after
// every line, under a name the user chooses; that file is the open book from then on.

#include <QString>

namespace lirra {

class FileDialog;
class ReaderWindow;

// SaveDialog1's filter.
inline const QString kSaveBookFilter = QStringLiteral("Text File (*.txt)|*.txt|Other File (*.*)|*.*");

// Offers `saveDialog` preset to the file last chosen in "Open Book". The file is written
// beside the chosen one and renamed over it only when complete, so a failure never
// leaves half a book where a whole file was; only a file whose folder takes no new file
// is written in place. A file without a write bit is not replaced. Raises "Cannot create
// file %s" (the chosen name) or "Failed to Save Stream"; the caption then stays.
void saveBookAs(ReaderWindow& reader, FileDialog& saveDialog);

} // namespace lirra
