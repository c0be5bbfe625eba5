// "Scale this recipe": what the recipe makes now and how many the user wants.
#pragma once

#include <QDialog>

class QLineEdit;

namespace pantrio {

class ScaleRecipeDialog : public QDialog {
    Q_OBJECT
public:
    ScaleRecipeDialog(const QString& yieldNumber, const QString& yieldUnit, QWidget* parent);
    // The number typed under "How many would you like to make?".
    QString Wanted() const;

private:
    QLineEdit* wanted_;
};

}  // namespace pantrio
