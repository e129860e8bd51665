#include "app/status_line.h"

#include "app/reading_position.h"
#include "widgets/rx_clock.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

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

    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Line:"), 8, QStringLiteral("Current Line of Text..."));
    Label3 = addLabel(QStringLiteral("Label3"), QStringLiteral("1"), 66, QString());
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Char:"), 196, QStringLiteral("Current Char in Line..."));
    Label4 = addLabel(QStringLiteral("Label4"), QStringLiteral("1"), 256, QString());
    Label6 = addLabel(QStringLiteral("Label6"), QStringLiteral("0%"), 384, QString());
    Label3->setMouseTracking(true);

    RxClock1 = new TRxClock(this);
    RxClock1->setObjectName(QStringLiteral("RxClock1"));
    RxClock1->setFixedSize(kClockWidth, kClockHeight);
    RxClock1->setFont(pixelFont(QStringLiteral("Times New Roman Cyr"), 13));
    RxClock1->setBevelOuter(TBevelCut::bvNone);
    RxClock1->setColor(Qt::black);
    RxClock1->setFontColor(kSilver);
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
    Label3->setText(QString::number(position.lineNumber));
    Label4->setText(QString::number(position.column));
    Label6->setText(QString::number(position.percent) + QLatin1Char('%'));
    for (QLabel* label : {Label3, Label4, Label6})
        label->adjustSize();
}

QString StatusLine::lineCaption() const
{
    return Label3->text();
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event)
{
    const bool gotoLabel = watched == Label1 || watched == Label3 || watched == Label6;
    if (gotoLabel && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit gotoRequested();
    } else if (watched == Label3 && event->type() == QEvent::MouseMove) {
        emit lineNumberHovered();
    }
    return QFrame::eventFilter(watched, event);
}

void StatusLine::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    RxClock1->move(width() - frameWidth() - kClockWidth, (height() - kClockHeight) / 2);
}

} // namespace lirra
