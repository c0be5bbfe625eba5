#include "ui/ResultsTableModel.h"

#include <QMimeData>

#include "search/AllBoxesSearch.h"
#include "ui/RecipeIcons.h"

namespace pantrio {

ResultsTableModel::ResultsTableModel(ResultsModel& results, QString imagesFolder, QObject* parent)
    : QAbstractTableModel(parent), results_(results), imagesFolder_(std::move(imagesFolder)) {}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_) return {};
    const ResultRow* row = results_.Row(index.row());
    if (row == nullptr) return {};
    if (role == RecipeIDRole) return QVariant::fromValue<qlonglong>(row->recipeID);
    switch (index.column()) {
        case TitleColumn:
            if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
                return QString::fromStdString(row->title);
            if (role == Qt::DecorationRole) return RecipeIcon(row->Icon());
            break;
        case RatingTextColumn:
            if (role == Qt::DisplayRole) return QString::fromStdString(row->RatingText());
            break;
        case RatingColumn:
            if (role == Qt::DecorationRole)
                return StarImage(imagesFolder_, QString::fromStdString(row->RatingText()));
            break;
        case MarkedColumn:
            if (role == Qt::DisplayRole) return QString::fromStdString(row->MarkedText());
            break;
        case BoxColumn:
            if (role == Qt::DisplayRole) return QString::fromStdString(BoxName(row->box));
            if (role == Qt::ToolTipRole) return QString::fromStdString(row->box);
            break;
        default:
            break;
    }
    return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const headers[] = {"Recipe", "R", "Rating", "Mkd", "Box"};
    if (section < 0 || section > 4) return {};
    return QString::fromLatin1(headers[section]);
}

bool ResultsTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && (shown_ < results_.LoadedRows() || results_.CanFetchMore());
}

void ResultsTableModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid()) return;
    // Rows already read are shown before another batch is read.
    if (shown_ >= results_.LoadedRows() && results_.CanFetchMore()) results_.FetchMore();
    SyncRows();
}

void ResultsTableModel::SyncRows() {
    const int loaded = static_cast<int>(results_.LoadedRows());
    if (loaded <= shown_) return;
    // The rows are read first; the view learns of them once they exist.
    beginInsertRows(QModelIndex(), shown_, loaded - 1);
    shown_ = loaded;
    endInsertRows();
}

Qt::ItemFlags ResultsTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid()) f |= Qt::ItemIsDragEnabled;
    return f;
}

QStringList ResultsTableModel::mimeTypes() const {
    return {QStringLiteral("application/x-pantrio-recipe-ids")};
}

QMimeData* ResultsTableModel::mimeData(const QModelIndexList& indexes) const {
    QStringList ids;
    for (const QModelIndex& index : indexes) {
        if (index.column() != TitleColumn) continue;
        ids << QString::number(data(index, RecipeIDRole).toLongLong());
    }
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/x-pantrio-recipe-ids"), ids.join(',').toUtf8());
    return mime;
}

int ResultsTableModel::Fill(const std::string& statement) {
    beginResetModel();
    const int result = results_.Fill(statement);
    shown_ = static_cast<int>(results_.LoadedRows());
    endResetModel();
    return result < 0 ? -1 : static_cast<int>(results_.TotalRows());
}

int ResultsTableModel::FillRows(std::vector<ResultRow> rows, const std::string& status) {
    beginResetModel();
    results_.FillRows(std::move(rows), status);
    shown_ = static_cast<int>(results_.LoadedRows());
    endResetModel();
    return shown_;
}

void ResultsTableModel::Clear() {
    beginResetModel();
    results_.Clear();
    shown_ = 0;
    endResetModel();
}

void ResultsTableModel::Reload() {
    beginResetModel();
    results_.Refresh();
    shown_ = static_cast<int>(results_.LoadedRows());
    endResetModel();
}

bool ResultsTableModel::EnsureRow(int row) {
    if (row < 0 || row >= results_.TotalRows()) return false;
    // Reads the batches up to the row, then shows them.
    results_.Row(row);
    SyncRows();
    return row < shown_;
}

void ResultsTableModel::RowChanged(int row) {
    SyncRows();
    if (row < 0 || row >= shown_) return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

}  // namespace pantrio
