#include "trace/ui/file_questions.h"

#include <QFileDialog>
#include <QMessageBox>

namespace hoplot {
namespace {

std::optional<std::string> chosen_path(QWidget* parent, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters({QStringLiteral("Trace Files (*.trc)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("trc"));
    if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

} // namespace

std::optional<std::string> dialog_questions::open_path() {
    return chosen_path(parent_, QFileDialog::AcceptOpen);
}

// QFileDialog asks before overwriting an existing file.
std::optional<std::string> dialog_questions::save_path() {
    return chosen_path(parent_, QFileDialog::AcceptSave);
}

save_answer dialog_questions::save_traces() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Hoplot"),
                    QStringLiteral("Save trace(s)?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return save_answer::yes;
    case QMessageBox::No:
        return save_answer::no;
    default:
        return save_answer::cancel;
    }
}

} // namespace hoplot
