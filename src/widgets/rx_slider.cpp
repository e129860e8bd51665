#include "widgets/rx_slider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

// The pictures live in this static library; they must be registered by hand.
static void registerSliderPictures() { Q_INIT_RESOURCE(slider); }

namespace lirra {

namespace {

constexpr QSize kDefaultSize(150, 40);
constexpr int kRulerHitMargin = 3;   // a press this close beside the ruler counts as on it
constexpr int kTickGap = 2;          // between the thumb and the tick marks
constexpr int kEndTick = 5;
constexpr int kTick = 3;

// What a screen reader reads and sets: a slider with its value and range.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(TRxSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return QString::number(slider()->value());
        return QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toLongLong()); }
    QVariant maximumValue() const override { return slider()->maxValue(); }
    QVariant minimumValue() const override { return slider()->minValue(); }
    QVariant minimumStepSize() const override { return slider()->increment(); }

private:
    TRxSlider* slider() const { return static_cast<TRxSlider*>(widget()); }
};

QAccessibleInterface* sliderAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("lirra::TRxSlider") && object->isWidgetType())
        return new SliderAccessible(static_cast<TRxSlider*>(object));
    return nullptr;
}

} // namespace

TRxSlider::TRxSlider(QWidget* parent) : QWidget(parent)
{
    static const bool once = [] {
        registerSliderPictures();
        QAccessible::installFactory(sliderAccessible);
        return true;
    }();
    (void)once;
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(kDefaultSize);
    m_repeat.setInterval(kRepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, &TRxSlider::repeatStep);
    loadPictures();
}

QSize TRxSlider::sizeHint() const { return horizontal() ? kDefaultSize : kDefaultSize.transposed(); }

// --- value rules --------------------------------------------------------------------------

void TRxSlider::changed(bool valueChanged)
{
    update();
    if (!valueChanged)
        return;
    QAccessibleValueChangeEvent event(this, value());
    QAccessible::updateAccessibility(&event);
    emit OnChange();
}

void TRxSlider::setValue(std::int64_t value) { changed(m_range.setValue(value)); }

void TRxSlider::setMinValue(std::int32_t value) { changed(m_range.setMinValue(value)); }

void TRxSlider::setMaxValue(std::int32_t value) { changed(m_range.setMaxValue(value)); }

void TRxSlider::setIncrement(std::int32_t increment) { changed(m_range.setIncrement(increment)); }

void TRxSlider::setOrientation(Qt::Orientation orientation)
{
    m_orientation = orientation;
    loadPictures();
}

void TRxSlider::setOptions(SliderOptions options)
{
    m_options = options;
    update();
}

void TRxSlider::setEdgeSize(int size)
{
    const int pictureLength = horizontal() ? m_rulerPicture.width() : m_rulerPicture.height();
    if (size < 0 || 2 * size >= pictureLength)
        return;
    m_edgeSize = size;
    buildRuler();
}

void TRxSlider::setNumThumbStates(int states)
{
    if (states != 1 && states != 2)
        return;
    m_numThumbStates = states;
    update();
}

// --- geometry -------------------------------------------------------------------------------

void TRxSlider::loadPictures()
{
    const QString kind = horizontal() ? QStringLiteral("horizontal") : QStringLiteral("vertical");
    m_rulerPicture = QPixmap(QStringLiteral(":/lirra/slider/ruler_%1.png").arg(kind));
    m_thumbPicture = QPixmap(QStringLiteral(":/lirra/slider/thumb_%1.png").arg(kind));
    buildRuler();
}

// The ruler picture stretched to the ruler's length: its two end pieces as they are,
// its middle repeated in between.
void TRxSlider::buildRuler()
{
    const int length = SliderTrack::rulerLength(axisLength());
    const QSize picture = m_rulerPicture.size();
    const int pictureLength = horizontal() ? picture.width() : picture.height();
    const int thickness = horizontal() ? picture.height() : picture.width();
    const int middle = pictureLength - 2 * m_edgeSize;
    m_ruler = QPixmap(horizontal() ? QSize(length, thickness) : QSize(thickness, length));
    m_ruler.fill(Qt::transparent);
    QPainter painter(&m_ruler);
    auto piece = [&](int from, int size, int to) {
        const QRect source = horizontal() ? QRect(from, 0, size, thickness) : QRect(0, from, thickness, size);
        painter.drawPixmap(horizontal() ? QPoint(to, 0) : QPoint(0, to), m_rulerPicture, source);
    };
    for (int at = m_edgeSize; middle > 0 && at < length - m_edgeSize; at += middle)
        piece(m_edgeSize, std::min(middle, length - m_edgeSize - at), at);
    piece(0, std::min(m_edgeSize, length), 0);
    if (length > m_edgeSize)
        piece(pictureLength - m_edgeSize, m_edgeSize, length - m_edgeSize);
    update();
}

int TRxSlider::along(QPoint point) const { return horizontal() ? point.x() : height() - 1 - point.y(); }

int TRxSlider::axisLength() const { return horizontal() ? width() : height(); }

int TRxSlider::crossLength() const { return horizontal() ? height() : width(); }

QRect TRxSlider::axisRect(int lead, int length, int crossStart, int crossSize) const
{
    if (horizontal())
        return QRect(lead, crossStart, length, crossSize);
    return QRect(crossStart, height() - lead - length, crossSize, length);
}

int TRxSlider::thumbLength() const
{
    return horizontal() ? m_thumbPicture.width() / m_numThumbStates : m_thumbPicture.height();
}

int TRxSlider::thumbCross() const
{
    return horizontal() ? m_thumbPicture.height() : m_thumbPicture.width() / m_numThumbStates;
}

SliderTrack TRxSlider::track() const { return SliderTrack::of(0, axisLength(), thumbLength()); }

int TRxSlider::thumbLead() const { return track().positionOf(m_range, value()); }

QRect TRxSlider::thumbRect() const
{
    return axisRect(thumbLead(), thumbLength(), (crossLength() - thumbCross()) / 2, thumbCross());
}

QRect TRxSlider::rulerRect() const
{
    const int length = SliderTrack::rulerLength(axisLength());
    const int thickness = horizontal() ? m_ruler.height() : m_ruler.width();
    return axisRect(track().start, length, (crossLength() - thickness) / 2, thickness);
}

std::vector<TickMark> TRxSlider::marks() const { return tickMarks(m_range, track().length); }

int TRxSlider::sideOf(QPoint point) const
{
    const int at = along(point);
    const int lead = thumbLead();
    if (at < lead)
        return -1;
    return at >= lead + thumbLength() ? 1 : 0;
}

// --- painting -------------------------------------------------------------------------------

void TRxSlider::resizeEvent(QResizeEvent*) { buildRuler(); }

void TRxSlider::paintEvent(QPaintEvent*)
{
    // Painted into the window's back buffer and shown in one piece, so nothing flickers.
    QPainter painter(this);
    painter.drawPixmap(rulerRect().topLeft(), m_ruler);
    const QRect thumb = thumbRect();
    if (m_options.testFlag(soShowPoints)) {
        painter.setPen(palette().color(QPalette::WindowText));
        const SliderTrack path = track();
        const int crossStart = (crossLength() + thumbCross()) / 2 + kTickGap;
        for (const TickMark& mark : marks()) {
            const int at = path.positionOf(m_range, mark.value) + thumbLength() / 2;
            const QRect line = axisRect(at, 1, crossStart, mark.end ? kEndTick : kTick);
            painter.drawLine(line.topLeft(), line.bottomRight());
        }
    }
    const int state = thumbPressed() && m_numThumbStates == 2 ? 1 : 0;
    // The pictures stand side by side in both orientations.
    painter.drawPixmap(thumb.topLeft(), m_thumbPicture, QRect(state * thumb.width(), 0, thumb.width(), thumb.height()));
    if (hasFocus() && m_options.testFlag(soShowFocus)) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TRxSlider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TRxSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

// --- keyboard and mouse -----------------------------------------------------------------------

void TRxSlider::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return QWidget::keyPressEvent(event);
    const int key = event->key();
    const bool up = horizontal() ? key == Qt::Key_Right : key == Qt::Key_Up;
    const bool down = horizontal() ? key == Qt::Key_Left : key == Qt::Key_Down;
    if (key == Qt::Key_Home)
        setValue(minValue());
    else if (key == Qt::Key_End)
        setValue(maxValue());
    else if (up)
        changed(m_range.stepUp());
    else if (down)
        changed(m_range.stepDown());
    else
        return QWidget::keyPressEvent(event);
    event->accept();
}

void TRxSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (focusPolicy() & Qt::ClickFocus)
        setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    if (thumbRect().contains(at)) {
        m_grasp = along(at) - thumbLead();
        update();
        return;
    }
    const QMargins beside = horizontal() ? QMargins(0, kRulerHitMargin, 0, kRulerHitMargin)
                                         : QMargins(kRulerHitMargin, 0, kRulerHitMargin, 0);
    if (!rulerRect().marginsAdded(beside).contains(at))
        return;
    m_mouse = at;
    m_repeatSide = sideOf(at);
    repeatStep();
    m_repeat.start();
}

void TRxSlider::repeatStep()
{
    if (m_repeatSide != 0 && sideOf(m_mouse) == m_repeatSide)
        changed(m_repeatSide > 0 ? m_range.stepUp() : m_range.stepDown());
}

void TRxSlider::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    m_mouse = at;
    if (m_grasp) {
        changed(m_range.setValue(track().valueAt(m_range, along(at) - *m_grasp, m_options.testFlag(soSmooth))));
        return;
    }
    if (thumbRect().contains(at))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TRxSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_repeat.stop();
    m_repeatSide = 0;
    if (m_grasp) {
        m_grasp.reset();
        update();
    }
}

void TRxSlider::mouseDoubleClickEvent(QMouseEvent*) {}

} // namespace lirra
