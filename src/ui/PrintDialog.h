// "Print Preview": what to print (the View tab's page, the current recipe,
// the marked recipes or none; the meal plan of a range of days; the
// shopping list), a live preview of the assembled page, Qt's print preview
// and "Save as PDF".
#pragma once

#include <QDialog>
#include <QTemporaryDir>

#include "core/PrintView.h"

class QCheckBox;
class QDateEdit;
class QRadioButton;
class QWebEngineView;

namespace pantrio {

class MainDialog;

class PrintDialog : public QDialog {
    Q_OBJECT

public:
    PrintDialog(MainDialog& main, const PrintChoices& initial, QWidget* parent);

    PrintChoices Choices() const;
    QWebEngineView* Preview() const { return preview_; }
    // Whether the preview shows the page of the current choices.
    bool PreviewReady() const { return ready_; }

signals:
    // The preview pane finished loading a page; `ok` when it loaded.
    void previewLoaded(bool ok);
    // "Save as PDF" wrote the file (true) or could not (false).
    void pdfSaved(const QString& path, bool ok);

private:
    void BuildPage();
    void PreviewAndPrint();
    void SaveAsPdf();

    MainDialog& main_;
    QRadioButton* webView_;
    QRadioButton* selected_;
    QRadioButton* marked_;
    QRadioButton* none_;
    QCheckBox* nutrition_;
    QCheckBox* mealPlan_;
    QDateEdit* from_;
    QDateEdit* to_;
    QCheckBox* shopping_;
    QWebEngineView* preview_;
    QTemporaryDir folder_;
    int pageNumber_ = 0;
    bool ready_ = false;
};

}  // namespace pantrio
