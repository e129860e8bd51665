#include "app/restored_frame.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace lirra {

namespace {
// The frame settles within a few tenths of a second of the state change.
constexpr int kSettleIntervalMs = 100;
constexpr int kSettleChecks = 5;
} // namespace

RestoredFrame::RestoredFrame(QWidget* window, const QRect& frame) : QObject(window), m_window(window), m_frame(frame)
{
    m_window->move(frame.topLeft());
    m_window->resize(frame.size());
    m_settle.setInterval(kSettleIntervalMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        fit();
        if (++m_settleChecks == kSettleChecks)
            m_settle.stop();
    });
    m_window->installEventFilter(this);
}

bool RestoredFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange && !m_restoredOnce &&
        m_window->windowState() == Qt::WindowNoState) {
        m_restoredOnce = true;
        fit();
        m_settle.start();
    }
    return QObject::eventFilter(watched, event);
}

void RestoredFrame::fit()
{
    const QWindow* handle = m_window->windowHandle();
    if (!handle || m_window->windowState() != Qt::WindowNoState)
        return;
    const QRect client = m_frame.marginsRemoved(handle->frameMargins());
    if (m_window->geometry() != client)
        m_window->setGeometry(client);
}

} // namespace lirra
