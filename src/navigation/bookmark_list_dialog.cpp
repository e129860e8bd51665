#include "navigation/bookmark_list_dialog.h"

#include "navigation/bookmark_store.h"
#include "reader/error_handler.h"
#include "reader/message_boxes.h"
#include "widgets/rx_gradient_caption.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <utility>

namespace lirra {

namespace {

constexpr QSize kDialogSize(560, 260);
constexpr int kButtonWidth = 121;
const QString kAreYouSure = QStringLiteral("Are you sure?");

} // namespace

BookmarkListDialog::BookmarkListDialog(ReaderWindow& reader, const QString& objectName, const QString& caption,
                                       const QString& firstButton, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_reader(reader),
      m_listBox1(new QListWidget(this)),
      m_button1(new QPushButton(firstButton, this)),
      m_button2(new QPushButton(QStringLiteral("Exit"), this)),
      m_button3(new QPushButton(QStringLiteral("Delete"), this)),
      m_button4(new QPushButton(QStringLiteral("Clear"), this))
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setAccessibleName(caption);
    QWidget* client = addCaptionedClientArea(this, kDialogSize);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->setAccessibleName(QStringLiteral("Book-marks"));
    m_listBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listBox1->viewport()->installEventFilter(this);
    auto* buttons = new QVBoxLayout;
    const std::pair<QPushButton*, const char*> named[] = {
        {m_button1, "Button1"}, {m_button3, "Button3"}, {m_button4, "Button4"}, {m_button2, "Button2"}};
    for (const auto& [button, name] : named) {
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(button->text());
        button->setFixedWidth(kButtonWidth);
        if (button == m_button2)
            buttons->addStretch();
        buttons->addWidget(button);
    }
    auto* columns = new QHBoxLayout(client);
    columns->addWidget(m_listBox1, 1);
    columns->addLayout(buttons);
    // Tab goes down the list and the buttons as they stand.
    setTabOrder(m_listBox1, m_button1);
    setTabOrder(m_button1, m_button3);
    setTabOrder(m_button3, m_button4);
    setTabOrder(m_button4, m_button2);

    // Every handler runs as a command: an error ends it in the default error box.
    auto command = [this](void (BookmarkListDialog::*handler)()) {
        return [this, handler] { runCommand([&] { (this->*handler)(); }); };
    };
    connect(m_button1, &QPushButton::clicked, this, command(&BookmarkListDialog::Button1Click));
    connect(m_button2, &QPushButton::clicked, this, command(&BookmarkListDialog::Button2Click));
    connect(m_button3, &QPushButton::clicked, this, command(&BookmarkListDialog::Button3Click));
    connect(m_button4, &QPushButton::clicked, this, command(&BookmarkListDialog::Button4Click));
    runCommand([this] { FormCreate(); });
}

BookmarkListDialog::~BookmarkListDialog() = default;

QStringList BookmarkListDialog::rows() const
{
    QStringList texts;
    for (int i = 0; i < m_listBox1->count(); ++i)
        texts << m_listBox1->item(i)->data(Qt::UserRole).toString();
    return texts;
}

int BookmarkListDialog::selectedRow() const
{
    const QList<QListWidgetItem*> selected = m_listBox1->selectedItems();
    return selected.isEmpty() ? -1 : m_listBox1->row(selected.first());
}

bool BookmarkListDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        runCommand([this] { FormActivate(); });
    return QDialog::event(event);
}

bool BookmarkListDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listBox1->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        runCommand([this] { ListBox1DblClick(); });
    return QDialog::eventFilter(watched, event);
}

void BookmarkListDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_readErrorDue = true;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    m_button2->setFocus();
}

void BookmarkListDialog::FormCreate() { loadList(); }

void BookmarkListDialog::FormActivate() { loadList(); }

void BookmarkListDialog::ListBox1DblClick() { Button1Click(); }

void BookmarkListDialog::Button2Click() { close(); }

void BookmarkListDialog::Button3Click()
{
    const int row = selectedRow();
    if (row < 0 || showMessage(BoxKind::Information, kAreYouSure, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    QStringList entries = rows();
    if (row < entries.size())   // the list may have been reloaded while the question was open
        entries.removeAt(row);
    replaceBookmarks(entries);
    delete m_listBox1->takeItem(row);
}

void BookmarkListDialog::Button4Click()
{
    if (showMessage(BoxKind::Information, kAreYouSure, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    m_listBox1->clear();
    if (!clearBookmarks())
        showMessage(BoxKind::Information, QStringLiteral("Set any bookmarks before clearing list."));
}

// A missing key or "Count" leaves the rows as they are: after "Defaults Options" the
// dialog still shows what it had, and the next "Set Book-Mark" stores it all again.
// The entries that could be read are shown also when reading met an error; made before
// it is shown, the dialog keeps that error for its showing.
void BookmarkListDialog::loadList()
{
    const StoredNames stored = loadBookmarks();
    if (stored.found) {
        m_listBox1->clear();
        for (const QString& entry : stored.names)
            addRow(entry);
    }
    if (!stored.error.empty() && std::exchange(m_readErrorDue, false))
        stored.raiseError();
}

void BookmarkListDialog::addRow(const QString& entry)
{
    auto* row = new QListWidgetItem(shownBookName(entry), m_listBox1);
    row->setData(Qt::UserRole, entry);
}

} // namespace lirra
