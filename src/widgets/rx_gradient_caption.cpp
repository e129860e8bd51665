#include "widgets/rx_gradient_caption.h"

#include "bookview/widget/color_value.h"
#include "widgets/gradient_bands.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <qdrawutil.h>

namespace lirra {

namespace {

constexpr ColorValue kActiveCaption = 0x80000002u;
constexpr ColorValue kInactiveCaption = 0x80000003u;
constexpr ColorValue kCaptionText = 0x80000009u;
// The title bar's height at 96 dpi, less the pixel Windows keeps below it.
constexpr int kDesignedCaptionHeight = 18;
constexpr QSize kCloseButtonSize(16, 14);
constexpr int kSmallIcon = 16;
constexpr int kGap = 2;

// The font the desktop gives title bars; when it names none, the classic caption font.
QFont captionFont()
{
    const QFont reported = QApplication::font("QMdiSubWindowTitleBar");
    if (reported != QApplication::font())
        return reported;
    QFont classic(QStringLiteral("MS Sans Serif"));
    classic.setPointSize(8);
    classic.setBold(true);
    return classic;
}

// System colours come from the desktop's palette, not from the dialog's own look.
QColor systemColor(ColorValue value) { return colorFromValue(value, QGuiApplication::palette()); }

Rgb rgbOf(const QColor& color) { return {color.red(), color.green(), color.blue()}; }

} // namespace

TRxGradientCaption::TRxGradientCaption(QWidget* form) : QWidget(form), m_dialog(form)
{
    setObjectName(QStringLiteral("RxGradientCaption1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(captionFont());
    m_dialog->setWindowFlags(m_dialog->windowFlags() | Qt::FramelessWindowHint);
    m_dialog->installEventFilter(this);
    fitToForm();
}

void TRxGradientCaption::setStartColor(ColorValue color)
{
    m_startColor = color;
    update();
}

void TRxGradientCaption::setGradientActive(bool on)
{
    m_gradientActive = on;
    update();
}

void TRxGradientCaption::setGradientInactive(bool on)
{
    m_gradientInactive = on;
    update();
}

void TRxGradientCaption::setGradientSteps(std::uint8_t steps)
{
    m_gradientSteps = steps;
    update();
}

QString TRxGradientCaption::FormCaption() const { return m_captionSet ? m_formCaption : m_dialog->windowTitle(); }

void TRxGradientCaption::setFormCaption(const QString& caption)
{
    m_formCaption = caption;
    m_captionSet = true;
    update();
}

void TRxGradientCaption::setFontInactiveColor(ColorValue color)
{
    m_fontInactiveColor = color;
    update();
}

void TRxGradientCaption::setSystemMenu(bool on)
{
    if (on == systemMenu())
        return;
    if (on) {
        m_closeButton = new QToolButton(this);
        m_closeButton->setObjectName(QStringLiteral("CloseButton"));
        m_closeButton->setAccessibleName(QStringLiteral("Close"));
        m_closeButton->setFocusPolicy(Qt::NoFocus);
        m_closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
        m_closeButton->setFixedSize(kCloseButtonSize);
        connect(m_closeButton, &QToolButton::clicked, m_dialog, &QWidget::close);
        m_closeButton->show();
    } else {
        delete m_closeButton;
        m_closeButton = nullptr;
    }
    fitToForm();
    update();
}

int TRxGradientCaption::captionHeight() const
{
    return std::max(kDesignedCaptionHeight, fontMetrics().height() + 4);
}

QRect TRxGradientCaption::gradientRect() const
{
    QRect bar = rect();
    if (m_closeButton)
        bar.setRight(bar.right() - (kCloseButtonSize.width() + kGap));
    return bar;
}

bool TRxGradientCaption::formActive() const { return m_dialog->isActiveWindow(); }

QRect TRxGradientCaption::textRect() const
{
    QRect room = gradientRect().adjusted(kGap, 0, -kGap, 0);
    if (systemMenu())
        room.setLeft(room.left() + kSmallIcon + kGap);
    return room;
}

QString TRxGradientCaption::shownText() const
{
    const QFontMetrics metrics = fontMetrics();
    return QString::fromStdU16String(elideWithDots(FormCaption().toStdU16String(), textRect().width(),
        [&](const std::u16string& text) { return metrics.horizontalAdvance(QString::fromStdU16String(text)); }));
}

// The bar spans the form inside its frame; the form's controls go below it.
void TRxGradientCaption::fitToForm()
{
    const int height = captionHeight();
    setGeometry(kFrameWidth, kFrameWidth, std::max(0, m_dialog->width() - 2 * kFrameWidth), height);
    m_dialog->setContentsMargins(kFrameWidth, kFrameWidth + height, kFrameWidth, kFrameWidth);
    if (m_closeButton)
        m_closeButton->move(width() - kCloseButtonSize.width() - kGap, (height - kCloseButtonSize.height()) / 2);
    raise();
}

bool TRxGradientCaption::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dialog) {
        switch (event->type()) {
        case QEvent::Resize:
            fitToForm();
            break;
        case QEvent::Paint:
            paintFrame();
            break;
        case QEvent::ActivationChange:
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A raised dialog frame, as the window manager would have drawn it.
void TRxGradientCaption::paintFrame()
{
    QPainter painter(m_dialog);
    const QPalette system = QGuiApplication::palette();
    const QRect outer = m_dialog->rect();
    qDrawWinPanel(&painter, outer, system, false);
    painter.setPen(system.color(QPalette::Button));
    painter.drawRect(outer.adjusted(2, 2, -3, -3));
}

void TRxGradientCaption::paintEvent(QPaintEvent*)
{
    // The bar is painted into the window's back buffer and shown in one piece.
    QPainter painter(this);
    const bool active = formActive();
    const QColor end = systemColor(active ? kActiveCaption : kInactiveCaption);
    painter.fillRect(rect(), end);
    const QRect bar = gradientRect();
    if (active ? m_gradientActive : m_gradientInactive) {
        for (const GradientBand& band : gradientBands(bar.width(), m_gradientSteps, rgbOf(systemColor(m_startColor)), rgbOf(end)))
            painter.fillRect(bar.left() + band.left, bar.top(), band.width, bar.height(),
                             QColor(band.color.red, band.color.green, band.color.blue));
    }
    if (systemMenu()) {
        QIcon icon = m_dialog->windowIcon();
        if (icon.isNull())
            icon = style()->standardIcon(QStyle::SP_TitleBarMenuButton);
        icon.paint(&painter, QRect(bar.left() + kGap, (height() - kSmallIcon) / 2, kSmallIcon, kSmallIcon));
    }
    painter.setPen(systemColor(active ? kCaptionText : m_fontInactiveColor));
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownText());
}

void TRxGradientCaption::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QWindow* window = m_dialog->windowHandle();
    if (window) {
        // Placed where it stands, frame included, before the window manager moves it: a
        // form placed by its client position (as one centred while it is being shown is)
        // asks for static gravity, and a window manager may then start the move from
        // twice the form's place.
        window->setFramePosition(window->framePosition());
        if (window->startSystemMove())
            return;
    }
    m_grasp = event->globalPosition().toPoint() - m_dialog->pos();
}

void TRxGradientCaption::mouseMoveEvent(QMouseEvent* event)
{
    if (m_grasp)
        m_dialog->move(event->globalPosition().toPoint() - *m_grasp);
}

void TRxGradientCaption::mouseReleaseEvent(QMouseEvent*) { m_grasp.reset(); }

void TRxGradientCaption::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToForm();
}

QWidget* addCaptionedClientArea(QWidget* form, QSize clientSize)
{
    auto* caption = new TRxGradientCaption(form);
    caption->setObjectName(QStringLiteral("RxGradientCaption1"));
    caption->setStartColor(0);
    caption->setGradientInactive(true);
    auto* client = new QWidget(form);
    client->setFixedSize(clientSize);
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(client);
    form->setFixedSize(clientSize.grownBy(form->contentsMargins()));
    return client;
}

} // namespace lirra
