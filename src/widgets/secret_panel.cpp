#include "widgets/secret_panel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace lirra {

namespace {

constexpr int kDefaultInterval = 30;   // milliseconds
constexpr int kLongestLine = 255;      // characters drawn of one line

Qt::Alignment horizontalAlignment(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taLeftJustify: return Qt::AlignLeft;
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: break;
    }
    return Qt::AlignHCenter;
}

} // namespace

TSecretPanel::TSecretPanel(QWidget* parent) : QWidget(parent)
{
    m_timer.setInterval(kDefaultInterval);
    connect(&m_timer, &QTimer::timeout, this, &TSecretPanel::tick);
}

TSecretPanel::~TSecretPanel() { setActive(false); }

void TSecretPanel::setActive(bool on)
{
    if (on == active())
        return;
    if (on) {
        prepare();
        m_timer.start();
        emit startPlay();
        hideChildren();
    } else {
        m_timer.stop();
        m_roll.reset();
        m_image = QImage();
        emit stopPlay();
        showHiddenChildren();
    }
    update();
}

void TSecretPanel::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    prepareIfActive();
}

void TSecretPanel::setLines(const QStringList& lines)
{
    m_lines = lines;
    if (active()) {
        m_roll->moveTo(0);
        prepare();
        update();
    }
}

void TSecretPanel::setScrollDirection(TScrollDirection direction)
{
    m_direction = direction;
    prepareIfActive();
}

void TSecretPanel::setTextStyle(TBevelCut style)
{
    m_textStyle = style;
    prepareIfActive();
}

void TSecretPanel::setGlyph(const QPixmap& glyph)
{
    m_glyph = glyph;
    prepareIfActive();
}

void TSecretPanel::setGlyphLayout(TGlyphLayout layout)
{
    m_glyphLayout = layout;
    prepareIfActive();
}

void TSecretPanel::setBevelOuter(TBevelCut cut)
{
    m_bevelOuter = cut;
    prepareIfActive();
}

void TSecretPanel::setBevelInner(TBevelCut cut)
{
    m_bevelInner = cut;
    prepareIfActive();
}

void TSecretPanel::setBevelWidth(int width)
{
    m_bevelWidth = std::max(1, width);
    prepareIfActive();
}

void TSecretPanel::setBorderWidth(int width)
{
    m_borderWidth = std::max(0, width);
    prepareIfActive();
}

QColor TSecretPanel::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Button);
}

void TSecretPanel::setColor(const QColor& color)
{
    m_color = color;
    prepareIfActive();
}

QColor TSecretPanel::fontColor() const
{
    return m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText);
}

void TSecretPanel::setFontColor(const QColor& color)
{
    m_fontColor = color;
    prepareIfActive();
}

void TSecretPanel::setOnPaintClient(PaintClient paint)
{
    m_paintClient = std::move(paint);
    prepareIfActive();
}

QRect TSecretPanel::clientTextRect() const
{
    const int bevels = (m_bevelOuter != TBevelCut::bvNone) + (m_bevelInner != TBevelCut::bvNone);
    return creditsTextRect(rect(), m_borderWidth, m_bevelWidth, bevels);
}

GlyphSplit TSecretPanel::layoutWithGlyph() const
{
    const QRect text = clientTextRect();
    if (m_glyph.isNull() || text.isEmpty())
        return {text, QRect()};
    return splitForGlyph(text, m_glyph.deviceIndependentSize().toSize(), m_glyphLayout);
}

QRect TSecretPanel::textRect() const { return m_roll ? m_roll->area() : layoutWithGlyph().text; }

int TSecretPanel::lineHeight() const
{
    const QFontMetrics metrics(font());
    return metrics.height() + metrics.leading() + (m_textStyle != TBevelCut::bvNone ? 1 : 0);
}

// A new layout for the current font, size, lines and look; the text stays where it was.
void TSecretPanel::prepare()
{
    const int counter = scrollCounter();
    const QFontMetrics metrics(font());
    m_roll.emplace(m_lines, lineHeight(), layoutWithGlyph().text, m_direction, [&metrics](const QString& line) {
        return metrics.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextExpandTabs, line.left(kLongestLine)).width();
    });
    m_roll->moveTo(counter);
    m_image = m_roll->area().isEmpty() ? QImage() : QImage(m_roll->area().size(), QImage::Format_RGB32);
    drawStep();
}

void TSecretPanel::prepareIfActive()
{
    if (active())
        prepare();
    update();
}

void TSecretPanel::tick()
{
    if (!m_roll)
        return;
    if (m_roll->step(m_cycled))
        drawStep();
    else
        setActive(false);
}

void TSecretPanel::paintBackground(QPainter& painter, const QRect& area) const
{
    if (m_paintClient)
        m_paintClient(painter, area);
    else
        painter.fillRect(area, color());
}

void TSecretPanel::drawStep()
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    paintBackground(painter, m_image.rect());
    painter.setFont(font());
    const int flags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip | Qt::AlignTop |
                      int(horizontalAlignment(m_alignment));
    const int shadowOffset = m_textStyle == TBevelCut::bvLowered ? 1 : -1;
    for (const CreditsRow& row : m_roll->visibleRows()) {
        const QString text = m_lines[row.line].left(kLongestLine);
        if (m_textStyle != TBevelCut::bvNone) {
            painter.setPen(palette().color(QPalette::Light));
            painter.drawText(row.place.translated(shadowOffset, shadowOffset), flags, text);
        }
        painter.setPen(fontColor());
        painter.drawText(row.place, flags, text);
    }
    update(m_roll->area());
}

void TSecretPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color());
    QRect frame = rect();
    drawBevel(painter, frame, m_bevelOuter, m_bevelWidth, palette());
    frame.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(painter, frame, m_bevelInner, m_bevelWidth, palette());
    paintBackground(painter, frame);
    if (!m_roll)
        return;
    const GlyphSplit parts = layoutWithGlyph();
    if (!m_glyph.isNull() && parts.glyph.isValid())
        painter.drawPixmap(parts.glyph.topLeft(), m_glyph);
    if (!m_image.isNull())
        painter.drawImage(m_roll->area().topLeft(), m_image);
}

void TSecretPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    prepareIfActive();
}

void TSecretPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        prepareIfActive();
}

// A click on the panel does nothing, and goes no further.
void TSecretPanel::mousePressEvent(QMouseEvent* event) { event->accept(); }
void TSecretPanel::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void TSecretPanel::hideChildren()
{
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden())
            continue;
        child->hide();
        m_hidden << child;
    }
}

void TSecretPanel::showHiddenChildren()
{
    for (const QPointer<QWidget>& child : std::exchange(m_hidden, {}))
        if (child)
            child->show();
}

} // namespace lirra
