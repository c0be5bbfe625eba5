#include "ui/ClipboardImportDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace pantrio {

namespace {

struct RoleButton {
    const char* text;
    const char* name;
    QColor colour;
};

const RoleButton kRoles[] = {
    {"Recipe Title", "roleTitle", QColor(0, 100, 255)},
    {"Ingredients", "roleIngredients", QColor(128, 128, 0)},
    {"Instructions", "roleInstructions", QColor(0, 255, 0)},
    {"Notes", "roleNotes", QColor(100, 255, 0)},
    {"Source", "roleSource", QColor(255, 200, 200)},
};

}  // namespace

ClipboardImportDialog::ClipboardImportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("clipboardImportDialog"));
    setWindowTitle(QStringLiteral("Import from Clipboard"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(
        QStringLiteral("First, paste recipe text from clipboard into the window below.  Then, "
                       "define recipe elements by highlighting text and clicking the buttons on "
                       "the right.  When finished, press Import."),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* body = new QHBoxLayout;
    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("screenImportText"));
    text_->setAcceptRichText(false);
    body->addWidget(text_, 1);
    auto* side = new QVBoxLayout;
    auto* paste = new QPushButton(QStringLiteral("Paste"), this);
    paste->setObjectName(QStringLiteral("pasteButton"));
    side->addWidget(paste);
    side->addSpacing(12);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kRoles[i].text), this);
        button->setObjectName(QString::fromLatin1(kRoles[i].name));
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, kRoles[i].colour);
        button->setPalette(palette);
        button->setAutoFillBackground(true);
        side->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { MarkSelection(Role(i)); });
    }
    side->addStretch(1);
    auto* import = new QPushButton(QStringLiteral("Import!"), this);
    import->setObjectName(QStringLiteral("importButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    side->addWidget(import);
    side->addWidget(cancel);
    body->addLayout(side);
    layout->addLayout(body, 1);

    connect(paste, &QPushButton::clicked, this,
            [this] { text_->insertPlainText(QGuiApplication::clipboard()->text()); });
    connect(import, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 520);
}

void ClipboardImportDialog::MarkSelection(Role role) {
    QTextCursor cursor = text_->textCursor();
    QTextCharFormat format;
    format.setBackground(kRoles[role].colour);
    cursor.mergeCharFormat(format);
    // The text box separates paragraphs with U+2029; the slots keep plain
    // line breaks.
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
    const std::string text = selected.toStdString();
    switch (role) {
        case Title:
            slots_.title = text;
            break;
        case Ingredients:
            slots_.ingredients = text;
            break;
        case Instructions:
            slots_.instructions = text;
            break;
        case Notes:
            slots_.notes = text;
            break;
        case Source:
            slots_.source = text;
            break;
    }
}

}  // namespace pantrio
