// The nutrient editor page of the navigation bar: the food table's foods,
// found by name, with their amounts per household measure in labelled
// fields; "&New", "&Delete", "Clea&r" and "&Modify" for the household
// measures. The widgets mirror a NutrientEditorController. Its two dialogs
// ("Modify Nutrient Units", "Add a nutrient") are asked through the main
// window, which implements the controller's view.
#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "core/NutrientEditorView.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace pantrio {

class NutrientEditorController;

class NutrientEditorPage : public QWidget {
    Q_OBJECT
public:
    NutrientEditorPage(NutrientEditorController& editor, QWidget* parent);

    // The two dialogs of the page.
    static bool AskMeasures(MeasureForm& form, QWidget* parent);
    static bool AskNewFoodName(std::string& name, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FillList();
    void Show();

    NutrientEditorController& editor_;
    bool started_ = false;
    bool filling_ = false;
    QLineEdit* find_;
    QListWidget* foods_;
    QLineEdit* item_;
    QComboBox* serving_;
    std::map<std::string, QLineEdit*> fields_;
};

}  // namespace pantrio
