#include "history/mru_manager.h"

#include <algorithm>
#include <optional>

namespace lirra {

namespace {

// Access keys run "1".."9", then "A" for 10 up to "Z" for 35; other numbers get none.
std::optional<QChar> accelChar(int number)
{
    if (number >= 0 && number < 10)
        return QChar(u'0' + number);
    if (number >= 10 && number < 36)
        return QChar(u'A' + number - 10);
    return std::nullopt;
}

// An entry's text is "caption|hint"; without a "|" the whole text is both.
QString captionPart(const QString& text)
{
    const auto bar = text.indexOf(u'|');
    return bar < 0 ? text : text.left(bar);
}

// The text's middle replaced by "..." so that it fits in `limit` characters: both the
// start (a site, a folder) and the end (a page, a file) stay readable.
QString elided(const QString& text, int limit)
{
    static const QString kEllipsis = QStringLiteral("...");
    if (limit <= 0 || text.size() <= limit)
        return text;
    const qsizetype kept = std::max<qsizetype>(0, limit - kEllipsis.size());
    return text.left(kept - kept / 2) + kEllipsis + text.right(kept / 2);
}

QString hintPart(const QString& text)
{
    const auto bar = text.indexOf(u'|');
    return bar < 0 ? text : text.mid(bar + 1);
}

} // namespace

TMRUManager::TMRUManager(QObject* parent) : QObject(parent) {}

void TMRUManager::setCapacity(int capacity)
{
    m_strings.setCapacity(capacity);
    changed();
}

void TMRUManager::add(const QString& text, int userData)
{
    m_strings.add(text, userData);
    changed();
}

void TMRUManager::addEach(const QStringList& texts)
{
    for (const QString& text : texts)
        m_strings.add(text, 0);
    changed();
}

void TMRUManager::clear()
{
    m_strings.clear();
    changed();
}

void TMRUManager::setRecentMenu(QMenu* menu)
{
    removeItems();
    m_menu = menu;
    updateRecentMenu();
}

template <typename T> void TMRUManager::setLook(T& property, T value)
{
    if (property == value)
        return;
    property = value;
    changed();
}

void TMRUManager::setAutoEnable(bool on) { setLook(m_autoEnable, on); }
void TMRUManager::setAutoUpdate(bool on) { setLook(m_autoUpdate, on); }
void TMRUManager::setShowAccelChar(bool on) { setLook(m_showAccelChar, on); }
void TMRUManager::setStartAccel(int number) { setLook(m_startAccel, number); }
void TMRUManager::setAccelDelimiter(TAccelDelimiter delimiter) { setLook(m_accelDelimiter, delimiter); }
void TMRUManager::setSeparateSize(int size) { setLook(m_separateSize, size); }
void TMRUManager::setCaptionLimit(int characters) { setLook(m_captionLimit, characters); }

void TMRUManager::changed()
{
    if (m_autoUpdate)
        updateRecentMenu();
}

QString TMRUManager::caption(int index, const QString& text) const
{
    const auto accel = m_showAccelChar ? accelChar(index + m_startAccel) : std::nullopt;
    const QString shown = elided(captionPart(text), m_captionLimit);
    if (!accel)
        return shown;
    const QChar delimiter = m_accelDelimiter == TAccelDelimiter::adTab ? u'\t' : u' ';
    return u'&' + *accel + delimiter + shown;
}

// The items go later, not at once: the user's choice of one of them may be what
// caused this rebuild, and it is still delivering its signal.
void TMRUManager::removeItems()
{
    for (const QPointer<QAction>& item : m_items) {
        if (!item)
            continue;
        if (m_menu)
            m_menu->removeAction(item);
        item->deleteLater();
    }
    m_items.clear();
}

void TMRUManager::updateRecentMenu()
{
    removeItems();
    if (!m_menu)
        return;
    if (count() > 0 && !m_menu->actions().isEmpty())
        m_items.emplace_back(m_menu->addSeparator());
    for (int i = 0; i < count(); ++i) {
        if (m_separateSize > 0 && i > 0 && i % m_separateSize == 0)
            m_items.emplace_back(m_menu->addSeparator());
        QAction* item = m_menu->addAction(caption(i, at(i)));
        item->setStatusTip(hintPart(at(i)));
        item->setToolTip(hintPart(at(i)));
        connect(item, &QAction::triggered, this,
                [this, i, text = item->text()] { choose(i, text); });
        m_items.emplace_back(item);
    }
    if (m_autoEnable)
        m_menu->menuAction()->setEnabled(!m_menu->actions().isEmpty());
}

void TMRUManager::choose(int index, const QString& caption)
{
    if (index < 0 || index >= count())
        return;
    const QString recentName = at(index);
    emit clicked(recentName, caption, userData(index));
    if (!m_removeOnSelect)
        return;
    // Look the entry up again: the handler may have changed the list meanwhile.
    const int listed = m_strings.indexOf(recentName);
    if (listed >= 0) {
        m_strings.remove(listed);
        changed();
    }
}

} // namespace lirra
