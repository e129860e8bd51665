#include "bookview/widget/book_view.h"

#include "bookview/core/book_document.h"
#include "bookview/widget/book_printer.h"
#include "bookview/widget/book_renderer.h"
#include "bookview/core/caret_motion.h"
#include "bookview/widget/color_value.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <optional>

namespace lirra {
namespace {

int toInt(std::int64_t value) { return int(std::clamp<std::int64_t>(value, 0, INT_MAX)); }

std::optional<CaretMove> caretMoveFor(int key, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Up: return CaretMove::LineUp;
    case Qt::Key_Down: return CaretMove::LineDown;
    case Qt::Key_PageUp: return CaretMove::PageUp;
    case Qt::Key_PageDown: return CaretMove::PageDown;
    case Qt::Key_Home: return control ? CaretMove::TextStart : CaretMove::LineStart;
    case Qt::Key_End: return control ? CaretMove::TextEnd : CaretMove::LineEnd;
    case Qt::Key_Left: return CaretMove::CharLeft;
    case Qt::Key_Right: return CaretMove::CharRight;
    default: return std::nullopt;
    }
}

int qtKeyFor(VirtualKey key)
{
    switch (key) {
    case VirtualKey::Up: return Qt::Key_Up;
    case VirtualKey::Down: return Qt::Key_Down;
    case VirtualKey::Next: return Qt::Key_PageDown;
    case VirtualKey::Home: return Qt::Key_Home;
    }
    return Qt::Key_unknown;
}

// Window resizes come in bursts; the book is wrapped again once the burst is over.
constexpr int kRewrapDelayMs = 40;

} // namespace

struct TBookView::Impl {
    BookDocument document;
    ViewFont font;
    ViewFonts fonts;
    ColorValue textColor = 0x00C0C0C0;
    ColorValue background = 0x00000000;
    bool wordWrap = false;
    bool wrapPending = false;      // rows wait for the view to be shown or for rewrapTimer
    QTimer rewrapTimer;
    CaretMotion motion;
    std::optional<std::int64_t> longestLine;   // characters; measured when first needed
    bool selecting = false;        // left button held after a press in the text
    bool syncingBars = false;

    BookRenderer renderer(const QPalette& palette) const
    {
        return BookRenderer(document, fonts,
                            {colorFromValue(textColor, palette), palette.color(QPalette::Active, QPalette::Highlight),
                             palette.color(QPalette::Active, QPalette::HighlightedText)});
    }
};

TBookView::TBookView(QWidget* parent) : QAbstractScrollArea(parent), d(std::make_unique<Impl>())
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    d->rewrapTimer.setSingleShot(true);
    d->rewrapTimer.setInterval(kRewrapDelayMs);
    connect(&d->rewrapTimer, &QTimer::timeout, this, [this] { applyWrap(); });
    d->document.onChanged = [this] {
        updateScrollBars();
        viewport()->update();
        emit changed();
    };
    d->document.onScrolled = [this] {
        updateScrollBars();
        viewport()->update();
    };
    fontChanged();
}

TBookView::~TBookView() = default;

BookDocument& TBookView::settled() const
{
    if (d->wrapPending && isVisible())
        const_cast<TBookView*>(this)->applyWrap();
    return d->document;
}

const BookDocument& TBookView::document() const { return settled(); }

// --- content ------------------------------------------------------------------------

void TBookView::loadFile(const std::string& path)
{
    d->longestLine.reset();   // before the change notification asks for the scroll range
    d->document.loadFile(path);
    contentReplaced();
}

void TBookView::saveAsPlainText(const std::string& path) const { d->document.saveAsPlainText(path); }

void TBookView::clear()
{
    d->longestLine.reset();
    d->document.clear();
    contentReplaced();
}

void TBookView::contentReplaced()
{
    d->motion.forgetColumn();
    d->fonts.setRuns(d->document.runs());
    fitRows();
    updateScrollBars();
    viewport()->update();
}

// --- lines and positions --------------------------------------------------------------

std::int64_t TBookView::lineCount() const { return settled().lineCount(); }

QString TBookView::lineText(std::int64_t line) const
{
    return QString::fromStdU16String(settled().lineText(line));
}

void TBookView::replaceLine(std::int64_t line, const QString& text)
{
    if (d->longestLine)
        d->longestLine = std::max<std::int64_t>(*d->longestLine, text.size());
    settled().replaceLine(line, text.toStdU16String());
}

void TBookView::reanchorLine(std::int64_t line) { settled().reanchorLine(line); }

std::int64_t TBookView::lineFromChar(std::int64_t index) const { return settled().lineFromChar(index); }

std::int64_t TBookView::lineIndex(std::int64_t line) const { return settled().lineIndex(line); }

std::int64_t TBookView::textLength() const { return d->document.length(); }

// --- caret and selection ----------------------------------------------------------------

std::int64_t TBookView::caretPosition() const { return d->document.selectionStart(); }

std::int64_t TBookView::selectionStart() const { return d->document.selectionStart(); }

std::int64_t TBookView::selectionLength() const { return d->document.selectionLength(); }

void TBookView::setSelection(std::int64_t start, std::int64_t length)
{
    d->motion.forgetColumn();
    settled().setSelection(start, length);
    viewport()->update();
}

void TBookView::caretToStart() { setSelection(0, 0); }

void TBookView::selectAll() { setSelection(0, d->document.length()); }

QString TBookView::selectedText() const
{
    return QString::fromStdU16String(d->document.text(selectionStart(), selectionLength()));
}

void TBookView::copy() const
{
    // Linux programs expect LF line ends on the clipboard.
    QString text = selectedText();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QGuiApplication::clipboard()->setText(text);
}

// --- scrolling and keys --------------------------------------------------------------------

void TBookView::scroll(ScrollStep step) { settled().scroll(step); }

void TBookView::scrollCaretIntoView() { ensureCaretVisible(); }

std::int64_t TBookView::firstVisibleLine() const { return settled().topLine(); }

void TBookView::sendKey(VirtualKey key)
{
    const int qtKey = qtKeyFor(key);
    emit keyDown(qtKey, Qt::NoModifier);
    moveCaret(*caretMoveFor(qtKey, Qt::NoModifier), false);
}

void TBookView::moveCaret(CaretMove move, bool extend)
{
    BookDocument& document = settled();
    const std::int64_t target = d->motion.target(document, move, document.caret(), document.visibleLines());
    // Paging moves the view by a page too, so the caret keeps its place on the screen.
    if (move == CaretMove::PageDown)
        document.setTopLine(document.topLine() + document.visibleLines());
    else if (move == CaretMove::PageUp)
        document.setTopLine(document.topLine() - document.visibleLines());
    document.moveCaret(target, extend);
    ensureCaretVisible();
    viewport()->update();
}

void TBookView::ensureCaretVisible()
{
    BookDocument& document = settled();
    document.scrollCaretIntoView();
    if (d->wordWrap)
        return;
    const std::int64_t caret = document.caret();
    const std::int64_t x = d->renderer(palette()).xOf(document.lineFromChar(caret), caret);
    QScrollBar* bar = horizontalScrollBar();
    const int width = viewport()->width();
    if (x < bar->value())
        bar->setValue(toInt(x - width / 4));
    else if (x >= bar->value() + width)
        bar->setValue(toInt(x - width * 3 / 4));
}

// --- find --------------------------------------------------------------------------------

std::int64_t TBookView::findText(const QString& what, std::int64_t start, std::int64_t length,
                                 FindOptions options) const
{
    return d->document.find(what.toStdU16String(), start, length, options);
}

// --- look ----------------------------------------------------------------------------------

QString TBookView::fontName() const { return d->font.face; }

void TBookView::setFontName(const QString& face)
{
    d->font.face = face.left(kMaxFaceLength);
    fontChanged();
}

int TBookView::fontSize() const { return pointsFromHeight(d->font.height, logicalDpiY()); }

void TBookView::setFontSize(int points) { setFontHeight(heightFromPoints(points, logicalDpiY())); }

int TBookView::fontHeight() const { return d->font.height; }

void TBookView::setFontHeight(int pixels)
{
    d->font.height = pixels;
    fontChanged();
}

ColorValue TBookView::fontColor() const { return d->textColor; }

void TBookView::setFontColor(ColorValue color)
{
    d->textColor = color;
    viewport()->update();
}

bool TBookView::bold() const { return d->font.bold; }
void TBookView::setBold(bool on) { d->font.bold = on; fontChanged(); }
bool TBookView::italic() const { return d->font.italic; }
void TBookView::setItalic(bool on) { d->font.italic = on; fontChanged(); }
bool TBookView::underline() const { return d->font.underline; }
void TBookView::setUnderline(bool on) { d->font.underline = on; fontChanged(); }
bool TBookView::strikeOut() const { return d->font.strikeOut; }
void TBookView::setStrikeOut(bool on) { d->font.strikeOut = on; fontChanged(); }
FontPitch TBookView::pitch() const { return d->font.pitch; }
void TBookView::setPitch(FontPitch pitch) { d->font.pitch = pitch; fontChanged(); }

ColorValue TBookView::backgroundColor() const { return d->background; }

void TBookView::setBackgroundColor(ColorValue color)
{
    d->background = color;
    viewport()->update();
}

bool TBookView::wordWrap() const { return d->wordWrap; }

void TBookView::setWordWrap(bool on)
{
    if (on == d->wordWrap)
        return;
    d->wordWrap = on;
    applyWrap();
}

void TBookView::repaintNow() { viewport()->repaint(); }

void TBookView::fontChanged()
{
    d->fonts.setFont(d->font, logicalDpiY(), d->document.runs());
    // The old advances are gone: the rows must be made anew at once, not later.
    if (d->wordWrap)
        applyWrap();
    fitRows();
    updateScrollBars();
    viewport()->update();
}

void TBookView::applyWrap()
{
    d->rewrapTimer.stop();
    // A view not shown yet has no real width: its rows are made when it is shown.
    const bool wrapNow = d->wordWrap && isVisible();
    d->wrapPending = d->wordWrap && !wrapNow;
    d->document.setWrap(wrapNow ? &d->fonts.base() : nullptr, std::max(1, viewport()->width()));
    updateScrollBars();
    viewport()->update();
}

void TBookView::fitRows()
{
    d->document.setVisibleLines(std::max(1, viewport()->height() / d->fonts.rowHeight()));
}

std::int64_t TBookView::contentWidth() const
{
    if (d->wordWrap)
        return 0;
    if (!d->longestLine) {
        // One walk over the line index (not the text) per loaded book.
        std::int64_t longest = 0;
        for (std::int64_t line = 0, count = d->document.lineCount(); line < count; ++line)
            longest = std::max(longest, d->document.lineLength(line));
        d->longestLine = longest;
    }
    const FontAdvances& font = d->fonts.base();
    const int widest = font.monospaced() ? font.advance(u'M') : font.metrics().maxWidth();
    return *d->longestLine * widest;
}

void TBookView::updateScrollBars()
{
    const BookDocument& document = d->document;
    d->syncingBars = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, toInt(document.lineCount() - 1));   // as far as the document scrolls
    vertical->setPageStep(document.visibleLines());
    vertical->setSingleStep(1);
    vertical->setValue(toInt(document.topLine()));
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setRange(0, toInt(contentWidth() - width));
    horizontal->setPageStep(width);
    horizontal->setSingleStep(std::max(1, d->fonts.base().advance(u'M')));
    d->syncingBars = false;
}

// --- printing --------------------------------------------------------------------------------

void TBookView::print(QPrinter& printer, const QString& title) const
{
    const BookPrinter bookPrinter(d->document, d->font, colorFromValue(d->textColor, palette()), logicalDpiY());
    bookPrinter.print(printer, title);
}

// --- events ------------------------------------------------------------------------------------

void TBookView::paintEvent(QPaintEvent*)
{
    // Rows are painted as they are; a re-wrap after a resize comes with its timer.
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), colorFromValue(d->background, palette()));
    const BookDocument& document = d->document;
    const BookRenderer renderer = d->renderer(palette());
    const int rowHeight = d->fonts.rowHeight();
    const std::int64_t selStart = document.selectionStart();
    const std::int64_t selEnd = selStart + document.selectionLength();
    const std::int64_t lines = document.lineCount();
    const int xOffset = horizontalScrollBar()->value();
    const int width = viewport()->width();
    for (int y = 0; y < viewport()->height(); y += rowHeight) {
        const std::int64_t row = document.topLine() + y / rowHeight;
        if (row >= lines)
            break;
        renderer.paintRow(painter, row, y, xOffset, width, selStart, selEnd);
    }
}

void TBookView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    fitRows();
    if (d->wordWrap && event->size().width() != event->oldSize().width()) {
        d->wrapPending = true;
        d->rewrapTimer.start();
    }
    updateScrollBars();
}

void TBookView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (d->wrapPending)
        applyWrap();
}

void TBookView::scrollContentsBy(int, int)
{
    if (!d->syncingBars)
        d->document.setTopLine(verticalScrollBar()->value());
    viewport()->update();
}

void TBookView::keyPressEvent(QKeyEvent* event)
{
    // As on Windows: the key-down hook sees the caret where it was, then the view acts,
    // then the typed character is delivered.
    emit keyDown(event->key(), event->modifiers());
    const auto move = caretMoveFor(event->key(), event->modifiers());
    if (move)
        moveCaret(*move, event->modifiers().testFlag(Qt::ShiftModifier));
    else if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::SelectAll))
        selectAll();
    if (!event->text().isEmpty())
        emit keyPress(event->text().front());
    event->accept();
}

void TBookView::keyReleaseEvent(QKeyEvent* event)
{
    // Windows sends one key-up when the key is let go, none per repeat.
    if (!event->isAutoRepeat())
        emit keyUp(event->key(), event->modifiers());
    event->accept();
}

std::int64_t TBookView::charAtPoint(QPoint pos) const
{
    const BookDocument& document = settled();
    const std::int64_t lastLine = document.lineFromChar(document.length());
    const std::int64_t row = std::min(lastLine, document.topLine() + std::max(0, pos.y()) / d->fonts.rowHeight());
    return d->renderer(palette()).hitTest(row, std::int64_t(pos.x()) + horizontalScrollBar()->value());
}

void TBookView::mousePressEvent(QMouseEvent* event)
{
    // The caret moves first, as the Windows control does before the program hears of it.
    if (event->button() == Qt::LeftButton) {
        d->selecting = true;
        d->motion.forgetColumn();
        settled().moveCaret(charAtPoint(event->position().toPoint()),
                            event->modifiers().testFlag(Qt::ShiftModifier));
        viewport()->update();
    }
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TBookView::mouseMoveEvent(QMouseEvent* event)
{
    if (!d->selecting)
        return;
    // Dragging below the view scrolls by itself (the caret is kept in view); above it,
    // the rows must be scrolled back first.
    const QPoint pos = event->position().toPoint();
    if (pos.y() < 0)
        settled().scroll(ScrollStep::LineUp);
    settled().moveCaret(charAtPoint(pos), true);
    viewport()->update();
}

void TBookView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        d->selecting = false;
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TBookView::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

void TBookView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    emit entered();
}

void TBookView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    // System colours are looked up at paint time, so a new palette needs a repaint only.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        viewport()->update();
}

} // namespace lirra
