#include "app/status_line.h"

#include "app/reading_position.h"
#include "widgets/rx_clock.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <utility>

namespace lirra {

namespace {
constexpr int kHeight = 23;
constexpr int kClockWidth = 80;
constexpr int kClockHeight = 19;
const QColor kSilver(192, 192, 192);

QFont pixelFont(const QString& face, int pixels)
{
    QFont font(face);
    font.setPixelSize(pixels);
    return font;
}
} // namespace

StatusLine::StatusLine(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    setFixedHeight(kHeight);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, Qt::black);
    look.setColor(QPalette::WindowText, kSilver);
    setPalette(look);
    setFont(pixelFont(QStringLiteral("Times New Roman Cyr"), 13));

    m_lineCaption = addLabel(QStringLiteral("Label1"), QStringLiteral("Line:"), 8, QStringLiteral("Current Line of Text..."));
    m_lineNumber = addLabel(QStringLiteral("Label3"), QStringLiteral("1"), 66, QString());
    m_columnCaption = addLabel(QStringLiteral("Label2"), QStringLiteral("Char:"), 196, QStringLiteral("Current Char in Line..."));
    m_columnNumber = addLabel(QStringLiteral("Label4"), QStringLiteral("1"), 256, QString());
    m_percentage = addLabel(QStringLiteral("Label6"), QStringLiteral("0%"), 384, QString());
    m_lineNumber->setMouseTracking(true);
    // Screen readers read a label's text as its name; the descriptions say what the numbers are.
    setAccessibleName(QStringLiteral("Status line"));
    m_lineNumber->setAccessibleDescription(QStringLiteral("Current line"));
    m_columnNumber->setAccessibleDescription(QStringLiteral("Current character in the line"));
    m_percentage->setAccessibleDescription(QStringLiteral("Percent of the book"));

    m_rxClock1 = new TRxClock(this);
    m_rxClock1->setObjectName(QStringLiteral("RxClock1"));
    m_rxClock1->setFixedSize(kClockWidth, kClockHeight);
    m_rxClock1->setFont(pixelFont(QStringLiteral("Times New Roman Cyr"), 13));
    m_rxClock1->setBevelOuter(TBevelCut::bvNone);
    m_rxClock1->setColor(Qt::black);
    m_rxClock1->setFontColor(kSilver);
}

QLabel* StatusLine::addLabel(const QString& name, const QString& caption, int x, const QString& hint)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setFont(pixelFont(QStringLiteral("Courier New Cyr"), 16));
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setToolTip(hint);
    label->move(x, (kHeight - label->sizeHint().height()) / 2);
    label->installEventFilter(this);
    return label;
}

void StatusLine::display(const ReadingPosition& position)
{
    m_lineNumber->setText(QString::number(position.lineNumber));
    m_columnNumber->setText(QString::number(position.column));
    for (QLabel* label : {m_lineNumber, m_columnNumber})
        label->adjustSize();
    showPercent(position.percent);
}

void StatusLine::showPercent(std::optional<int> percent)
{
    m_percentage->setText(percent ? QString::number(*percent) + QLatin1Char('%') : QString());
    m_percentage->adjustSize();
}

void StatusLine::hintLineOf(std::optional<std::int64_t> lineCount)
{
    m_lineNumber->setToolTip(lineCount ? m_lineNumber->text() + QStringLiteral(" of ") + QString::number(*lineCount)
                                   : m_lineNumber->text());
}

void StatusLine::showLoadProgress(std::optional<int> percent)
{
    if (!percent) {
        delete std::exchange(m_loadProgress, nullptr);
        return;
    }
    if (!m_loadProgress) {
        // Where the percentage stands, which is empty while the book loads; in the status
        // line's own smaller font, so it fits before the clock in the restored window.
        m_loadProgress = new QLabel(this);
        m_loadProgress->setObjectName(QStringLiteral("LoadProgress"));
        m_loadProgress->setAttribute(Qt::WA_TranslucentBackground);
        m_loadProgress->move(m_percentage->x(), (kHeight - m_loadProgress->sizeHint().height()) / 2);
        m_loadProgress->show();
    }
    m_loadProgress->setText(QStringLiteral("Loading %1%").arg(*percent));
    m_loadProgress->adjustSize();
}

QString StatusLine::lineCaption() const
{
    return m_lineNumber->text();
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event)
{
    const bool gotoLabel = watched == m_lineCaption || watched == m_lineNumber || watched == m_percentage;
    if (gotoLabel && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit gotoRequested();
    } else if (watched == m_lineNumber && event->type() == QEvent::MouseMove) {
        emit lineNumberHovered();
    }
    return QFrame::eventFilter(watched, event);
}

void StatusLine::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_rxClock1->move(width() - frameWidth() - kClockWidth, (height() - kClockHeight) / 2);
}

} // namespace lirra
