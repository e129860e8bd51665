#pragma once

// TRecentStrings: an ordered list of recently used texts with a size limit. Texts are
// unique without regard to letter case; adding one that is already listed moves the
// listed entry, which keeps its own spelling.

#include <QString>
#include <string>
#include <vector>

namespace lirra {

enum class TRecentMode {
    rmInsert, // new entries at the top (index 0), the oldest drop off the end
    rmAppend, // new entries at the end, the oldest drop off the front
};

class TRecentStrings {
public:
    int capacity() const { return m_capacity; }
    void setCapacity(int capacity); // below 1 counts as 1; trims at once
    TRecentMode mode() const { return m_mode; }
    void setMode(TRecentMode mode) { m_mode = mode; }

    // Adds `text` or moves its listed twin to the mode's end of the list, trims to the
    // capacity and gives the entry at that end `userData`.
    void add(const QString& text, int userData);
    void remove(int index);
    void clear() { m_entries.clear(); }

    int count() const { return int(m_entries.size()); }
    const QString& at(int index) const { return m_entries.at(index).text; }
    int userData(int index) const { return m_entries.at(index).userData; }
    // Index of the entry equal to `text` without regard to letter case, or -1.
    int indexOf(const QString& text) const;

private:
    struct Entry {
        QString text;
        std::u16string folded;   // the text case-folded once: a list restored from ten
                                 // thousand stored addresses compares each with every entry
        int userData = 0;
    };

    int indexOfFolded(const std::u16string& folded) const;

    void trim();

    std::vector<Entry> m_entries;
    int m_capacity = 10;
    TRecentMode m_mode = TRecentMode::rmInsert;
};

} // namespace lirra
