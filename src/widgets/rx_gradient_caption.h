#pragma once

// TRxGradientCaption: a dialog's title bar painted as a left-to-right colour gradient
// with the caption on it. A Linux window manager draws title bars itself and nobody can
// paint into them, so the caption takes the whole look over: its form becomes a
// frameless, fixed window, and the caption draws the bar at the form's top and a
// dialog frame around it. Dragging the bar moves the form.

#include "bookview/core/book_types.h"

#include <QWidget>
#include <cstdint>
#include <optional>

class QToolButton;

namespace lirra {

class TRxGradientCaption : public QWidget {
    Q_OBJECT
public:
    // The form's frame, the pixels the caption draws around the form on every side.
    static constexpr int kFrameWidth = 3;

    // Becomes `form`'s title bar. Lay the form's controls out inside its contents
    // rectangle: the caption sets the form's contents margins to leave room for itself.
    explicit TRxGradientCaption(QWidget* form);

    ColorValue StartColor() const { return m_startColor; }
    void setStartColor(ColorValue color);
    bool GradientActive() const { return m_gradientActive; }
    void setGradientActive(bool on);
    bool GradientInactive() const { return m_gradientInactive; }
    void setGradientInactive(bool on);
    int GradientSteps() const { return m_gradientSteps; }
    void setGradientSteps(std::uint8_t steps);
    // The caption's text; until set, the form's window title.
    QString FormCaption() const;
    void setFormCaption(const QString& caption);
    // The text colour while the form is inactive; while active the font's colour (the
    // system caption-text colour) is used.
    ColorValue FontInactiveColor() const { return m_fontInactiveColor; }
    void setFontInactiveColor(ColorValue color);
    // A form with a system menu shows its icon at the left and a close button at the
    // right of the bar; the gradient then stops short of the button.
    bool systemMenu() const { return m_closeButton != nullptr; }
    void setSystemMenu(bool on);

    // The room the caption leaves the form's controls.
    int captionHeight() const;
    // The caption rectangle the gradient fills, in the bar's coordinates.
    QRect gradientRect() const;
    // The caption as painted now: the form's state, the colours and the (shortened) text.
    bool formActive() const;
    QString shownText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToForm();
    void paintFrame();
    QRect textRect() const;

    QWidget* m_dialog;
    QToolButton* m_closeButton = nullptr;
    ColorValue m_startColor = 0x80000008u;          // window text
    ColorValue m_fontInactiveColor = 0x80000013u;   // inactive caption text
    bool m_gradientActive = true;
    bool m_gradientInactive = false;
    std::uint8_t m_gradientSteps = 64;
    QString m_formCaption;
    bool m_captionSet = false;
    // Where the bar was grasped when the window system cannot move the window itself.
    std::optional<QPoint> m_grasp;
};

// A dialog whose controls stand at designed client coordinates: the caption at its top
// (from black, with a gradient also while inactive) and below it a client area of the
// designed size, returned for the controls. The dialog's size is fixed to hold both.
QWidget* addCaptionedClientArea(QWidget* form, QSize clientSize);

} // namespace lirra
