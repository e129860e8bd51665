#pragma once

// TRxSlider: a focusable control that shows an integer value between a minimum and a
// maximum as a thumb on a ruler, changed by dragging the thumb, by clicks on the ruler
// (repeated while the button is held) and by Home, End and the arrow keys. It is drawn
// from ruler and thumb pictures of its own.

#include "widgets/slider_scale.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace lirra {

class TRxSlider : public QWidget {
    Q_OBJECT
public:
    enum SliderOption {
        soShowFocus = 1,    // focus frame
        soShowPoints = 2,   // tick marks
        soSmooth = 4,       // dragging is not snapped to the increment
    };
    Q_DECLARE_FLAGS(SliderOptions, SliderOption)

    // The delay between the steps of a click held on the ruler.
    static constexpr int kRepeatMs = 400;

    explicit TRxSlider(QWidget* parent = nullptr);

    std::int32_t value() const { return m_range.value(); }
    void setValue(std::int64_t value);
    std::int32_t minValue() const { return m_range.minValue(); }
    void setMinValue(std::int32_t value);
    std::int32_t maxValue() const { return m_range.maxValue(); }
    void setMaxValue(std::int32_t value);
    std::int32_t increment() const { return m_range.increment(); }
    // Raises lirra::Error "Value must be between 1 and <range width>" outside that span.
    void setIncrement(std::int32_t increment);

    Qt::Orientation orientation() const { return m_orientation; }
    void setOrientation(Qt::Orientation orientation);
    SliderOptions options() const { return m_options; }
    void setOptions(SliderOptions options);
    // The ruler picture's end pieces kept as they are; taken only when twice the size is
    // shorter than the picture.
    int EdgeSize() const { return m_edgeSize; }
    void setEdgeSize(int size);
    // The thumb picture holds the normal and (with 2) the pressed look side by side.
    int NumThumbStates() const { return m_numThumbStates; }
    void setNumThumbStates(int states);

    // Where things are drawn, in the control's coordinates.
    QRect thumbRect() const;
    QRect rulerRect() const;
    std::vector<TickMark> marks() const;
    bool thumbPressed() const { return m_grasp.has_value(); }

    QSize sizeHint() const override;

signals:
    // After every change of Value, by mouse, keyboard or program.
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool horizontal() const { return m_orientation == Qt::Horizontal; }
    void loadPictures();
    void buildRuler();
    void changed(bool valueChanged);
    // Coordinates along the axis, growing towards larger values, and across it.
    int along(QPoint point) const;
    int axisLength() const;
    int crossLength() const;
    QRect axisRect(int lead, int length, int crossStart, int crossSize) const;
    int thumbLength() const;
    int thumbCross() const;
    SliderTrack track() const;
    int thumbLead() const;
    // -1 before the thumb, +1 after it, 0 on it.
    int sideOf(QPoint point) const;
    void repeatStep();

    SliderRange m_range;
    Qt::Orientation m_orientation = Qt::Horizontal;
    SliderOptions m_options = SliderOptions(soShowFocus | soShowPoints | soSmooth);
    int m_edgeSize = 2;
    int m_numThumbStates = 2;
    QPixmap m_rulerPicture;
    QPixmap m_thumbPicture;
    QPixmap m_ruler;            // the ruler built to the control's length
    std::optional<int> m_grasp;  // where along the thumb it was grasped, while dragging
    int m_repeatSide = 0;       // side of a press on the ruler, while the button is down
    QPoint m_mouse;             // the mouse while the button is down
    QTimer m_repeat;
};

} // namespace lirra

Q_DECLARE_OPERATORS_FOR_FLAGS(lirra::TRxSlider::SliderOptions)
