#include "first_paint.h"

#include "app/book_copy.h"
#include "platform/codepage_tables.h"

namespace lirra::bench {

QImage paintView(TBookView& view)
{
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
    return image;
}

QImage openToFirstPaint(TBookView& view, const std::string& dosBook, const std::string& tempCopy)
{
    copyBookLines(dosBook, tempCopy, platform::tables::oem866ToAnsi1251);
    view.loadFile(tempCopy);
    view.reanchorLine(0);
    view.caretToStart();
    return paintView(view);
}

} // namespace lirra::bench
