// The results page: the view and keyword selector buttons above the results
// list, the list itself (lazy, one row per recipe) and the status line under
// it. The page only reports what the user did; the main window turns that
// into the statements of the search code and the commands of MainDialog.
#pragma once

#include <QTableView>
#include <QWidget>

class QLabel;
class QToolButton;

namespace pantrio {

class ResultsTableModel;

// The list view: reports clicks with their distance from the row's left edge
// (the icon toggles the mark), letters and digits typed (type-ahead), the
// Delete key and the arrows that move the selection.
class ResultsListView : public QTableView {
    Q_OBJECT
public:
    explicit ResultsListView(QWidget* parent);

signals:
    void rowClicked(int row, int pixelsFromLeft);
    void rowDoubleClicked(int row);
    void typedAhead(char key);
    void deletePressed();
    void selectionMoved(int row);
    void recipesDropped();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int pressedRow_ = -1;
    int pressedX_ = 0;
};

class ResultsPage : public QWidget {
    Q_OBJECT
public:
    ResultsPage(ResultsTableModel& model, QWidget* parent);

    ResultsListView* list() const { return list_; }
    void SetStatusText(const QString& text);
    QString ViewCaption() const { return viewCaption_; }
    QString KeywordCaption() const { return keywordCaption_; }
    // Sets the list's column widths: the title takes the width less 110.
    void FitColumns();

signals:
    // A selector entry was chosen or a selector button pressed: rerun the view.
    void viewChanged();
    void headerClicked(int section);
    // A recipe row was dropped on the keyword selector.
    void droppedOnKeywordSelector();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ResultsListView* list_;
    QToolButton* viewButton_;
    QToolButton* keywordButton_;
    QLabel* status_;
    QString viewCaption_;
    QString keywordCaption_;
};

}  // namespace pantrio
