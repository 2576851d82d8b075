#include "ui/shell/RecoveryForm.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "core/services/AppTitle.h"

namespace tessary {

RecoveryForm::RecoveryForm(const std::vector<RecoveryFile>& files, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("RecoveryForm"));
    setWindowTitle(QStringLiteral("Recover Unsaved Patterns"));
    const QString title = QString::fromLatin1(kAppTitle);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(title +
                                 QStringLiteral(" did not close normally last time. These patterns had changes "
                                                "that were not saved; ") +
                                 title + QStringLiteral(" kept them for you."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("RecoveryList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {QStringLiteral("Pattern"), QStringLiteral("Last autosaved"), QStringLiteral("Original file")});
    const QLocale locale;
    for (const RecoveryFile& file : files) {
        const QDateTime saved = QDateTime::fromSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::seconds>(file.savedAt.time_since_epoch()).count());
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::fromStdString(RecoveryTitle(file)));
        item->setText(1, locale.toString(saved, QLocale::ShortFormat));
        item->setText(2, file.original.empty() ? QStringLiteral("never saved") : QString::fromStdString(file.original));
        item->setToolTip(0, QString::fromStdString(file.pattern));
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setCurrentItem(list_->topLevelItem(0));
    layout->addWidget(list_);

    auto* hint = new QLabel(QStringLiteral("Recover opens the selected pattern with its changes, not yet saved; "
                                           "any others wait for the next start. Discard throws the selected "
                                           "pattern's changes away. Later keeps them all for the next start."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(this);
    const std::pair<QString, RecoveryChoice> choices[] = {{QStringLiteral("&Recover"), RecoveryChoice::Recover},
                                                          {QStringLiteral("&Discard..."), RecoveryChoice::Discard},
                                                          {QStringLiteral("&Later"), RecoveryChoice::Later}};
    for (const auto& [caption, choice] : choices) {
        QPushButton* button = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        button->setObjectName(caption.mid(1).remove(QStringLiteral("...")) + QStringLiteral("Button"));
        button->setDefault(choice == RecoveryChoice::Recover);
        connect(button, &QPushButton::clicked, this, [this, choice = choice] { Choose(choice); });
    }
    layout->addWidget(buttons);
    list_->setFocus();
    resize(640, sizeHint().height());
}

void RecoveryForm::Choose(RecoveryChoice choice) {
    choice_ = choice;
    accept();
}

RecoveryAnswer RecoveryForm::Ask() {
    choice_ = RecoveryChoice::Later;  // Escape or the close box
    exec();
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return RecoveryAnswer{static_cast<std::size_t>(std::max(row, 0)), choice_};
}

}  // namespace tessary
