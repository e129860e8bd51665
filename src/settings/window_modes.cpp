#include "settings/window_modes.h"

#include "bookview/widget/book_view.h"
#include "reader/message_boxes.h"
#include "reader/reader_window.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QWidget>
#include <QWindow>

namespace lirra {

namespace {

// Brings back the windows minimised with the main window once the main window is
// restored, by whatever means: they went together, so they come back together.
class RestoredTogether : public QObject {
public:
    RestoredTogether(QWidget& main, QList<QPointer<QWidget>> others) : QObject(&main), m_others(std::move(others))
    {
        main.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange && !static_cast<QWidget*>(watched)->isMinimized()) {
            for (const QPointer<QWidget>& other : std::as_const(m_others))
                if (other)
                    other->setWindowState(other->windowState() & ~Qt::WindowMinimized);
            deleteLater();
        }
        return false;
    }

private:
    QList<QPointer<QWidget>> m_others;
};

} // namespace

QString trayHint() { return kApplicationTitle + QStringLiteral(" SE"); }

WindowModes::WindowModes(ReaderWindow& reader, std::uint8_t& wordWrapFlag, const WindowParts& parts,
                         std::unique_ptr<TrayShell> shell)
    : m_reader(reader), m_wordWrapFlag(wordWrapFlag), m_parts(parts), m_rxTrayIcon1(nullptr, std::move(shell))
{
    m_rxTrayIcon1.setObjectName(QStringLiteral("RxTrayIcon1"));
    m_rxTrayIcon1.setActive(false);
    m_rxTrayIcon1.setHint(trayHint());
    m_rxTrayIcon1.setPopupMenu(&m_parts.trayMenu);
}

void WindowModes::reanchorOn(std::int32_t curLine) { m_reader.bookView().reanchorLine(curLine); }

void WindowModes::toggleWordWrap()
{
    const std::int32_t curLine = m_reader.currentLine();
    TBookView& view = m_reader.bookView();
    const bool on = !m_parts.wordWrap.isChecked();
    view.setWordWrap(on);
    m_wordWrapFlag = on ? 1 : 0;
    m_parts.wordWrap.setChecked(on);
    view.repaintNow();
    view.hideCaret();
    reanchorOn(curLine);
}

// A new frame style makes the window anew, hidden until shown again.
void WindowModes::setFrame(bool framed) { m_parts.window.setWindowFlag(Qt::FramelessWindowHint, !framed); }

// The new window is shown first and then maximised as a change of state: a window
// manager does not always take the state a window is first shown with.
void WindowModes::showMaximized()
{
    QWidget& window = m_parts.window;
    window.show();
    const Qt::WindowStates others = window.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
    window.setWindowState(others);
    window.setWindowState(others | Qt::WindowMaximized);
}

// Entering: frameless and maximised, the menu bar and the status panel kept. Leaving:
// framed and maximised again. (No one-pixel resize to have the frame drawn anew, as on
// Windows: a window manager takes a resize as leaving the maximised state, and the
// caption would end above the screen.)
void WindowModes::toggleFullScreen()
{
    const bool entering = !m_parts.fullScreen.isChecked();
    QWidget& window = m_parts.window;
    // Re-anchored while the view still has the size it is read at: until the window
    // manager has maximised the new window, the view passes through the restored size,
    // and a line brought into view there would be scrolled to the top of a small view.
    // The view keeps its top line through the resizes that follow.
    reanchorOn(m_reader.currentLine());
    setFrame(!entering);
    if (entering)
        window.move(0, 0);
    showMaximized();
    m_parts.fullScreen.setChecked(entering);
    TBookView& view = m_reader.bookView();
    view.setFocus();
    view.repaintNow();
    if (!entering)
        window.repaint();
    view.hideCaret();
}

void WindowModes::toggleStatusBar()
{
    const bool hide = !m_parts.hideStatusBar.isChecked();
    // Showing the panel always shows its clock, whatever "Hide Clock" says.
    m_parts.clock.setVisible(!hide);
    m_parts.statusPanel.setVisible(!hide);
    m_parts.hideStatusBar.setChecked(hide);
    m_reader.bookView().repaintNow();
}

void WindowModes::toggleClock()
{
    const bool hide = !m_parts.hideClock.isChecked();
    m_parts.clock.setVisible(!hide);
    m_parts.hideClock.setChecked(hide);
    m_reader.bookView().repaintNow();
}

void WindowModes::hideToTray()
{
    QWidget& window = m_parts.window;
    // Taken before the icon comes: on some desktops the icon is a window of its own.
    QList<QPointer<QWidget>> shown;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowType() != Qt::Popup && top->windowType() != Qt::ToolTip)
            shown.append(top);
    m_rxTrayIcon1.setIcon(window.windowIcon());
    m_rxTrayIcon1.setActive(true);
    if (!m_rxTrayIcon1.isAdded()) {
        m_rxTrayIcon1.setActive(false);
        // All the windows go together, as into the tray.
        for (const QPointer<QWidget>& top : std::as_const(shown)) {
            top->showMinimized();
            if (!m_minimisedWithoutTray.contains(top))
                m_minimisedWithoutTray.append(top);
        }
        shown.removeAll(&window);
        new RestoredTogether(window, shown);
        return;
    }
    m_lastActive = QApplication::activeWindow();
    m_hiddenWindows = shown;
    for (const QPointer<QWidget>& top : std::as_const(shown)) {
        top->hide();
        // A window the program once minimised keeps asking the window manager to map it
        // minimised, even after it was restored from outside; a new native window asks
        // for nothing.
        QWindow* native = top->windowHandle();
        if (native && m_minimisedWithoutTray.contains(top))
            native->destroy();
    }
    m_minimisedWithoutTray.clear();
}

void WindowModes::showFromTray()
{
    for (const QPointer<QWidget>& hidden : std::as_const(m_hiddenWindows)) {
        if (!hidden)
            continue;
        hidden->setWindowState(hidden->windowState() & ~Qt::WindowMinimized);
        hidden->show();
    }
    m_hiddenWindows.clear();
    QWidget* front = m_lastActive ? m_lastActive.data() : &m_parts.window;
    front->raise();
    front->activateWindow();
    m_rxTrayIcon1.setActive(false);
}

void WindowModes::exitFromTray()
{
    m_rxTrayIcon1.setActive(false);
    // Closing the main window ends the program; a hidden window's closing does not end
    // the event loop by itself.
    if (m_parts.window.close())
        QCoreApplication::quit();
}

} // namespace lirra
