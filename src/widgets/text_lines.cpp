#include "widgets/text_lines.h"

#include <algorithm>

namespace lirra {

namespace {

int nextColumn(int column, QChar c) { return c == u'\t' ? (column / TextLines::kTabWidth + 1) * TextLines::kTabWidth : column + 1; }

} // namespace

TextLines::TextLines(QStringView text)
{
    qsizetype start = 0;
    int column = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            column = nextColumn(column, c);
            continue;
        }
        m_starts.push_back(start);
        m_lengths.push_back(i - start);
        m_widest = std::max(m_widest, column);
        column = 0;
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    m_starts.push_back(start);
    m_lengths.push_back(size - start);
    m_widest = std::max(m_widest, column);
}

qsizetype TextLines::lineOf(qsizetype index) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), index);
    return std::max<qsizetype>(0, after - m_starts.begin() - 1);
}

int TextLines::columnOf(QStringView line, qsizetype index)
{
    int column = 0;
    for (qsizetype i = 0; i < std::min(index, line.size()); ++i)
        column = nextColumn(column, line[i]);
    return column;
}

qsizetype TextLines::indexAt(QStringView line, int column)
{
    int at = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (at >= column)
            return i;
        at = nextColumn(at, line[i]);
    }
    return line.size();
}

QString TextLines::expandTabs(QStringView line)
{
    QString expanded;
    expanded.reserve(line.size());
    for (const QChar c : line) {
        if (c == u'\t')
            expanded.append(QString(kTabWidth - int(expanded.size()) % kTabWidth, u' '));
        else
            expanded.append(c);
    }
    return expanded;
}

} // namespace lirra
