#include "widgets/text_lines.h"

#include <algorithm>

namespace lirra {

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

qsizetype TextLines::lineOf(qsizetype index) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), index);
    return std::max<qsizetype>(0, after - m_starts.begin() - 1);
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
