// The options sheet: the pages "General", "Email Setup" and "Recipe Themes"
// listed at the left, the chosen page's caption above it, OK and Cancel. The
// pages edit the OptionsSheet's fields; the theme page previews the current
// recipe in the chosen theme.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWebEngineView;

namespace pantrio {

class OptionsSheet;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(OptionsSheet& sheet, QWidget* parent);

    void accept() override;

private:
    QWidget* GeneralPage();
    QWidget* EmailPage();
    QWidget* ThemesPage();
    void ShowPreview();

    OptionsSheet& sheet_;
    QCheckBox* playSound_ = nullptr;
    QCheckBox* showInfo_ = nullptr;
    QCheckBox* welcomeOnline_ = nullptr;
    QCheckBox* uiSounds_ = nullptr;
    QCheckBox* longUnits_ = nullptr;
    QCheckBox* combineUnits_ = nullptr;
    QLineEdit* urls_[5] = {};
    QLineEdit* serviceUrl_ = nullptr;
    QLineEdit* email_ = nullptr;
    QLineEdit* server_ = nullptr;
    QComboBox* theme_ = nullptr;
    QWebEngineView* preview_ = nullptr;
};

}  // namespace pantrio
