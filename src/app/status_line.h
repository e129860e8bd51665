#pragma once

// Panel2: the status line under the book, with the line, column and percentage labels
// and the clock at its right end. It keeps its silver-on-black look whatever the book's
// colours are.

#include <QFrame>
#include <cstdint>
#include <optional>

class QLabel;

namespace lirra {

class TRxClock;
struct ReadingPosition;

class StatusLine : public QFrame {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void display(const ReadingPosition& position);
    // The percentage alone; none shows nothing.
    void showPercent(std::optional<int> percent);
    QString lineCaption() const;
    // The line number's hint: "<line> of <lineCount>", the line alone while the count
    // is not known.
    void hintLineOf(std::optional<std::int64_t> lineCount);
    // How much of the book is loaded, while a command waits for the whole of it; none
    // takes it away.
    void showLoadProgress(std::optional<int> percent);

signals:
    void gotoRequested();                 // a click on "Line:", the line number or the percentage
    void lineNumberHovered();             // the mouse moves over the line number

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* addLabel(const QString& name, const QString& caption, int x, const QString& hint);

    QLabel* m_lineCaption;   // "Line:"
    QLabel* m_columnCaption;   // "Char:"
    QLabel* m_lineNumber;   // line number
    QLabel* m_columnNumber;   // column
    QLabel* m_percentage;   // percentage
    TRxClock* m_rxClock1;
    QLabel* m_loadProgress = nullptr;   // only while shown: screen readers list every label
};

} // namespace lirra
