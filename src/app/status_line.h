#pragma once

// Panel2: the status line under the book, with the line, column and percentage labels
// and the clock at its right end. It keeps its silver-on-black look whatever the book's
// colours are.

#include <QFrame>

class QLabel;

namespace lirra {

class TRxClock;
struct ReadingPosition;

class StatusLine : public QFrame {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void display(const ReadingPosition& position);
    QString lineCaption() const;

    QLabel* Label1;   // "Line:"
    QLabel* Label2;   // "Char:"
    QLabel* Label3;   // line number
    QLabel* Label4;   // column
    QLabel* Label6;   // percentage
    TRxClock* RxClock1;

signals:
    void gotoRequested();                 // a click on "Line:", the line number or the percentage
    void lineNumberHovered();             // the mouse moves over the line number

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* addLabel(const QString& name, const QString& caption, int x, const QString& hint);
};

} // namespace lirra
