// The Notes tab of the current recipe: its short description, notes and
// picture (chosen from a file, pasted from the clipboard or cleared), and its
// keywords with "Edit..." for the keyword editor. Fields are stored when they
// lose the focus, through RecipeEditController.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace pantrio {

class MainDialog;

class NotesTab : public QWidget {
    Q_OBJECT
public:
    NotesTab(MainDialog& main, QWidget* parent);
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StoreText(const char* field, const QString& text, const std::string& stored);
    void ShowPicture();

    MainDialog& main_;
    QLineEdit* subHead_;
    QPlainTextEdit* notes_;
    QLineEdit* image_;
    QLabel* picture_;
    QLineEdit* keywordLine_;
    QListWidget* keywords_;
};

}  // namespace pantrio
