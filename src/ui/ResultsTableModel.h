// The results list's rows as a table for the list view: a thin adapter over
// the lazy ResultsModel, which reads the rows in batches of 100 as the view
// scrolls. The view is told of every row it may show: rows that the main
// window's logic reads ahead (type-ahead looks for a title further down)
// are announced before they are shown. Columns: "Recipe" (title with the recipe icon), "R" (the
// rating text, hidden), "Rating" (the star image), "Mkd" (the mark, hidden)
// and "Box" (the box of each row, shown only for a search of every box).
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "search/ResultsModel.h"

namespace pantrio {

class ResultsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        TitleColumn = 0,
        RatingTextColumn = 1,
        RatingColumn = 2,
        MarkedColumn = 3,
        BoxColumn = 4
    };
    // The item role that carries a row's recipe number.
    static constexpr int RecipeIDRole = Qt::UserRole + 1;

    ResultsTableModel(ResultsModel& results, QString imagesFolder, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // Refills from `statement`; the statement's row count or -1.
    int Fill(const std::string& statement);
    void Clear();
    // Shows the rows of a search of every box; their count.
    int FillRows(std::vector<ResultRow> rows, const std::string& status);
    // Re-reads the listed rows after recipes were deleted or changed.
    void Reload();
    // Reads rows until row `row` is listed; false when it does not exist.
    bool EnsureRow(int row);
    // Announces to the view the rows read since it last heard of them.
    void SyncRows();
    // Shows a changed mark of a row.
    void RowChanged(int row);

    ResultsModel& results() { return results_; }
    // The folder of the star images (star0.gif ... star5.gif).
    void SetImagesFolder(QString folder) { imagesFolder_ = std::move(folder); }

private:
    ResultsModel& results_;
    QString imagesFolder_;
    // The rows the view knows of; never more than the rows read.
    int shown_ = 0;
};

}  // namespace pantrio
