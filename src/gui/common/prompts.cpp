#include "common/prompts.h"

#include <QFileDialog>
#include <QFileInfo>

namespace varnoki::gui {
namespace {

QString RunFileDialog(QWidget* parent, const FileKind& kind, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setNameFilter(kind.filter);
    dialog.setAcceptMode(mode);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(kind.defaultSuffix);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

QString Prompts::NextFileName() {
    return fileNames_.isEmpty() ? QString() : fileNames_.dequeue();
}

QString Prompts::OpenFileName(QWidget* parent, const FileKind& kind) {
    if (scripted_) {
        shown_ << QStringLiteral("open:") + kind.filter;
        return NextFileName();
    }
    return RunFileDialog(parent, kind, QFileDialog::AcceptOpen);
}

QString Prompts::SaveFileName(QWidget* parent, const FileKind& kind) {
    if (scripted_) {
        shown_ << QStringLiteral("save:") + kind.filter;
        QString name = NextFileName();
        if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += QLatin1Char('.') + kind.defaultSuffix;
        return name;
    }
    return RunFileDialog(parent, kind, QFileDialog::AcceptSave);
}

QMessageBox::StandardButton Prompts::AskYesNoCancel(QWidget* parent, const QString& text) {
    if (scripted_) {
        shown_ << text;
        return answers_.isEmpty() ? QMessageBox::Cancel : answers_.dequeue();
    }
    return QMessageBox::warning(parent, QStringLiteral("警告"), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                QMessageBox::Yes);
}

void Prompts::ShowError(QWidget* parent, const QString& text) {
    if (scripted_) {
        shown_ << text;
        return;
    }
    QMessageBox::critical(parent, QStringLiteral("錯誤"), text);
}

QStringList Prompts::TakeShown() {
    QStringList shown;
    shown.swap(shown_);
    return shown;
}

}  // namespace varnoki::gui
