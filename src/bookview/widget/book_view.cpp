#include "bookview/widget/book_view.h"

#include "bookview/widget/book_printer.h"
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

// How long a burst of window resizes must have been over before the book is wrapped
// to the last width.
constexpr int kRewrapDelayMs = 40;

} // namespace

TBookView::TBookView(QWidget* parent) : QAbstractScrollArea(parent)
{
    installBookViewAccessibility();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    m_rewrapTimer.setSingleShot(true);
    m_rewrapTimer.setInterval(kRewrapDelayMs);
    connect(&m_rewrapTimer, &QTimer::timeout, this, [this] {
        if (m_wrapPending)
            applyWrap();
    });
    m_document.onChanged = [this] {
        updateScrollBars();
        viewport()->update();
        m_notifier.lineCountIs(m_document.lineCount());
        emit changed();
    };
    m_document.onScrolled = [this] {
        updateScrollBars();
        viewport()->update();
    };
    m_document.onCaretMoved = [this] { m_notifier.caretMoved(m_document); };
    fontChanged();
}

TBookView::~TBookView() = default;

BookRenderer TBookView::renderer() const
{
    return BookRenderer(m_document.layout(), m_fonts,
                        {colorFromValue(m_textColor, palette()), palette().color(QPalette::Active, QPalette::Highlight),
                         palette().color(QPalette::Active, QPalette::HighlightedText)});
}

// --- content ------------------------------------------------------------------------

void TBookView::loadFile(const std::string& path) { loadText(loadBookText(path)); }

void TBookView::loadText(BookText text) { showText(std::move(text), true); }

void TBookView::loadFirstPage(BookText firstPage) { showText(std::move(firstPage), false); }

void TBookView::showText(BookText text, bool whole)
{
    m_wholeText = whole;   // before the change notification refreshes the status line
    m_longestLine.reset();   // before the change notification asks for the scroll range
    // The new text's fonts are made before the view holds it: from the change notification
    // on, a paint may come at any moment (a label it refreshes can repaint the window).
    m_fonts.setFormats(text.formats());
    m_document.setText(std::move(text));
    m_motion.forgetColumn();
    fitRows();
    updateScrollBars();
    viewport()->update();
    m_notifier.textReplaced(0, QString(), QString());
}

void TBookView::takeWholeText(BookText whole, std::optional<WrappedRows> rows)
{
    const auto shown = m_document.length();
    m_longestLine.reset();
    m_document.extendText(std::move(whole), std::move(rows));
    m_wholeText = true;
    updateScrollBars();
    viewport()->update();
    m_notifier.textReplaced(shown, QString(), QString());
    m_notifier.lineCountIs(m_document.lineCount());
    emit wholeTextTaken();
}

void TBookView::saveAsPlainText(const std::string& path) const { m_document.saveAsPlainText(path); }

void TBookView::clear() { loadText(BookText()); }

// --- lines and positions --------------------------------------------------------------

std::int64_t TBookView::lineCount() const { return m_document.lineCount(); }

QString TBookView::lineText(std::int64_t line) const
{
    return QString::fromStdU16String(m_document.lineText(line));
}

void TBookView::replaceLine(std::int64_t line, const QString& text)
{
    if (m_longestLine)
        m_longestLine = std::max<std::int64_t>(*m_longestLine, text.size());
    const std::int64_t start = m_document.lineIndex(line);
    const QString removed = AccessibleNotifier::listening() ? lineText(line) : QString();
    m_document.replaceLine(line, text.toStdU16String());
    if (start >= 0 && removed != text)
        m_notifier.textReplaced(start, removed, text);
}

void TBookView::reanchorLine(std::int64_t line) { m_document.reanchorLine(line); }

std::int64_t TBookView::lineFromChar(std::int64_t index) const { return m_document.lineFromChar(index); }

std::int64_t TBookView::lineIndex(std::int64_t line) const { return m_document.lineIndex(line); }

std::int64_t TBookView::textLength() const { return m_document.length(); }

// --- caret and selection ----------------------------------------------------------------

std::int64_t TBookView::caretPosition() const { return m_document.selectionStart(); }

std::int64_t TBookView::selectionStart() const { return m_document.selectionStart(); }

std::int64_t TBookView::selectionLength() const { return m_document.selectionLength(); }

void TBookView::setSelection(std::int64_t start, std::int64_t length)
{
    m_motion.forgetColumn();
    m_document.setSelection(start, length);
    viewport()->update();
}

void TBookView::caretToStart() { setSelection(0, 0); }

void TBookView::selectAll() { setSelection(0, m_document.length()); }

QString TBookView::selectedText() const
{
    return QString::fromStdU16String(m_document.text(selectionStart(), selectionLength()));
}

void TBookView::copy() const
{
    // Linux programs expect LF line ends on the clipboard.
    QString text = selectedText();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QGuiApplication::clipboard()->setText(text);
}

// --- scrolling and keys --------------------------------------------------------------------

void TBookView::scroll(ScrollStep step) { m_document.scroll(step); }

void TBookView::scrollCaretIntoView() { ensureCaretVisible(); }

std::int64_t TBookView::firstVisibleLine() const { return m_document.topLine(); }

void TBookView::sendKey(VirtualKey key)
{
    const int qtKey = qtKeyFor(key);
    emit keyDown(qtKey, Qt::NoModifier);
    moveCaret(*caretMoveFor(qtKey, Qt::NoModifier), false);
}

void TBookView::moveCaret(CaretMove move, bool extend)
{
    const int page = m_document.visibleLines();
    const std::int64_t target = m_motion.target(m_document, move, m_document.caret(), page);
    // Paging moves the view by a page too, so the caret keeps its place on the screen.
    if (move == CaretMove::PageDown)
        m_document.setTopLine(m_document.topLine() + page);
    else if (move == CaretMove::PageUp)
        m_document.setTopLine(m_document.topLine() - page);
    m_document.moveCaret(target, extend);
    ensureCaretVisible();
    viewport()->update();
}

void TBookView::ensureVisible(std::int64_t index)
{
    m_document.scrollIntoView(index);
    if (m_wordWrap)
        return;
    const std::int64_t x = renderer().xOf(m_document.lineFromChar(index), index);
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
    return m_document.find(what.toStdU16String(), start, length, options);
}

// --- look ----------------------------------------------------------------------------------

QString TBookView::fontName() const { return m_font.face; }

void TBookView::setFontName(const QString& face)
{
    m_font.face = face.left(kMaxFaceLength);
    fontChanged();
}

int TBookView::fontSize() const { return pointsFromHeight(m_font.height, logicalDpiY()); }

void TBookView::setFontSize(int points) { setFontHeight(heightFromPoints(points, logicalDpiY())); }

int TBookView::fontHeight() const { return m_font.height; }

void TBookView::setFontHeight(int pixels)
{
    m_font.height = pixels;
    fontChanged();
}

ColorValue TBookView::fontColor() const { return m_textColor; }

void TBookView::setFontColor(ColorValue color)
{
    m_textColor = color;
    viewport()->update();
}

bool TBookView::bold() const { return m_font.bold; }
void TBookView::setBold(bool on) { m_font.bold = on; fontChanged(); }
bool TBookView::italic() const { return m_font.italic; }
void TBookView::setItalic(bool on) { m_font.italic = on; fontChanged(); }
bool TBookView::underline() const { return m_font.underline; }
void TBookView::setUnderline(bool on) { m_font.underline = on; fontChanged(); }
bool TBookView::strikeOut() const { return m_font.strikeOut; }
void TBookView::setStrikeOut(bool on) { m_font.strikeOut = on; fontChanged(); }
FontPitch TBookView::pitch() const { return m_font.pitch; }
void TBookView::setPitch(FontPitch pitch) { m_font.pitch = pitch; fontChanged(); }

ColorValue TBookView::backgroundColor() const { return m_background; }

void TBookView::setBackgroundColor(ColorValue color)
{
    m_background = color;
    viewport()->update();
}

bool TBookView::wordWrap() const { return m_wordWrap; }

void TBookView::setWordWrap(bool on)
{
    if (on == m_wordWrap)
        return;
    m_wordWrap = on;
    applyWrap();
}

void TBookView::repaintNow() { viewport()->repaint(); }

void TBookView::fontChanged()
{
    m_fonts.setFont(m_font, logicalDpiY(), m_document.formats());
    // The old advances are gone: the rows must be made anew at once, not later.
    if (m_wordWrap)
        applyWrap();
    fitRows();
    updateScrollBars();
    viewport()->update();
}

// Window resizes come in bursts: the first size of a burst is wrapped at once, so what
// is read right after a lone resize is laid out already; the later ones wait until the
// burst has been over for kRewrapDelayMs.
void TBookView::rewrapSoon()
{
    if (m_rewrapTimer.isActive())
        m_wrapPending = true;
    else
        applyWrap();
    m_rewrapTimer.start();
}

void TBookView::applyWrap()
{
    m_rewrapTimer.stop();   // the rows fit the width of now: nothing is left to wait for
    // A view not shown yet has no real width: its rows are made when it is shown.
    const bool wrapNow = m_wordWrap && isVisible();
    m_wrapPending = m_wordWrap && !wrapNow;
    m_document.setWrap(wrapNow ? &m_fonts.base() : nullptr, std::max(1, viewport()->width()));
    m_wrapInUse->set(m_document.layout().ansiWrap());
    updateScrollBars();
    viewport()->update();
    m_notifier.lineCountIs(m_document.lineCount());
}

void TBookView::fitRows()
{
    m_document.setVisibleLines(std::max(1, viewport()->height() / m_fonts.rowHeight()));
}

std::int64_t TBookView::contentWidth()
{
    if (m_wordWrap)
        return 0;
    if (!m_longestLine)
        m_longestLine = m_document.layout().longestLine();   // once per loaded book
    const FontAdvances& font = m_fonts.base();
    const int widest = font.monospaced() ? font.advance(u'M') : font.metrics().maxWidth();
    return *m_longestLine * widest;
}

void TBookView::updateScrollBars()
{
    m_syncingBars = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, toInt(m_document.lineCount() - 1));   // as far as the document scrolls
    vertical->setPageStep(m_document.visibleLines());
    vertical->setSingleStep(1);
    vertical->setValue(toInt(m_document.topLine()));
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setRange(0, toInt(contentWidth() - width));
    horizontal->setPageStep(width);
    horizontal->setSingleStep(std::max(1, m_fonts.base().advance(u'M')));
    m_syncingBars = false;
}

// --- printing --------------------------------------------------------------------------------

void TBookView::print(QPrinter& printer, const QString& title) const
{
    const BookPrinter bookPrinter(m_document.sharedText(), m_font, colorFromValue(m_textColor, palette()), logicalDpiY());
    bookPrinter.print(printer, title);
}

// --- events ------------------------------------------------------------------------------------

void TBookView::paintEvent(QPaintEvent*)
{
    // The rows are painted as they are laid out; a resize burst re-wraps them later.
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), colorFromValue(m_background, palette()));
    const BookRenderer rows = renderer();
    const int rowHeight = m_fonts.rowHeight();
    const std::int64_t selStart = m_document.selectionStart();
    const std::int64_t selEnd = selStart + m_document.selectionLength();
    const std::int64_t lines = m_document.lineCount();
    const int xOffset = horizontalScrollBar()->value();
    const int width = viewport()->width();
    for (int y = 0; y < viewport()->height(); y += rowHeight) {
        const std::int64_t row = m_document.topLine() + y / rowHeight;
        if (row >= lines)
            break;
        rows.paintRow(painter, row, y, xOffset, width, selStart, selEnd);
    }
    if (!holdsWholeText())
        emit firstPagePainted();
}

void TBookView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    fitRows();
    if (m_wordWrap && event->size().width() != event->oldSize().width())
        rewrapSoon();
    updateScrollBars();
}

void TBookView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_wrapPending)
        applyWrap();
}

void TBookView::scrollContentsBy(int, int)
{
    if (!m_syncingBars)
        m_document.setTopLine(verticalScrollBar()->value());
    viewport()->update();
}

void TBookView::keyPressEvent(QKeyEvent* event)
{
    // The key-down hook sees the caret where it was, then the view acts,
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
    const std::int64_t lastLine = m_document.lineFromChar(m_document.length());
    const std::int64_t row = std::min(lastLine, m_document.topLine() + std::max(0, pos.y()) / m_fonts.rowHeight());
    return renderer().hitTest(row, std::int64_t(pos.x()) + horizontalScrollBar()->value());
}

void TBookView::mousePressEvent(QMouseEvent* event)
{
    // The caret moves first, as the Windows control does before the program hears of it.
    if (event->button() == Qt::LeftButton) {
        m_selecting = true;
        m_motion.forgetColumn();
        m_document.moveCaret(charAtPoint(event->position().toPoint()),
                             event->modifiers().testFlag(Qt::ShiftModifier));
        viewport()->update();
    }
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TBookView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_selecting)
        return;
    // Dragging below the view scrolls by itself (the caret is kept in view); above it,
    // the rows must be scrolled back first.
    const QPoint pos = event->position().toPoint();
    if (pos.y() < 0)
        m_document.scroll(ScrollStep::LineUp);
    m_document.moveCaret(charAtPoint(pos), true);
    viewport()->update();
}

void TBookView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_selecting = false;
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
