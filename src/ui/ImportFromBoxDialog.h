// "Import Recipes": the recipes of another recipe box, one row with a check
// box each, "Select All", OK and Cancel. The numbers of the ticked rows, in
// list order, are the recipes to copy.
#pragma once

#include <QDialog>
#include <vector>

#include "base/RowSink.h"

class QListWidget;

namespace pantrio {

class ImportFromBoxDialog : public QDialog {
    Q_OBJECT
public:
    ImportFromBoxDialog(const std::vector<ListRow>& rows, QWidget* parent);
    std::vector<long> Chosen() const;

private:
    QListWidget* list_;
};

}  // namespace pantrio
