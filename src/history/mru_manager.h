#pragma once

// TMRUManager: keeps a menu's sub-items in step with a TRecentStrings list and reports
// which entry the user chose. It owns the items it puts under RecentMenu and leaves the
// menu's other items alone.

#include "history/recent_strings.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

namespace lirra {

enum class TAccelDelimiter { adTab, adSpace };

class TMRUManager : public QObject {
    Q_OBJECT
public:
    explicit TMRUManager(QObject* parent = nullptr);

    // --- the list -----------------------------------------------------------------
    int capacity() const { return m_strings.capacity(); }
    void setCapacity(int capacity);
    TRecentMode mode() const { return m_strings.mode(); }
    void setMode(TRecentMode mode) { m_strings.setMode(mode); }

    void add(const QString& text, int userData);
    // Adds each text in turn (user data 0) and rebuilds the menu once, not per text.
    void addEach(const QStringList& texts);
    void clear();
    int count() const { return m_strings.count(); }
    const QString& at(int index) const { return m_strings.at(index); }
    int userData(int index) const { return m_strings.userData(index); }

    // --- the menu -----------------------------------------------------------------
    QMenu* recentMenu() const { return m_menu; }
    void setRecentMenu(QMenu* menu); // rebuilds at once
    bool autoEnable() const { return m_autoEnable; }
    void setAutoEnable(bool on);
    bool autoUpdate() const { return m_autoUpdate; }
    void setAutoUpdate(bool on);
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    int startAccel() const { return m_startAccel; }
    void setStartAccel(int number);
    TAccelDelimiter accelDelimiter() const { return m_accelDelimiter; }
    void setAccelDelimiter(TAccelDelimiter delimiter);
    int separateSize() const { return m_separateSize; }
    void setSeparateSize(int size); // a separator after each group of this many; 0: none
    // Captions longer than this many characters lose their middle to "..."; the hint
    // keeps the whole text. 0 (at first): no limit.
    void setCaptionLimit(int characters);
    bool removeOnSelect() const { return m_removeOnSelect; }
    void setRemoveOnSelect(bool on) { m_removeOnSelect = on; }

    // Replaces the items under RecentMenu by one per entry. Changes of the list and of
    // the look above do this by themselves while AutoUpdate is on.
    void updateRecentMenu();

signals:
    // The user chose an entry's item. `caption` is the item's, accelerator included.
    void clicked(const QString& recentName, const QString& caption, int userData);

private:
    template <typename T> void setLook(T& property, T value);
    void changed();
    // The item's caption for entry `index`: access key, delimiter, text up to its "|".
    QString caption(int index, const QString& text) const;
    void removeItems();
    void choose(int index, const QString& caption);

    TRecentStrings m_strings;
    QPointer<QMenu> m_menu;
    std::vector<QPointer<QAction>> m_items; // the ones this component put under m_menu
    bool m_autoEnable = true;
    bool m_autoUpdate = true;
    bool m_showAccelChar = true;
    int m_startAccel = 1;
    TAccelDelimiter m_accelDelimiter = TAccelDelimiter::adTab;
    int m_separateSize = 0;
    int m_captionLimit = 0;
    bool m_removeOnSelect = false;
};

} // namespace lirra
