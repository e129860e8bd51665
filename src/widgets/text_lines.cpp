#include "widgets/text_lines.h"

#include <algorithm>

namespace lirra {

namespace {

// Steps over character `c` at `column` and `x`: to the next tab stop in blanks, or its width.
void step(int& column, int& x, QChar c, const TextLines::Advance& advance)
{
    if (c != u'\t') {
        ++column;
        x += advance(c);
        return;
    }
    const int blanks = TextLines::kTabWidth - column % TextLines::kTabWidth;
    column += blanks;
    x += blanks * advance(u' ');
}

} // namespace

TextLines::TextLines(QStringView text)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        m_starts.push_back(start);
        m_lengths.push_back(i - start);
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    m_starts.push_back(start);
    m_lengths.push_back(size - start);
}

int TextLines::widest(QStringView text, const Advance& advance) const
{
    int widest = 0;
    for (qsizetype line = 0; line < count(); ++line)
        widest = std::max(widest, xOf(text.mid(start(line), length(line)), length(line), advance));
    return widest;
}

qsizetype TextLines::lineOf(qsizetype index) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), index);
    return std::max<qsizetype>(0, after - m_starts.begin() - 1);
}

int TextLines::xOf(QStringView line, qsizetype index, const Advance& advance)
{
    int column = 0;
    int x = 0;
    for (qsizetype i = 0; i < std::min(index, line.size()); ++i)
        step(column, x, line[i], advance);
    return x;
}

qsizetype TextLines::indexAt(QStringView line, int x, const Advance& advance)
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
