// The real modal boxes over QMessageBox, QInputDialog and QFileDialog.
#include "platform/kit/qt_modal.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/kit/kit.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace kit {

namespace {
QWidget* owner() {
    Window* w = Window::active_window();
    return w ? w->widget() : nullptr;
}

QString title() { return from_cp1251(program_title()); }

void run_box(QMessageBox& box) {
    // A box is a handler's wait: timers hold their ticks until it is closed.
    dispatch([&] { box.exec(); });
}
}  // namespace

std::string qt_filter(const std::string& filter) {
    const QStringList parts = from_cp1251(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << parts[i] + " (" + patterns + ")";
    }
    return to_cp1251(out.join(";;"));
}

std::string with_default_extension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty()) return path;
    const QFileInfo info(from_cp1251(path));
    if (!info.suffix().isEmpty()) return path;
    std::string out = path;
    if (out.back() != '.') out += '.';
    return out + extension;
}

void QtModal::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, title(), from_cp1251(text), QMessageBox::Ok, owner());
    run_box(box);
}

bool QtModal::ask_delete() { return ask_ok("delete?"); }

bool QtModal::ask_ok(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, "Error", from_cp1251(text), QMessageBox::Ok | QMessageBox::Cancel,
                    owner());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    int answer = QMessageBox::Cancel;
    dispatch([&] { answer = box.exec(); });
    return answer == QMessageBox::Ok;
}

bool QtModal::ask_sure() {
    QMessageBox box(QMessageBox::Warning, "Warning", "Are you sure?", QMessageBox::NoButton, owner());
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    dispatch([&] { box.exec(); });
    return box.clickedButton() == yes;
}

void QtModal::error(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, title(), from_cp1251(text), QMessageBox::Ok, owner());
    run_box(box);
}

int QtModal::ask_quant() {
    bool ok = false;
    int value = 1;
    dispatch([&] { value = QInputDialog::getInt(owner(), "quant", QString(), 1, 1, 100, 1, &ok); });
    return ok ? value : 1;
}

namespace {
std::optional<std::string> run_file_dialog(const FileDialogRequest& r, bool saving) {
    QFileDialog dialog(owner());
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(from_cp1251(qt_filter(r.filter)));
    if (!r.initial_folder.empty()) dialog.setDirectory(from_cp1251(r.initial_folder));
    // A name with a folder is offered in that folder, as the desktop's dialogs
    // do, so accepting the name as offered keeps to the same file.
    if (!r.file_name.empty()) dialog.selectFile(from_cp1251(r.file_name));
    if (saving && !r.default_extension.empty()) dialog.setDefaultSuffix(from_cp1251(r.default_extension));
    int result = QDialog::Rejected;
    dispatch([&] { result = dialog.exec(); });
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const std::string path = to_cp1251(dialog.selectedFiles().front());
    if (path.empty()) return std::nullopt;
    return saving ? with_default_extension(path, r.default_extension) : path;
}
}  // namespace

std::optional<std::string> QtModal::save_file(const FileDialogRequest& request) {
    return run_file_dialog(request, true);
}

std::optional<std::string> QtModal::open_file(const FileDialogRequest& request) {
    return run_file_dialog(request, false);
}

}  // namespace kit
