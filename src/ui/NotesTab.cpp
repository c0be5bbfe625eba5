#include "ui/NotesTab.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Prompter.h"
#include "core/MainDialog.h"
#include "recipe/Recipe.h"
#include "ui/CategoryEditDialog.h"

namespace pantrio {

namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QString Shown(const std::string& stored) {
    return QString::fromStdString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

NotesTab::NotesTab(MainDialog& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName(QStringLiteral("notesTab"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    subHead_ = new QLineEdit(this);
    subHead_->setObjectName(QStringLiteral("subHeadEdit"));
    form->addRow(QStringLiteral("Short description:"), subHead_);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Notes:"), this));
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("notesEdit"));
    notes_->installEventFilter(this);
    layout->addWidget(notes_, 1);

    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(new QLabel(QStringLiteral("Image:"), this));
    image_ = new QLineEdit(this);
    image_->setObjectName(QStringLiteral("imageEdit"));
    imageRow->addWidget(image_, 1);
    auto* browse = Button(QStringLiteral("Browse..."), "browsePictureButton", this);
    auto* paste = Button(QStringLiteral("Paste JPG"), "pastePictureButton", this);
    auto* clear = Button(QStringLiteral("Clear"), "clearPictureButton", this);
    imageRow->addWidget(browse);
    imageRow->addWidget(paste);
    imageRow->addWidget(clear);
    layout->addLayout(imageRow);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("pictureView"));
    picture_->setFixedHeight(304);
    picture_->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture_);

    auto* keywordRow = new QHBoxLayout;
    keywordRow->addWidget(new QLabel(QStringLiteral("Keywords:"), this));
    keywordLine_ = new QLineEdit(this);
    keywordLine_->setObjectName(QStringLiteral("keywordLine"));
    keywordLine_->setReadOnly(true);
    keywordRow->addWidget(keywordLine_, 1);
    auto* editKeywords = Button(QStringLiteral("Edit..."), "categoriesButton", this);
    keywordRow->addWidget(editKeywords);
    layout->addLayout(keywordRow);
    keywords_ = new QListWidget(this);
    keywords_->setObjectName(QStringLiteral("keywordList"));
    keywords_->setMaximumHeight(110);
    keywords_->installEventFilter(this);
    layout->addWidget(keywords_);

    connect(subHead_, &QLineEdit::editingFinished, this,
            [this] { StoreText("SubHead", subHead_->text(), main_.Recipes().Current().SubHead); });
    connect(image_, &QLineEdit::editingFinished, this, [this] {
        StoreText("PictureFile1", image_->text(), main_.Recipes().Current().PictureFile1);
    });
    RecipeEditController& editing = main.Editing();
    connect(browse, &QPushButton::clicked, this, [&editing] { editing.BrowsePicture(); });
    connect(paste, &QPushButton::clicked, this, [&editing] { editing.PastePicture(); });
    connect(clear, &QPushButton::clicked, this, [&editing] { editing.ClearPictureAsked(); });
    connect(editKeywords, &QPushButton::clicked, this, [this] {
        if (!main_.RequireRecipe(CommandRule::NeedsCurrentRecipe)) return;
        CategoryEditDialog dialog(main_.Recipes(), this);
        if (dialog.Opened()) dialog.exec();
    });
    Refresh();
}

void NotesTab::Refresh() {
    const bool current = main_.Recipes().HasCurrent();
    const Recipe& recipe = main_.Recipes().Current();
    subHead_->setText(current ? QString::fromStdString(recipe.SubHead) : QString());
    if (!notes_->hasFocus()) notes_->setPlainText(current ? Shown(recipe.Notes) : QString());
    image_->setText(current ? QString::fromStdString(recipe.PictureFile1) : QString());
    QStringList names;
    keywords_->clear();
    for (const std::string& name : main_.Editing().KeywordRows()) {
        keywords_->addItem(QString::fromStdString(name));
        names.prepend(QString::fromStdString(name));
    }
    keywordLine_->setText(names.join(QStringLiteral(", ")));
    ShowPicture();
}

void NotesTab::ShowPicture() {
    const QString path = QString::fromStdString(main_.Editing().PicturePath());
    QPixmap pixmap;
    if (!path.isEmpty() && pixmap.load(path))
        picture_->setPixmap(pixmap);
    else
        picture_->clear();
}

void NotesTab::StoreText(const char* field, const QString& text, const std::string& stored) {
    if (!main_.Recipes().HasCurrent() || Shown(stored) == text) return;
    std::string error;
    if (!main_.Editing().SetField(field, text.toStdString(), error)) {
        main_.prompter().Message(error);
        Refresh();
    }
}

bool NotesTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == notes_ && event->type() == QEvent::FocusOut)
        StoreText("Notes", notes_->toPlainText(), main_.Recipes().Current().Notes);
    if (watched == keywords_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && keywords_->currentRow() >= 0) {
        main_.Editing().DeleteKeywordRow(keywords_->currentRow());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pantrio
