#include "book_view_fixture.h"

#include "bookview/core/book_copy.h"
#include "bookview/widget/color_value.h"

#include "peak_memory.h"

#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <regex>

using lirra::TBookView;

namespace {

using BookViewTest = BookViewFixture;

const QColor kSilver(192, 192, 192);   // the view's own text colour
using Lines = std::pair<std::int64_t, std::int64_t>;

QImage viewport(TBookView& view) { return view.viewport()->grab().toImage(); }
QColor highlight(const TBookView& view) { return view.palette().color(QPalette::Active, QPalette::Highlight); }

// The smallest rectangle holding every pixel of `color`.
QRect boxOf(const QImage& image, QColor color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

bool contains(const QImage& image, QColor color) { return !boxOf(image, color).isEmpty(); }

// The background in the corner of `image`, then whether each of `colors` shows in it.
std::vector<QColor> look(const QImage& image, std::initializer_list<QColor> colors)
{
    std::vector<QColor> seen{image.pixelColor(image.width() - 2, image.height() - 2)};
    for (const QColor& color : colors)
        seen.push_back(contains(image, color) ? color : QColor());
    return seen;
}

// The view's own font: its cell width and row height in pixels.
QSize viewCell()
{
    const QFontMetrics metrics(lirra::ViewFont().toQFont());
    return {metrics.horizontalAdvance(QLatin1Char(' ')), metrics.ascent() + metrics.descent()};
}

void dragTo(TBookView& view, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), view.viewport()->mapToGlobal(QPointF(pos)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
}

// Keys move the caret, stop at both ends, keep the column and copy, their hooks seeing the caret
// before and after; the scroll bar, the wheel, re-anchoring and dragging move the view together.
TEST_F(BookViewTest, KeysScrollBarWheelReanchoringAndDragging)
{
    load(numberedLines(100, "line", 0));
    show();
    using Heard = std::vector<std::pair<std::string, std::int64_t>>;   // the hook and the caret's line
    Heard events;
    const auto hear = [&](const char* what) { return [&, what] { events.emplace_back(what, caretLine()); }; };
    QObject::connect(&view, &TBookView::keyDown, hear("down"));
    QObject::connect(&view, &TBookView::keyPress, hear("press"));
    QObject::connect(&view, &TBookView::keyUp, hear("up"));
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    view.sendKey(lirra::VirtualKey::Down);
    EXPECT_EQ(events, (Heard{{"down", 0}, {"up", 1}, {"down", 1}, {"press", 1}, {"up", 1}, {"down", 1}}));
    EXPECT_EQ(caretLine(), 2);

    press(Qt::Key_Home, Qt::ControlModifier);
    const std::int64_t page = view.document().visibleLines();
    ASSERT_GT(page, 2);
    EXPECT_EQ(press(Qt::Key_Up), 0);
    press(Qt::Key_PageDown);
    EXPECT_EQ(Lines(caretLine(), view.firstVisibleLine()), Lines(page, page));
    for (int i = 0; i < 100; ++i)
        press(Qt::Key_PageDown);
    press(Qt::Key_Down);
    EXPECT_EQ(caretLine(), 100);   // the empty line after the last break, in view
    EXPECT_TRUE(view.firstVisibleLine() <= 100 && view.firstVisibleLine() > 100 - page) << view.firstVisibleLine();
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.firstVisibleLine(), 0);
    EXPECT_EQ(press(Qt::Key_End), 6);     // "line 0"
    EXPECT_EQ(press(Qt::Key_Right), 8);   // over CR LF in one step
    press(Qt::Key_Left);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("\r\nline 1"));
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("\nline 1"));   // LF line ends
    EXPECT_EQ(press(Qt::Key_End, Qt::ControlModifier), view.textLength());
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectionLength(), view.textLength());

    // The scroll bar, the wheel, re-anchoring and dragging move the view together.
    press(Qt::Key_Home, Qt::ControlModifier);
    QScrollBar* bar = view.verticalScrollBar();
    view.scroll(lirra::ScrollStep::PageDown);
    view.scroll(lirra::ScrollStep::LineDown);
    EXPECT_EQ(bar->value(), view.document().visibleLines() + 1);
    QWheelEvent wheel(QPointF(10, 10), view.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_GT(bar->value(), view.document().visibleLines() + 1);
    EXPECT_EQ(view.caretPosition(), 0);
    QSignalSpy changed(&view, &TBookView::changed);
    view.reanchorLine(5);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(bar->value(), 5);   // the line scrolled to the top, the bar following

    // Dragging selects, and past an edge scrolls a line at a time.
    QSignalSpy down(&view, &TBookView::mouseDown);
    QSignalSpy menu(&view, &TBookView::contextMenuRequested);
    bar->setValue(50);
    const int row = viewCell().height();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(2, row * 2 + row / 2));
    EXPECT_EQ(Lines(down.count(), caretLine()), Lines(1, 52));
    dragTo(view, QPoint(2, 0));   // the top row, still inside
    EXPECT_EQ(Lines(view.firstVisibleLine(), caretLine()), Lines(50, 50));
    dragTo(view, QPoint(2, -5));
    dragTo(view, QPoint(2, -5));
    EXPECT_EQ(view.firstVisibleLine(), 48);
    EXPECT_EQ(view.selectedText(), QString::fromStdString(numberedLines(52, "line", 0).substr(view.lineIndex(48))));
    // Below the view the caret goes to the line under the pointer, kept in view.
    dragTo(view, QPoint(2, view.viewport()->height() + 5));
    const std::int64_t top = view.firstVisibleLine();
    EXPECT_GT(top, 48);
    EXPECT_EQ(view.lineFromChar(view.document().caret()), top + view.document().visibleLines() - 1);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(2, 5));
    dragTo(view, QPoint(2, -5));   // the button is up: nothing happens
    EXPECT_EQ(view.firstVisibleLine(), top);

    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(105, 205));
    QApplication::sendEvent(view.viewport(), &context);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(0).toPoint(), QPoint(105, 205));
    EXPECT_EQ(view.selectionStart(), view.lineIndex(52));   // the menu leaves the selection

    // Up and down keep the column across short lines; a sideways move takes the new one.
    load("0123456789abc\r\nxy\r\n0123456789abc\r\n");
    view.setSelection(10, 0);
    EXPECT_EQ(press(Qt::Key_Down), 15 + 2);   // end of "xy"
    EXPECT_EQ(press(Qt::Key_Down), 19 + 10);
    press(Qt::Key_Left);
    press(Qt::Key_Up);
    EXPECT_EQ(press(Qt::Key_Up), 9);
}

TEST_F(BookViewTest, PaintsALongLineOnceEveryTextFromTheFirstNotificationAndEachRunAndTheSelectionInTheirColours)
{
    // A book of one long line is never held twice to paint it: measured first, before other books.
    const std::int64_t length = 32 << 20;
    load(std::string(std::size_t(length), 'W'));
    show();
    const long long growth = residentPeakGrowth([&] {
        EXPECT_TRUE(contains(viewport(view), kSilver));
        // The far end of the line, its last character selected, scrolled into view.
        press(Qt::Key_End);
        press(Qt::Key_Left, Qt::ShiftModifier);
        EXPECT_EQ(view.selectionStart(), length - 1);
        EXPECT_TRUE(contains(viewport(view), highlight(view)));
    });
    EXPECT_LT(growth, 16LL << 20);

    // The main window refreshes its labels from the change notification, and a label's
    // repaint can paint the whole window there and then: every kind of text must paint from
    // the first notification on.
    int painted = 0;
    QObject::connect(&view, &TBookView::changed, &view, [&] { view.repaintNow(), ++painted; });
    for (const char* book : {"plain", "{\\rtf1 {\\b bold} {\\i it}\\par}", "{\\rtf1 one}", "plain again"})
        load(book);
    view.clear();
    EXPECT_EQ(painted, 5);

    load("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue0;}"
         "\\cf1 WWWW\\cf2 MMMM\\par\\cf0\\highlight3 plain on green}");
    const QImage image = viewport(view);
    const int height = viewCell().height();
    const auto row = [&](int i) { return image.copy(0, i * height, image.width(), height); };
    EXPECT_EQ(look(row(0), {Qt::red, Qt::blue, Qt::green}), (std::vector<QColor>{Qt::black, Qt::red, Qt::blue, {}}));
    EXPECT_EQ(look(row(1), {Qt::green, kSilver}), (std::vector<QColor>{Qt::black, Qt::green, kSilver}));

    load(numberedLines(5, "line", 0, " WWWWWWWWWW"));
    EXPECT_EQ(look(viewport(view), {kSilver}), (std::vector<QColor>{Qt::black, kSilver}));
    view.setFontColor(0x000000FF);
    view.setBackgroundColor(0x00FF0000);
    EXPECT_EQ(look(viewport(view), {Qt::red}), (std::vector<QColor>{Qt::blue, Qt::red}));

    // System colours follow the palette, also when it changes later.
    view.setBackgroundColor(0x80000005);   // window
    view.setFontColor(0x80000008);         // window text
    QPalette palette = view.palette();
    palette.setColor(QPalette::Base, QColor(10, 200, 30));
    palette.setColor(QPalette::Text, QColor(250, 250, 0));
    view.setPalette(palette);
    EXPECT_EQ(look(viewport(view), {QColor(250, 250, 0)}), (std::vector<QColor>{{10, 200, 30}, {250, 250, 0}}));
    palette.setColor(QPalette::Base, QColor(40, 0, 90));
    view.setPalette(palette);
    EXPECT_EQ(look(viewport(view), {}), std::vector<QColor>{QColor(40, 0, 90)});

    // A selected line break shows as a blank wide block.
    // 0 "abc" 3 CR LF | 5 "" 5 CR LF | 7 "xyz" 10 CR LF
    load("abc\r\n\r\nxyz\r\n");
    const int w = viewCell().width(), h = viewCell().height();
    const auto selected = [&](std::int64_t start, std::int64_t count) {
        view.setSelection(start, count);
        return boxOf(viewport(view), highlight(view));
    };
    EXPECT_EQ(selected(0, 0), QRect());
    EXPECT_EQ(selected(5, 2), QRect(0, h, w, h));       // an empty line's break
    EXPECT_EQ(selected(3, 2), QRect(3 * w, 0, w, h));
    EXPECT_EQ(selected(0, 3), QRect(0, 0, 3 * w, h));   // the text, not its break
    EXPECT_EQ(selected(2, 4), QRect(0, 0, 4 * w, 2 * h));   // "c", both breaks
    EXPECT_EQ(selected(8, 3), QRect(w, 2 * h, 3 * w, h));

    // A wrapped row ends without a break: nothing is added after it.
    view.setWordWrap(true);
    load(repeated("word ", 30));
    ASSERT_GT(view.lineCount(), 1);
    const std::int64_t firstRow = view.lineText(0).size();
    EXPECT_EQ(selected(0, firstRow + 2), QRect(0, 0, int(firstRow) * w, 2 * h));
}

// Rows a worker made of a book's whole text are those the view makes itself, in a
// proportional and a monospaced font, tabs and all; rows made for a width the view has
// left since are not taken: the view wraps to the width it has. A stopped load stops the wrap.
TEST_F(BookViewTest, RowsMadeForTheWholeTextAreTakenOnlyForTheWrapInUse)
{
    const std::string tail = "\tof " + repeated("words ", 25);
    const lirra::BookText page(lirra::BookBytes(numberedLines(40, "line", 1, tail)));
    const lirra::BookText whole(lirra::BookBytes(numberedLines(120, "line", 1, tail)));
    const auto rowStarts = [&] {
        std::vector<std::int64_t> starts;
        for (std::int64_t row = 0; row < view.document().layout().allLines(); ++row)
            starts.push_back(view.lineIndex(row));
        return starts;
    };
    show();
    EXPECT_FALSE(view.wrapInUse()->wrap(whole));   // wrap off: nothing to make
    view.setWordWrap(true);
    std::stop_source loadStopped;
    loadStopped.request_stop();
    EXPECT_THROW(view.wrapInUse()->wrap(whole, loadStopped.get_token()), lirra::ConversionStopped);
    for (const char* face : {"Liberation Serif", "Liberation Mono"}) {
        view.setFontName(QString::fromLatin1(face));
        for (const int narrower : {0, 80}) {
            view.loadFirstPage(page);
            std::optional<lirra::WrappedRows> made = view.wrapInUse()->wrap(whole);
            ASSERT_TRUE(made);
            const std::size_t madeRows = made->rows.size();
            view.resize(view.width() - narrower, view.height());
            view.takeWholeText(whole, std::move(made));
            const std::vector<std::int64_t> taken = rowStarts();
            view.loadText(whole);
            EXPECT_EQ(taken, rowStarts()) << face << narrower;
            EXPECT_EQ(madeRows == taken.size(), narrower == 0) << face << narrower;
        }
    }
}

// Word wrap splits long lines into rows of the shown width; unwrapped they scroll sideways;
// printing wraps to the page; font sizes and heights convert at the screen resolution.
TEST_F(BookViewTest, WordWrapHorizontalScrollingPrintingFontsAndColourValues)
{
    view.setWordWrap(true);   // set before the view is first shown
    load(numberedLines(10, "line", 0, std::string(30, ' ') + std::string(200, 'x')));
    show();
    const std::int64_t wrapped = view.lineCount();
    EXPECT_GT(wrapped, 20);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);   // nothing to scroll sideways
    view.setWordWrap(false);
    EXPECT_EQ(Lines(view.lineCount(), view.horizontalScrollBar()->maximum() > 0), Lines(10, true));
    view.setWordWrap(true);
    view.resize(view.width() * 2, view.height());   // the rows follow the new width
    EXPECT_TRUE(view.lineCount() < wrapped && view.lineCount() > 10) << view.lineCount();

    // A wrapped tab takes the room of eight blanks.
    load("\t" + repeated("word ", 40) + "\r\n");
    const std::int64_t withTab = view.lineText(0).size();
    load("        " + repeated("word ", 40) + "\r\n");
    EXPECT_EQ(view.lineText(0).size(), withTab + 7);

    // Unwrapped, horizontal scrolling shows the part of long lines in view.
    view.setWordWrap(false);
    load(std::string(60, 'W') + std::string(300, ' ') + std::string(60, 'W') + "\r\n");
    QScrollBar* bar = view.horizontalScrollBar();
    ASSERT_GE(bar->maximum() + view.viewport()->width(), 420 * 10);   // 420 cells of 10 pixels
    const auto shownAt = [&](int value) { bar->setValue(value); return contains(viewport(view), kSilver); };
    EXPECT_EQ(std::pair(shownAt(1000), shownAt(bar->maximum())), std::pair(false, true));   // blanks, then text
    press(Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);   // the caret is kept in view

    // Printed pages count the rows of lines wrapped to the page, scaled from screen pixels.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(QString::fromStdString(dir / "book.pdf"));   // a PDF, by its name
    // A4 holds some 55 rows of 19 pixels; lines longer than the page wrap and count.
    load(repeated(std::string(120, 'y') + "\r\n", 40));
    view.print(printer, QStringLiteral("book"));
    const std::string pdf = readFile(dir / "book.pdf");
    const std::regex page("/Type /Page[^s]");   // a page object; "/Type /Pages" is their tree
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), {}), 2);
    EXPECT_EQ(view.lineCount(), 40);   // the view keeps its own rows

    // A larger font shows fewer lines; sizes and heights convert at the screen resolution.
    load(numberedLines(100, "line", 0));
    const int lines = view.document().visibleLines();
    view.setFontSize(26);
    EXPECT_LT(view.document().visibleLines(), lines * 2 / 3);
    ASSERT_EQ(view.logicalDpiY(), 96);
    for (const auto& [size, height] : {std::pair{14, -19}, {13, -17}, {0, 0}, {-5, 7}}) {
        view.setFontSize(size);
        EXPECT_EQ(view.fontHeight(), height) << size;
        view.setFontHeight(height);
        EXPECT_EQ(view.fontSize(), size) << height;
    }
    view.setFontName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(view.fontName().size(), 31);

    // Fonts are shared by face and size; heights count as cells or characters; colours come from values.
    lirra::FormatTable table;
    table.faces = {u"Liberation Serif"};
    for (std::uint32_t color = 0; color < 1000; ++color)
        table.formats.push_back({.color = color, .background = color});
    table.formats.push_back({.halfPoints = 48, .color = 7, .background = {}});
    table.formats.push_back({.face = 0, .color = {}, .background = {}});
    lirra::ViewFonts fonts;
    fonts.setFont(lirra::ViewFont(), 96, table);
    EXPECT_EQ(&fonts.forFormat(0), &fonts.forFormat(999));   // formats differing only in colour share a font
    EXPECT_EQ(QFontInfo(fonts.forFormat(1000).font()).pixelSize(), 32);   // 24 points at 96 dpi, a character height
    EXPECT_EQ(QFontInfo(fonts.forFormat(1001).font()).family(), QStringLiteral("Liberation Serif"));
    const QFontMetrics tallest(fonts.forFormat(1000).font());   // one row height for all: the tallest
    EXPECT_EQ(fonts.rowHeight(), tallest.ascent() + tallest.descent());

    // Negative heights are character heights, positive ones cell heights holding the leading too.
    const auto font = [](int height) { lirra::ViewFont f; f.height = height; return f.toQFont(); };
    EXPECT_EQ(QFontInfo(font(-20)).pixelSize(), 20);
    EXPECT_LT(font(20).pixelSize(), 20);
    EXPECT_NEAR(QFontMetrics(font(20)).height(), 20, 1);
    EXPECT_EQ(QFontInfo(font(0)).pixelSize(), QFontInfo(QApplication::font()).pixelSize());

    // RGB values round-trip; system colours (button face, highlight, none such) come from the palette.
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(4, 5, 6));
    EXPECT_EQ(lirra::valueFromColor(QColor(0x99, 0x66, 0x33)), 0x00336699u);
    EXPECT_FALSE(lirra::isSystemColor(0x00FFFFFF));
    for (const auto& [value, color] : {std::pair{0x00336699u, QColor(0x99, 0x66, 0x33)}, {0x8000000Fu, QColor(1, 2, 3)},
                                       {0x8000000Du, QColor(4, 5, 6)}, {0x8000001Fu, QColor(Qt::black)}})
        EXPECT_EQ(lirra::colorFromValue(value, palette), color) << value;
}

} // namespace
