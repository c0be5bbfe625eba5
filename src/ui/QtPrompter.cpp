#include "ui/QtPrompter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace pantrio {

namespace {

// The core writes line breaks as CR LF in some texts; a message box wants LF.
QString DisplayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::OKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case Buttons::OK:
            break;
    }
    return QMessageBox::Ok;
}

Answer AnswerOf(int button, Buttons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return Answer::OK;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            break;
    }
    // The box was closed with its title bar or Escape: the safe answer.
    switch (buttons) {
        case Buttons::OK:
            return Answer::OK;
        case Buttons::YesNo:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

}  // namespace

Answer QtPrompter::Message(const std::string& text, const std::string& caption, Buttons buttons,
                           MessageIcon icon) {
    QMessageBox box(IconOf(icon),
                    caption.empty() ? QStringLiteral("Pantrio") : QString::fromStdString(caption),
                    DisplayText(text), ButtonsOf(buttons), parent_);
    box.setObjectName(QStringLiteral("messageBox"));
    return AnswerOf(box.exec(), buttons);
}

std::optional<std::string> QtPrompter::AskText(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("textDialog"));
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(initial));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                         const std::string& title, const std::string& filter,
                                         const std::string& start) {
    QFileDialog dialog(parent, QString::fromStdString(title));
    dialog.setObjectName(QStringLiteral("fileDialog"));
    // The toolkit's own dialog behaves the same on every desktop and under a
    // virtual display.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromStdString(filter));
    if (!start.empty()) {
        const QFileInfo info(QString::fromStdString(start));
        if (info.isDir()) {
            dialog.setDirectory(info.absoluteFilePath());
        } else {
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::optional<std::string> QtPrompter::OpenFile(const std::string& title, const std::string& filter,
                                                const std::string& startFolder) {
    return RunFileDialog(parent_, QFileDialog::AcceptOpen, title, filter, startFolder);
}

std::optional<std::string> QtPrompter::SaveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggestedName) {
    return RunFileDialog(parent_, QFileDialog::AcceptSave, title, filter, suggestedName);
}

}  // namespace pantrio
