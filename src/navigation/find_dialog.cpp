#include "navigation/find_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lirra {

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    // A title and a close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    m_findWhat = new QLineEdit(this);
    m_findWhat->setObjectName(QStringLiteral("FindWhat"));
    m_findWhat->setAccessibleName(QStringLiteral("Find what:"));
    m_findWhat->setMaxLength(kMaxTextLength);
    m_label->setBuddy(m_findWhat);
    m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("FindNext"));
    m_findNext->setDefault(true);
    m_findNext->setEnabled(false);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label, 0, 0);
    grid->addWidget(m_findWhat, 0, 1);
    grid->addWidget(m_findNext, 0, 2);
    grid->addWidget(m_cancel, 1, 2);
    grid->setColumnMinimumWidth(1, 200);
    setFixedSize(sizeHint());

    // As in the standard dialog, there is nothing to find until there is text.
    connect(m_findWhat, &QLineEdit::textChanged, this, [this](const QString& text) { m_findNext->setEnabled(!text.isEmpty()); });
    connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::find);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::findText() const { return m_findWhat->text(); }

void TFindDialog::execute()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    show();
    m_findWhat->setFocus();
    m_findWhat->selectAll();
}

} // namespace lirra
