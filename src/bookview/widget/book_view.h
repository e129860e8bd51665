#pragma once

// TBookView: the read-only book view of the main window (RichEdit1's class).
// Every other window reaches the book only through the operations declared here.
// Character indices, line numbers and columns are those of the view: with word wrap
// on, a "line" is a wrapped row on screen. Every getter reads the rows as they are
// laid out; a screen reader reads the view as a read-only text (book_view_accessible.h),
// named by the widget's accessibleName().

#include "bookview/core/book_document.h"
#include "bookview/core/book_types.h"
#include "bookview/core/caret_motion.h"
#include "bookview/widget/book_renderer.h"
#include "bookview/widget/book_view_accessible.h"
#include "bookview/widget/view_font.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

class QPrinter;

namespace lirra {

class TBookView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TBookView(QWidget* parent = nullptr);
    ~TBookView() override;

    // --- content -----------------------------------------------------------------
    // Rich text when the file holds valid RTF, otherwise plain text decoded from 1251.
    // Throws lirra::Error: "Cannot open file %s" (path) when it cannot be opened or is
    // no regular file, "Failed to Load Stream" when it can be taken neither way. On
    // failure the content is unchanged.
    void loadFile(const std::string& path);
    // The text as it is given (a book converted on its way in), shown as loadFile shows
    // a file's text. Never fails.
    void loadText(BookText text);
    // The first lines of a book whose whole text is still being made: shown as loadText
    // shows a text, but holdsWholeText() is false until takeWholeText() gives the rest.
    void loadFirstPage(BookText firstPage);
    // The whole text of the book whose first page is shown; it begins with that page.
    // The caret, the selection and the top line stay where they are; wholeTextTaken().
    // `rows` made for it on another thread are taken when they were made for the wrap
    // the view lays out now (see wrapInUse()); otherwise the text is wrapped here.
    void takeWholeText(BookText whole, std::optional<WrappedRows> rows);
    // The wrap the view lays out, kept up to date for a thread that makes rows for it.
    std::shared_ptr<const WrapInUse> wrapInUse() const { return m_wrapInUse; }
    // False while the view shows only a book's first page: its line count is not final.
    bool holdsWholeText() const { return m_wholeText; }
    // Whole text, each hard line ended by CR LF, encoded to 1251 (best fit), whatever
    // the wrap. Throws "Cannot create file %s" / "Failed to Save Stream".
    void saveAsPlainText(const std::string& path) const;
    void clear();

    // --- lines and positions (zero-based) ------------------------------------------
    std::int64_t lineCount() const;          // an empty last line does not count
    QString lineText(std::int64_t line) const;   // without its line break
    void replaceLine(std::int64_t line, const QString& text); // nothing if no such line
    // Caret to the end of `line`, line made visible, change notification.
    // Nothing at all for a line that does not exist.
    void reanchorLine(std::int64_t line);
    std::int64_t lineFromChar(std::int64_t index) const;
    std::int64_t lineIndex(std::int64_t line) const;  // first character; -1 if no such line
    std::int64_t textLength() const;

    // --- caret and selection ----------------------------------------------------------
    std::int64_t caretPosition() const;     // start of the selection
    std::int64_t selectionStart() const;
    std::int64_t selectionLength() const;
    void setSelection(std::int64_t start, std::int64_t length = 0);
    void caretToStart();
    void selectAll();
    QString selectedText() const;
    void copy() const;                      // selection to the clipboard
    void hideCaret() {}                     // the caret is never drawn

    // --- scrolling and keys ---------------------------------------------------------
    void scroll(ScrollStep step);           // moves the view, not the caret
    void scrollCaretIntoView();
    std::int64_t firstVisibleLine() const;
    void sendKey(VirtualKey key);           // runs keyDown hook, then moves the caret

    // --- find -----------------------------------------------------------------------
    // First match in [start, start + length) or -1. Case-insensitive by default.
    std::int64_t findText(const QString& what, std::int64_t start, std::int64_t length,
                          FindOptions options = {}) const;

    // --- look -----------------------------------------------------------------------
    QString fontName() const;
    void setFontName(const QString& face);  // cut to 31 characters
    int fontSize() const;                   // points, from the pixel height
    void setFontSize(int points);           // zero and negative allowed
    int fontHeight() const;                 // pixels, negative = character height
    void setFontHeight(int pixels);
    ColorValue fontColor() const;
    void setFontColor(ColorValue color);
    bool bold() const;   void setBold(bool on);
    bool italic() const; void setItalic(bool on);
    bool underline() const; void setUnderline(bool on);
    bool strikeOut() const; void setStrikeOut(bool on);
    FontPitch pitch() const; void setPitch(FontPitch pitch);
    ColorValue backgroundColor() const;
    void setBackgroundColor(ColorValue color);
    bool wordWrap() const;
    void setWordWrap(bool on);
    void repaintNow();

    // --- printing -------------------------------------------------------------------
    // The whole content, page after page on the printer's full printable area, as one
    // job titled `title`, as many copies as the printer's copy count, collated.
    void print(QPrinter& printer, const QString& title) const;

    const BookDocument& document() const { return m_document; }

signals:
    // In the order Windows delivers them. keyDown comes before the caret moves,
    // keyUp after; keyPress carries the typed character.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void keyPress(QChar character);
    void keyUp(int key, Qt::KeyboardModifiers modifiers);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void changed();            // every text change and every re-anchoring
    void wholeTextTaken();     // the rest of a book came after its first page
    void firstPagePainted();   // after each paint while only a book's first page is held
    void entered();            // focus in
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TBookViewAccessible;

    BookRenderer renderer() const;
    void showText(BookText text, bool whole);
    void fontChanged();
    void rewrapSoon();
    void applyWrap();
    void fitRows();                  // tells the document how many rows fit
    void updateScrollBars();
    void moveCaret(CaretMove move, bool extend);
    void ensureCaretVisible() { ensureVisible(m_document.caret()); }
    void ensureVisible(std::int64_t index);   // scrolls both ways as little as needed
    std::int64_t charAtPoint(QPoint pos) const;
    std::int64_t contentWidth();   // pixels, for the horizontal scroll bar

    BookDocument m_document;
    ViewFont m_font;
    ViewFonts m_fonts;
    ColorValue m_textColor = 0x00C0C0C0;
    ColorValue m_background = 0x00000000;
    bool m_wordWrap = false;
    bool m_wholeText = true;
    std::shared_ptr<WrapInUse> m_wrapInUse = std::make_shared<WrapInUse>();
    bool m_wrapPending = false;      // rows wait for the view to be shown or for m_rewrapTimer
    QTimer m_rewrapTimer;
    CaretMotion m_motion;
    std::optional<std::int64_t> m_longestLine;   // characters; measured when first needed
    bool m_selecting = false;        // left button held after a press in the text
    bool m_syncingBars = false;
    AccessibleNotifier m_notifier{this};
};

} // namespace lirra
