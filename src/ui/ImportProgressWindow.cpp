#include "ui/ImportProgressWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace pantrio {

// The "Messages" list as the row sink the importers append to.
class ImportProgressWindow::MessageList : public RowSink {
public:
    explicit MessageList(QListWidget* list) : list_(list) {}
    void AddRow(ListRow row) override {
        list_->addItem(QString::fromStdString(row.text));
        list_->scrollToBottom();
    }
    void ClearRows() override { list_->clear(); }
    void Redraw() override { list_->update(); }

private:
    QListWidget* list_;
};

ImportProgressWindow::ImportProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("importProgress"));
    setWindowTitle(QString::fromUtf8(kTitle));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QString::fromUtf8(kCaption), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption);
    // The busy indicator: a bar that runs without a range while the window shows.
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setMaximumHeight(8);
    layout->addWidget(busy);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("importStatus"));
    layout->addWidget(status_);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("importBar"));
    bar_->setRange(0, 100);
    layout->addWidget(bar_);
    layout->addWidget(new QLabel(QString::fromUtf8(kMessagesHeader), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("importMessages"));
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        SetCancelled(true);
        hide();
    });
    messages_ = std::make_unique<MessageList>(list_);
    resize(420, 300);
}

ImportProgressWindow::~ImportProgressWindow() = default;

void ImportProgressWindow::Show() {
    show();
    raise();
    QCoreApplication::processEvents();
}

void ImportProgressWindow::Hide() {
    hide();
}

void ImportProgressWindow::Raise() {
    raise();
}

void ImportProgressWindow::SetStatus(const std::string& text) {
    status_->setText(QString::fromStdString(text));
}

void ImportProgressWindow::SetPosition(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
}

RowSink& ImportProgressWindow::Messages() {
    return *messages_;
}

void ImportProgressWindow::Breathe() {
    // The import runs on the window's own thread; pending events (the Cancel
    // button among them) are handled between input lines.
    QCoreApplication::processEvents();
}

}  // namespace pantrio
