#pragma once

// RestoredFrame: keeps a window's designed restored bounds as the bounds of its outer
// frame, the way Windows places windows. Here the window manager draws the frame around
// the client area, and the frame's size is known only once the window is framed in its
// restored state (it differs while maximised, and the manager settles it a little after
// the state changes). So the first time the window is restored, its client area is fitted
// inside the designed frame, and fitted again for a short while as the frame settles.
// Later restores keep wherever the user put the window.

#include <QObject>
#include <QRect>
#include <QTimer>

class QWidget;

namespace lirra {

class RestoredFrame : public QObject {
    Q_OBJECT
public:
    RestoredFrame(QWidget* window, const QRect& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();

    QWidget* m_window;
    QRect m_frame;
    bool m_restoredOnce = false;
    int m_settleChecks = 0;
    QTimer m_settle;
};

} // namespace lirra
