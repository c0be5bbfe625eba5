// The dialog of "Export cookbook...": the PDF file (typed or chosen with
// "Browse..."), the title on the cookbook's first page and the theme of its
// recipe pages.
#pragma once

#include <QDialog>

#include "core/PrintView.h"

class QComboBox;
class QLineEdit;

namespace pantrio {

class CookbookDialog : public QDialog {
    Q_OBJECT
public:
    CookbookDialog(const CookbookChoices& initial, QWidget* parent);
    CookbookChoices Choices() const;

private:
    void Browse();

    QLineEdit* path_;
    QLineEdit* title_;
    QComboBox* theme_;
};

}  // namespace pantrio
