#include "history/recent_strings.h"

#include "platform/case_fold.h"

#include <algorithm>

namespace lirra {

void TRecentStrings::setCapacity(int capacity)
{
    m_capacity = std::max(1, capacity);
    trim();
}

int TRecentStrings::indexOf(const QString& text) const
{
    // Compared in place: a list restored from ten thousand stored addresses compares
    // each of them with every listed entry.
    const auto view = [](const QString& t) {
        return std::u16string_view(reinterpret_cast<const char16_t*>(t.utf16()), std::size_t(t.size()));
    };
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& e) { return platform::equalFolded(view(e.text), view(text)); });
    return it == m_entries.end() ? -1 : int(it - m_entries.begin());
}

void TRecentStrings::add(const QString& text, int userData)
{
    const bool atTop = m_mode == TRecentMode::rmInsert;
    const int listed = indexOf(text);
    if (listed >= 0) {
        const auto from = m_entries.begin() + listed;
        if (atTop)
            std::rotate(m_entries.begin(), from, from + 1);
        else
            std::rotate(from, from + 1, m_entries.end());
    } else {
        m_entries.insert(atTop ? m_entries.begin() : m_entries.end(), Entry{text, 0});
        trim();
    }
    (atTop ? m_entries.front() : m_entries.back()).userData = userData;
}

void TRecentStrings::remove(int index)
{
    m_entries.erase(m_entries.begin() + index);
}

void TRecentStrings::trim()
{
    const auto excess = std::max(0, count() - m_capacity);
    if (m_mode == TRecentMode::rmInsert)
        m_entries.erase(m_entries.end() - excess, m_entries.end());
    else
        m_entries.erase(m_entries.begin(), m_entries.begin() + excess);
}

} // namespace lirra
