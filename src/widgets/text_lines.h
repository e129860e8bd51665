#pragma once

// The lines of a plain text, found in one pass, and where a line's characters stand when
// each is as wide as its font says and a tab reaches the next tab stop. Kept apart from
// the view that paints them so that it can be checked without painting.

#include <QString>
#include <QStringView>
#include <algorithm>
#include <vector>

namespace lirra {

class TextLines {
public:
    static constexpr int kTabWidth = 8;   // columns between tab stops
    // `advance` below is the width of a character, int(QChar), in pixels or any unit; a
    // template, so that a pass over a text of many megabytes calls it inline.

    // CR LF, a lone CR and a lone LF each end a line; a text always has one line more
    // than it has line ends.
    explicit TextLines(QStringView text = {});

    qsizetype count() const { return qsizetype(m_starts.size()); }
    qsizetype start(qsizetype line) const { return m_starts[size_t(line)]; }
    qsizetype length(qsizetype line) const { return m_lengths[size_t(line)]; }   // without its end
    // How wide the widest line of `text` (the text these lines were found in) is.
    template <class Advance> int widest(QStringView text, const Advance& advance) const
    {
        int widest = 0;
        for (qsizetype line = 0; line < count(); ++line)
            widest = std::max(widest, xOf(text.mid(start(line), length(line)), length(line), advance));
        return widest;
    }
    // The line that holds character `index` (a line end belongs to its line).
    qsizetype lineOf(qsizetype index) const;

    // Where character `index` of a line starts: a tab is as wide as the blanks that reach
    // the next multiple of kTabWidth columns, as expandTabs() draws it.
    template <class Advance> static int xOf(QStringView line, qsizetype index, const Advance& advance)
    {
        int column = 0;
        int x = 0;
        for (qsizetype i = 0; i < std::min(index, line.size()); ++i)
            step(column, x, line[i], advance);
        return x;
    }
    // The character boundary nearest `x`; halfway, the later one.
    template <class Advance> static qsizetype indexAt(QStringView line, int x, const Advance& advance)
    {
        int column = 0;
        int left = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            int right = left;
            step(column, right, line[i], advance);
            if (x - left < right - x)
                return i;
            left = right;
        }
        return line.size();
    }
    static QString expandTabs(QStringView line);

private:
    // Steps over character `c` at `column` and `x`: to the next tab stop in blanks, or its width.
    template <class Advance> static void step(int& column, int& x, QChar c, const Advance& advance)
    {
        if (c != u'\t') {
            ++column;
            x += advance(c);
            return;
        }
        const int blanks = kTabWidth - column % kTabWidth;
        column += blanks;
        x += blanks * advance(u' ');
    }

    std::vector<qsizetype> m_starts;
    std::vector<qsizetype> m_lengths;
};

} // namespace lirra
