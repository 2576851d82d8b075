#include "ui/files/DimensionForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/files/MeasureText.h"
#include "core/services/AppTitle.h"
#include "core/engine/Session.h"
#include "core/platform/CommandDialogs.h"
#include "ui/files/FormParts.h"
#include "ui/files/LineSample.h"
#include "ui/files/TypedCharacter.h"

namespace tessary {

DimensionForm::DimensionForm(Session& session, CommandDialogs& dialogs, QWidget* parent, bool forNewPattern)
    : QDialog(parent),
      dialogs_(dialogs),
      model_(session.options, session.display, session.settings, session.messages, forNewPattern) {
    setWindowTitle(QStringLiteral("Pattern Options - ") + QString::fromLatin1(kAppTitle));

    tabs_ = new QTabWidget;
    tabs_->addTab(
        InstructionsPage(false, "Pattern Options", "Display Options   (accessible from menu Options--Display Setup...)"),
        QStringLiteral("Instructions"));
    tabs_->addTab(SizeTab(), QStringLiteral("Pattern Size"));
    tabs_->addTab(PenTab(), QStringLiteral("Pen Settings"));
    tabs_->addTab(BitmapTab(), QStringLiteral("Bitmap Image"));
    tabs_->setCurrentIndex(model_.CurrentTab());
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { model_.SetCurrentTab(tab); });

    auto* ok = Named<QPushButton>("UserCommand0", "&OK");
    auto* cancel = Named<QPushButton>("UserCommand1", "&Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DimensionForm::accept);
    connect(cancel, &QPushButton::clicked, this, &DimensionForm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    ShowModel();
}

QWidget* DimensionForm::SizeTab() {
    auto* dimensions = new QGroupBox(QStringLiteral("Pattern Dimensions"));
    auto* dimensionGrid = new QGridLayout(dimensions);
    dimensionGrid->addWidget(Label("Width"), 0, 0);
    dimensionGrid->addWidget(AddBox(SetupBox::Width, "Dimension0"), 0, 1);
    dimensionGrid->addWidget(Label("Height"), 1, 0);
    dimensionGrid->addWidget(AddBox(SetupBox::Height, "Dimension1"), 1, 1);
    aspect_ = Named<QCheckBox>("AspectCheck", "Maintain aspect.");
    connect(aspect_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.SetAspectChecked(checked);
        ShowModel();
    });
    dimensionGrid->addWidget(aspect_, 2, 0, 1, 2);
    dimensionGrid->addWidget(Help("The printed pattern dimensions are specified in inches or centimeters.  If "
                                  "maintain aspect is checked then the adjacent edge will adjust to maintain the "
                                  "height to width ratio."),
                             3, 0, 1, 2);

    auto* margins = new QGroupBox(QStringLiteral("Page Margins"));
    auto* marginGrid = new QGridLayout(margins);
    const char* marginLabels[] = {"Top", "Right", "Bottom", "Left"};
    const char* marginNames[] = {"MarginSize0", "MarginSize1", "MarginSize2", "MarginSize3"};
    for (int i = 0; i < 4; ++i) {
        marginGrid->addWidget(Label(marginLabels[i]), i, 0);
        marginGrid->addWidget(AddBox(MarginBox(i), marginNames[i]), i, 1);
    }
    marginGrid->addWidget(Help("Set the printed page margins in inches to adjust the printable page area to match "
                               "the capabilities of your printer."),
                          4, 0, 1, 2);

    auto* units = new QGroupBox(QStringLiteral("Units"));
    auto* unitLayout = new QVBoxLayout(units);
    patternUnits_ = {Named<QRadioButton>("PatternUnits0", "inches"), Named<QRadioButton>("PatternUnits1", "cm")};
    for (int i = 0; i < 2; ++i) {
        unitLayout->addWidget(patternUnits_[i]);
        connect(patternUnits_[i], &QRadioButton::clicked, this, [this, i] {
            model_.ChoosePatternUnits(i);
            ShowModel();
        });
    }
    unitLayout->addWidget(Help("Unit of measurement for the pattern and the page margins."));

    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->addWidget(dimensions, 0, 0);
    layout->addWidget(margins, 0, 1);
    layout->addWidget(units, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* DimensionForm::PenTab() {
    auto* size = new QGroupBox(QStringLiteral("Printer Pen Size"));
    auto* sizeLayout = new QGridLayout(size);
    sizeLayout->addWidget(AddBox(SetupBox::PenSize, "textPrinterPenSize"), 0, 0, 2, 1);
    penUnits_ = {Named<QRadioButton>("PenUnits0", "inches"), Named<QRadioButton>("PenUnits1", "mm")};
    for (int i = 0; i < 2; ++i) {
        sizeLayout->addWidget(penUnits_[i], i, 1);
        connect(penUnits_[i], &QRadioButton::clicked, this, [this, i] {
            model_.ChoosePenUnits(i);
            ShowModel();
        });
    }
    sizeLayout->addWidget(
        Help("The pen size sets the width of the printed pattern line.  The pattern line width may be entered as a "
             "fractional value such as 1/16, 1/32, 1/64, or 1/128 of an inch, a decimal value such as 0.001 inches, "
             "or as a whole number of millimeters such as 1,2,3.  The actual line width may vary slightly depending "
             "on your printer.  The minimum and maximum line widths depend on the capabilities of your printer."),
        2, 0, 1, 2);

    auto* colour = new QGroupBox(QStringLiteral("Printed Pattern Color"));
    auto* colourLayout = new QGridLayout(colour);
    blackOnly_ = Named<QCheckBox>("checkPrinterBlackOnly", "Black and White Printer");
    connect(blackOnly_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.SetBlackOnly(checked);
        ShowModel();
    });
    changeColour_ = Named<QPushButton>("cmdColorChange", "Change Color");
    connect(changeColour_, &QPushButton::clicked, this, &DimensionForm::ChangeColour);
    colourSample_ = new LineSample("lineColorExample", QSize(120, 24), 4);
    colourLayout->addWidget(blackOnly_, 0, 0, 1, 2);
    colourLayout->addWidget(changeColour_, 1, 0, Qt::AlignLeft);
    colourLayout->addWidget(colourSample_, 1, 1);
    colourLayout->addWidget(
        Help("The printer pen color sets the color of the pattern lines on a color printer.  If you are using a "
             "laser printer, a black and white inkjet printer, or you are printing the pattern with black lines on a "
             "color printer then make sure that the Black and White Printer option is checked."),
        2, 0, 1, 2);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(size);
    layout->addWidget(colour);
    layout->addStretch();
    return page;
}

QWidget* DimensionForm::BitmapTab() {
    auto* size = new QGroupBox(QStringLiteral("Bitmap Size"));
    auto* sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(Label("Width in Pixels"), 0, 0);
    sizeGrid->addWidget(AddBox(SetupBox::BitmapWidth, "textBitmapSize0"), 0, 1);
    sizeGrid->addWidget(Label("Height in Pixels"), 1, 0);
    sizeGrid->addWidget(AddBox(SetupBox::BitmapHeight, "textBitmapSize1"), 1, 1);
    sizeGrid->addWidget(Help("Bitmaps are measured in pixels.  One pixel is equivalent to one dot on the display or "
                             "one printed dot on paper.  The displayed size is dependent on the devices pixels per "
                             "inch.  The aspect ratio of the pattern must be maintained."),
                        2, 0, 1, 2);

    penFrame_ = new QGroupBox;
    penFrame_->setObjectName(QStringLiteral("BitmapPenSizeFrame"));
    auto* penLayout = new QGridLayout(penFrame_);
    penSlider_ = new QSlider(Qt::Horizontal);
    penSlider_->setObjectName(QStringLiteral("BitmapPenSizeSelect"));
    penSlider_->setRange(1, 100);
    penSlider_->setPageStep(10);
    connect(penSlider_, &QSlider::valueChanged, this, [this](int value) {
        model_.SetPenSlider(value);
        ShowModel();
    });
    penSample_ = new LineSample("picBitmapPenSizeExample", QSize(160, 104), 1);
    penLayout->addWidget(Label("thin"), 0, 0);
    penLayout->addWidget(penSlider_, 0, 1);
    penLayout->addWidget(Label("thick"), 0, 2);
    penLayout->addWidget(penSample_, 1, 0, 1, 3, Qt::AlignHCenter);
    penLayout->addWidget(Help("The bitmap pen size sets the pattern line width as viewed in a bitmap file. The pen "
                              "size is in pixels."),
                         2, 0, 1, 3);

    auto* reference = new QWidget;
    auto* referenceLayout = new QGridLayout(reference);
    referenceLayout->addWidget(Heading("How large should the bitmap be?"), 0, 0, 1, 2);
    referenceLayout->addWidget(Help("The bitmap may be as large or as small as you like.  Large bitmaps create very "
                                    "large files on the hard drive.  Below are two examples that you may use as a "
                                    "reference in determining size."),
                               1, 0, 1, 2);
    referenceLayout->addWidget(Help("A standard VGA monitor is 640 pixels wide by 480 pixels high."), 2, 0);
    QLabel* hundred = Help("This box is 100 pixels wide by 100 pixels high.");
    hundred->setFixedSize(100, 100);
    hundred->setFrameShape(QFrame::Box);
    hundred->setAlignment(Qt::AlignCenter);
    referenceLayout->addWidget(hundred, 2, 1);

    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->addWidget(size, 0, 0);
    layout->addWidget(penFrame_, 0, 1);
    layout->addWidget(reference, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    return page;
}

QLineEdit* DimensionForm::AddBox(SetupBox box, const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this,
            [this, box](const QString& text) { model_.SetText(box, text.toStdString()); });
    boxes_[static_cast<std::size_t>(box)] = edit;
    return edit;
}

std::optional<SetupBox> DimensionForm::BoxOf(const QObject* object) const {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i] == object) return static_cast<SetupBox>(i);
    }
    return std::nullopt;
}

bool DimensionForm::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<SetupBox> box = BoxOf(watched);
    if (!box) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = TypedCharacter(*static_cast<QKeyEvent*>(event));
        if (key == 0) return false;
        const KeyVerdict verdict = model_.KeyPress(*box, key);
        if (verdict.beep) QApplication::beep();
        ShowModel();
        return !verdict.insert;
    }
    // Focus going to another window (a message, the colour dialog) comes
    // back: that is no end of the entry.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            model_.Commit(*box);
            ShowModel();
        }
    }
    return false;
}

// Closing with Escape or a shortcut can leave a box holding an entry it has
// not taken yet.
void DimensionForm::CommitFocusedBox() {
    if (const std::optional<SetupBox> box = BoxOf(focusWidget())) model_.Commit(*box);
}

void DimensionForm::accept() {
    CommitFocusedBox();
    model_.Ok();
    QDialog::accept();
}

void DimensionForm::reject() {
    CommitFocusedBox();
    switch (model_.Cancel()) {
        case CancelOutcome::StayOpen: ShowModel(); break;
        case CancelOutcome::Applied: QDialog::accept(); break;
        case CancelOutcome::Discarded: QDialog::reject(); break;
    }
}

void DimensionForm::ChangeColour() {
    const std::optional<std::uint32_t> chosen = dialogs_.AskColour(model_.SampleColour());
    if (!chosen) return;
    model_.ChooseColour(*chosen);
    ShowModel();
}

void DimensionForm::ShowModel() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QString text = QString::fromStdString(model_.Text(static_cast<SetupBox>(i)));
        if (boxes_[i]->text() != text) boxes_[i]->setText(text);
    }
    patternUnits_[static_cast<std::size_t>(model_.PatternUnits())]->setChecked(true);
    penUnits_[static_cast<std::size_t>(model_.PenUnits())]->setChecked(true);
    switch (model_.Aspect()) {
        case AspectState::Grey:
            aspect_->setTristate(true);
            aspect_->setCheckState(Qt::PartiallyChecked);
            break;
        case AspectState::Checked:
            aspect_->setTristate(false);
            aspect_->setCheckState(Qt::Checked);
            break;
        case AspectState::Unchecked:
            aspect_->setTristate(false);
            aspect_->setCheckState(Qt::Unchecked);
            break;
    }
    aspect_->setEnabled(model_.AspectEnabled());
    blackOnly_->setChecked(model_.BlackOnly());
    changeColour_->setEnabled(model_.ChangeColourEnabled());
    colourSample_->SetColour(model_.SampleColour());
    {
        const QSignalBlocker block(penSlider_);
        penSlider_->setValue(model_.PenSlider());
    }
    penFrame_->setTitle(QString::fromStdString(model_.PenSizeCaption()));
    penSample_->SetPenWidth(model_.PenSlider());
}

}  // namespace tessary
