#pragma once

// The lines of a plain text, found in one pass, and where a line's characters stand when
// each is as wide as its font says and a tab reaches the next tab stop. Kept apart from
// the view that paints them so that it can be checked without painting.

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace lirra {

class TextLines {
public:
    static constexpr int kTabWidth = 8;   // columns between tab stops
    // The width of a character, in pixels (or any unit).
    using Advance = std::function<int(QChar)>;

    // CR LF, a lone CR and a lone LF each end a line; a text always has one line more
    // than it has line ends.
    explicit TextLines(QStringView text = {});

    qsizetype count() const { return qsizetype(m_starts.size()); }
    qsizetype start(qsizetype line) const { return m_starts[size_t(line)]; }
    qsizetype length(qsizetype line) const { return m_lengths[size_t(line)]; }   // without its end
    // How wide the widest line of `text` (the text these lines were found in) is.
    int widest(QStringView text, const Advance& advance) const;
    // The line that holds character `index` (a line end belongs to its line).
    qsizetype lineOf(qsizetype index) const;

    // Where character `index` of a line starts: a tab is as wide as the blanks that reach
    // the next multiple of kTabWidth columns, as expandTabs() draws it.
    static int xOf(QStringView line, qsizetype index, const Advance& advance);
    // The character boundary nearest `x`; halfway, the later one.
    static qsizetype indexAt(QStringView line, int x, const Advance& advance);
    static QString expandTabs(QStringView line);

private:
    std::vector<qsizetype> m_starts;
    std::vector<qsizetype> m_lengths;
};

} // namespace lirra
