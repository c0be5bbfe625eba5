// The list controls that stores "fill": a sink of rows, each with a text, an
// icon index, sub-column texts and one number. The program fills a Qt model
// through it, tests fill a vector and read what would be shown.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

struct ListRow {
    std::string text;                  // column 0
    int icon = 0;                      // icon index
    std::vector<std::string> columns;  // columns 1..n
    long data = 0;                     // the row's item data (recipe number, ID, ...)
};

class RowSink {
public:
    virtual ~RowSink() = default;
    // Appends a row at the next position.
    virtual void AddRow(ListRow row) = 0;
    // Removes every row.
    virtual void ClearRows() = 0;
    // Asks the control to redraw (after a status message was appended, say).
    virtual void Redraw() {}
};

// A sink that keeps its rows in memory: used by tests and by operations that
// need the rows themselves.
class VectorRowSink : public RowSink {
public:
    void AddRow(ListRow row) override { rows.push_back(std::move(row)); }
    void ClearRows() override { rows.clear(); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        out.reserve(rows.size());
        for (const auto& r : rows) out.push_back(r.text);
        return out;
    }
    std::vector<ListRow> rows;
};

}  // namespace pantrio
