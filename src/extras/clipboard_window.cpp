#include "extras/clipboard_window.h"

#include "widgets/clipboard_viewer.h"

#include <QVBoxLayout>

namespace lirra {

TForm12::TForm12(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("View Clipboard"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    move(130, 82);
    resize(447, 318);

    m_clipboardViewer1 = new TClipboardViewer(this);
    m_clipboardViewer1->setObjectName(QStringLiteral("ClipboardViewer1"));
    m_clipboardViewer1->setAccessibleName(QStringLiteral("Clipboard"));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(m_clipboardViewer1);
}

void TForm12::showInFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace lirra
