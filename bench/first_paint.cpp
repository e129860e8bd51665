#include "first_paint.h"

namespace lirra::bench {

std::unique_ptr<TForm1> readerWindow()
{
    auto form = std::make_unique<TForm1>(QStringList());
    form->resize(1024, 768);
    form->show();   // a hidden window would not lay its view out
    return form;
}

QImage paintView(TBookView& view)
{
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
    return image;
}

QImage openToFirstPaint(TForm1& form, const std::string& dosBook)
{
    form.LoadBook(QString::fromStdString(dosBook));
    return paintView(form.bookView());
}

} // namespace lirra::bench
