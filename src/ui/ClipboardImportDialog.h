// "Import from Clipboard": recipe text pasted into a text box, whose parts
// the user marks by selecting them and pressing a role button (each role
// colours its selection); "Import!" stores a recipe built from the five
// marked texts only, never from the colours.
#pragma once

#include <QDialog>

#include "formats/ScreenImport.h"

class QTextEdit;

namespace pantrio {

class MainDialog;

class ClipboardImportDialog : public QDialog {
    Q_OBJECT
public:
    enum Role { Title, Ingredients, Instructions, Notes, Source };

    ClipboardImportDialog(MainDialog& main, QWidget* parent);

    QTextEdit* textBox() const { return text_; }
    // Marks the current selection with `role`: colours it and keeps its text.
    void MarkSelection(Role role);
    const ScreenImportSlots& Slots() const { return slots_; }
    // The recipe number stored by the last "Import!", -1 when none.
    int ImportedRecipe() const { return imported_; }

private:
    void Import();

    MainDialog& main_;
    QTextEdit* text_;
    ScreenImportSlots slots_;
    int imported_ = -1;
};

}  // namespace pantrio
