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
    dialog.setNameFilters(qtNameFilters(request.filter).split(QStringLiteral(";;")));
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving || request.createPrompt ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
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
        // "Text File (*.txt)" shows its pattern already; "Other File (*.*)" needs "(*)".
        const QString shown = QStringLiteral("(%1)").arg(pattern);
        filters << (parts[i].endsWith(shown) ? parts[i] : parts[i] + QLatin1Char(' ') + shown);
    }
    return filters.join(QStringLiteral(";;"));
}

FileDialog::FileDialog(FileDialogRequest::Mode mode, QString title, QString filter, bool createPrompt)
    : mode_(mode), title_(std::move(title)), filter_(std::move(filter)), createPrompt_(createPrompt)
{
}

std::optional<QString> FileDialog::execute(QWidget* parent)
{
    const FileDialogRequest request{mode_, title_, filter_, fileName_, createPrompt_};
    auto chosen = presenter() ? presenter()(request) : runDialog(request, parent);
    if (chosen)
        fileName_ = *chosen;
    return chosen;
}

} // namespace lirra
