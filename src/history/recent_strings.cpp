#include "history/recent_strings.h"

#include "platform/case_fold.h"

#include <algorithm>
#include <string_view>

namespace lirra {

namespace {
std::u16string folded(const QString& text)
{
    return platform::foldCase(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())));
}
} // namespace

void TRecentStrings::setCapacity(int capacity)
{
    m_capacity = std::max(1, capacity);
    trim();
}

int TRecentStrings::indexOf(const QString& text) const
{
    return indexOfFolded(folded(text));
}

int TRecentStrings::indexOfFolded(const std::u16string& key) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.folded == key; });
    return it == m_entries.end() ? -1 : int(it - m_entries.begin());
}

void TRecentStrings::add(const QString& text, int userData)
{
    const bool atTop = m_mode == TRecentMode::rmInsert;
    std::u16string key = folded(text);
    const int listed = indexOfFolded(key);
    if (listed >= 0) {
        const auto from = m_entries.begin() + listed;
        if (atTop)
            std::rotate(m_entries.begin(), from, from + 1);
        else
            std::rotate(from, from + 1, m_entries.end());
    } else {
        m_entries.insert(atTop ? m_entries.begin() : m_entries.end(), Entry{text, std::move(key), 0});
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
