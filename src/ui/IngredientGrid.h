// The Edit tab's ingredient grid: one row per line of the current recipe with
// its quantity, unit, ingredient and preparation notes, each cell edited in
// place. Tab, Shift+Tab, Enter, Escape, Up, Down, Page Up/Down and
// Ctrl+Home/End move between cells as a spreadsheet does; Insert appends a
// line and Delete removes the selected one, after their questions. Every
// write goes through RecipeEditController; the grid then shows the reloaded
// recipe.
#pragma once

#include <QTableWidget>
#include <functional>

namespace pantrio {

class MainDialog;

class IngredientGrid : public QTableWidget {
    Q_OBJECT
public:
    IngredientGrid(MainDialog& main, QWidget* parent);

    // Shows the current recipe's lines; an open cell editor is closed first.
    void ShowLines();
    // Opens the editor of cell (row, column).
    void EditCell(int row, int column);

    // Called for a double click on a row (its index) or a click below the
    // last row (-1): the line's details. Unset, nothing happens.
    std::function<void(int row)> openDetails;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class IngredientCellDelegate;
    // Writes the text of an editor that closes on (row, column).
    void Commit(int row, int column, const QString& text);
    // Closes the open editor (writing it) and opens (row, column) once the
    // grid shows the stored recipe again; past the last row asks first.
    void MoveTo(int row, int column);
    int PageRows() const;

    MainDialog& main_;
    bool filling_ = false;
};

}  // namespace pantrio
