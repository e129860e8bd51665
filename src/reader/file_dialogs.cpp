#include "reader/file_dialogs.h"

#include "reader/message_boxes.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include <utility>

namespace lirra {

namespace {

FileDialogPresenter& presenter()
{
    static FileDialogPresenter current;
    return current;
}

std::optional<QString> runDialog(const FileDialogRequest& request, QWidget* parent)
{
    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The filters show as the program words them; the patterns work unseen.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(request.filter).split(QStringLiteral(";;")));
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any name is taken: a missing file is the caller's to report (or to ask about).
    dialog.setFileMode(QFileDialog::AnyFile);
    // Saving asks before replacing an existing file: one slip in the dialog must not
    // cost a book.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        if (saving || !request.createPrompt || QFileInfo::exists(chosen))
            return chosen;
        const QString question = QStringLiteral("%1\nThis file does not exist.\nCreate the file?").arg(chosen);
        if (showMessage(BoxKind::Plain, question, BoxButtons::YesNo) == BoxAnswer::Yes)
            return chosen;
    }
}

} // namespace

FileDialogPresenter setFileDialogPresenter(FileDialogPresenter replacement)
{
    return std::exchange(presenter(), std::move(replacement));
}

QString qtNameFilters(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

FileDialog::FileDialog(FileDialogRequest::Mode mode, QString title, QString filter, bool createPrompt)
    : m_mode(mode), m_title(std::move(title)), m_filter(std::move(filter)), m_createPrompt(createPrompt)
{
}

std::optional<QString> FileDialog::execute(QWidget* parent)
{
    const FileDialogRequest request{m_mode, m_title, m_filter, m_fileName, m_createPrompt};
    auto chosen = presenter() ? presenter()(request) : runDialog(request, parent);
    if (chosen)
        m_fileName = *chosen;
    return chosen;
}

} // namespace lirra
