// The results page: the view and keyword selector buttons above the results
// list, the list itself (lazy, one row per recipe) and the status line under
// it. The page only reports what the user did; the main window hands that to
// MainDialog, which decides what is listed and which captions the page shows.
#pragma once

#include <QElapsedTimer>
#include <QTableView>
#include <QWidget>

class QLabel;
class QToolButton;

namespace pantrio {

class ResultsTableModel;

// The list view: reports clicks with their distance from the row's left edge
// (the icon toggles the mark), letters and digits typed (type-ahead: the
// text typed so far, started anew after a pause longer than the platform's
// keyboard input interval), the Delete key and the arrows that move the
// selection.
class ResultsListView : public QTableView {
    Q_OBJECT
public:
    explicit ResultsListView(QWidget* parent);

signals:
    void rowClicked(int row, int pixelsFromLeft);
    void rowDoubleClicked(int row);
    void typedAhead(const QString& text);
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
    QString typed_;
    QElapsedTimer sinceTyped_;
};

class ResultsPage : public QWidget {
    Q_OBJECT
public:
    ResultsPage(ResultsTableModel& model, QWidget* parent);

    ResultsListView* list() const { return list_; }
    void SetStatusText(const QString& text);
    QString ViewCaption() const;
    QString KeywordCaption() const;
    // The selector captions and the header's sort indicator (column 0 or 2,
    // none for -1).
    void ShowState(const QString& viewCaption, const QString& keywordCaption, int sortColumn);
    // Shows or hides the "Box" column (a search of every box).
    void ShowBoxColumn(bool shown);
    // Sets the list's column widths: the title takes the width less 110
    // (and less the box column when it is shown).
    void FitColumns();

signals:
    // Entry `entry` of the view or keyword selector's menu was chosen.
    void viewEntryChosen(int entry);
    void keywordEntryChosen(int entry);
    // A selector button itself was pressed: the view is listed again.
    void selectorPressed();
    void headerClicked(int section);
    // A recipe row was dropped on the keyword selector.
    void droppedOnKeywordSelector();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ResultsListView* list_ = nullptr;
    QToolButton* viewButton_;
    QToolButton* keywordButton_;
    QLabel* status_;
};

}  // namespace pantrio
