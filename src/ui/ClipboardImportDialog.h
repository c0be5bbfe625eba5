// "Import from Clipboard": recipe text pasted into a text box, whose parts
// the user marks by selecting them and pressing a role button (each role
// colours its selection); "Import!" hands back the five marked texts only,
// never the colours, and MainDialog::ImportScreenSlots stores the recipe.
#pragma once

#include <QDialog>

#include "formats/ScreenImport.h"

class QTextEdit;

namespace pantrio {

class ClipboardImportDialog : public QDialog {
    Q_OBJECT
public:
    enum Role { Title, Ingredients, Instructions, Notes, Source };

    explicit ClipboardImportDialog(QWidget* parent);

    QTextEdit* textBox() const { return text_; }
    // Marks the current selection with `role`: colours it and keeps its text.
    void MarkSelection(Role role);
    const ScreenImportSlots& Slots() const { return slots_; }

private:
    QTextEdit* text_;
    ScreenImportSlots slots_;
};

}  // namespace pantrio
