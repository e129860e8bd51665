#pragma once

// The lines of a plain text, found in one pass: where each line starts and how wide the
// widest one is in columns, tabs expanded. Kept apart from the view that paints them so
// that it can be checked without painting.

#include <QString>
#include <QStringView>
#include <vector>

namespace lirra {

class TextLines {
public:
    static constexpr int kTabWidth = 8;

    // CR LF, a lone CR and a lone LF each end a line; a text always has one line more
    // than it has line ends.
    explicit TextLines(QStringView text = {});

    qsizetype count() const { return qsizetype(m_starts.size()); }
    qsizetype start(qsizetype line) const { return m_starts[size_t(line)]; }
    qsizetype length(qsizetype line) const { return m_lengths[size_t(line)]; }   // without its end
    int widestColumns() const { return m_widest; }
    // The line that holds character `index` (a line end belongs to its line).
    qsizetype lineOf(qsizetype index) const;

    // Columns of a line's characters with tabs expanded to the next multiple of kTabWidth.
    static int columnOf(QStringView line, qsizetype index);
    static qsizetype indexAt(QStringView line, int column);   // the character at or after `column`
    static QString expandTabs(QStringView line);

private:
    std::vector<qsizetype> m_starts;
    std::vector<qsizetype> m_lengths;
    int m_widest = 0;
};

} // namespace lirra
