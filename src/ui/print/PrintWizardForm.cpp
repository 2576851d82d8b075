#include "ui/print/PrintWizardForm.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "ui/files/TypedCharacter.h"

namespace tessary {

// A step's marker in the navigation panel; its colour is the palette's
// window text, where anyone can read it back.
class StepMarker : public QWidget {
public:
    explicit StepMarker(int step) {
        setObjectName(QStringLiteral("PageMarker%1").arg(step));
        setFixedSize(14, 14);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::WindowText));
        painter.drawEllipse(rect().adjusted(2, 2, -2, -2));
    }
};

namespace {

const QColor kPanelBackground(0x1F, 0x3A, 0x5F);

QLabel* Label(const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* NamedLabel(const QString& name) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(name);
    return label;
}

QLabel* Help(const char* text) {
    QLabel* label = Label(text);
    label->setWordWrap(true);
    return label;
}

template <class Widget>
Widget* Named(const QString& name, const char* caption) {
    auto* widget = new Widget(QString::fromLatin1(caption));
    widget->setObjectName(name);
    return widget;
}

QComboBox* NamedList(const char* name) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumContentsLength(4);
    return list;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    if (widget->palette().color(QPalette::WindowText) == colour) return;
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

void ShowText(QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); }

void ShowText(QLineEdit* box, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (box->text() != shown) box->setText(shown);
}

// Refills a list only when its entries differ, so an open list stays open.
void ShowList(QComboBox* list, const std::vector<std::string>& items, int position) {
    const QSignalBlocker block(list);
    bool same = list->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < list->count(); ++i) same = list->itemText(i).toStdString() == items[i];
    if (!same) {
        list->clear();
        for (const std::string& item : items) list->addItem(QString::fromStdString(item));
    }
    list->setCurrentIndex(position);
}

QWidget* Frame(int step, QLayout* layout) {
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("fraStep%1").arg(step));
    frame->setLayout(layout);
    return frame;
}

// A sketch with a left and a right that cannot be mistaken: a flag on a pole.
class MirrorSample : public QWidget {
public:
    MirrorSample(const char* name, bool mirrored) : mirrored_(mirrored) {
        setObjectName(QString::fromLatin1(name));
        setFixedSize(110, 110);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (mirrored_) {
            painter.translate(width(), 0);
            painter.scale(-1, 1);
        }
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(25, 15, 25, 95);
        QPainterPath flag;
        flag.moveTo(27, 17);
        flag.lineTo(88, 35);
        flag.lineTo(27, 53);
        flag.closeSubpath();
        painter.drawPath(flag);
        painter.drawEllipse(QPointF(40, 35), 6, 6);
        painter.drawLine(12, 95, 60, 95);
    }

private:
    bool mirrored_;
};

}  // namespace

QColor PrintWizardForm::Swatch(MarkerColour colour) {
    switch (colour) {
        case MarkerColour::Enabled: return {0xC8, 0xD4, 0xE0};
        case MarkerColour::Current: return {0xFF, 0xC8, 0x30};
        case MarkerColour::Left: return {0x8C, 0xD8, 0x8C};
        case MarkerColour::Disabled: return {0x6B, 0x7B, 0x8C};
    }
    return {};
}

PrintWizardForm::PrintWizardForm(PrintWizardModel& model, QWidget* parent, std::function<void()> preview)
    : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("PrintWizardForm"));

    frames_ = new QStackedWidget;
    frames_->setObjectName(QStringLiteral("fraSteps"));
    for (QWidget* frame : {StartFrame(), PageFrame(), DrawModeFrame(), CutLinesFrame(), PaperSaverFrame(),
                           CopiesFrame(), MirrorFrame(), CirclesFrame()}) {
        frames_->addWidget(frame);
    }

    auto* cancel = Named<QPushButton>(QStringLiteral("cmdNav1"), "Cancel");
    back_ = Named<QPushButton>(QStringLiteral("cmdNav2"), "< &Back");
    next_ = Named<QPushButton>(QStringLiteral("cmdNav3"), "&Next >");
    auto* print = Named<QPushButton>(QStringLiteral("cmdNav4"), "&Print");
    next_->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &PrintWizardForm::reject);
    connect(back_, &QPushButton::clicked, this, [this] { Act([this] { model_.Back(); }); });
    connect(next_, &QPushButton::clicked, this, [this] { Act([this] { model_.Next(); }); });
    connect(print, &QPushButton::clicked, this, [this] { Act([this] { model_.Print(); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(back_);
    buttons->addWidget(next_);
    buttons->addSpacing(12);
    if (preview) {
        auto* show = Named<QPushButton>(QStringLiteral("cmdPreview"), "Pre&view");
        connect(show, &QPushButton::clicked, this, [this, preview] {
            // A spacing still being typed decides how many copies share a sheet.
            Act([this] { model_.SpacingFocusLost(); });
            preview();
        });
        buttons->addWidget(show);
    }
    buttons->addWidget(print);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* right = new QVBoxLayout;
    right->addWidget(frames_, 1);
    right->addWidget(rule);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(NavigationPanel());
    layout->addLayout(right, 1);
    ShowModel();
}

QWidget* PrintWizardForm::NavigationPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("NavigationPanel"));
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, kPanelBackground);
    panel->setPalette(p);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(12, 16, 16, 16);
    grid->setVerticalSpacing(14);
    for (int step = 0; step < kWizardSteps; ++step) {
        markers_[static_cast<std::size_t>(step)] = new StepMarker(step);
        QLabel* caption = NamedLabel(QStringLiteral("PageLabel%1").arg(step));
        caption->setText(QString::fromLatin1(PrintWizardModel::StepCaption(step)));
        caption->setCursor(Qt::PointingHandCursor);
        captions_[static_cast<std::size_t>(step)] = caption;
        for (QWidget* clickable :
             {static_cast<QWidget*>(markers_[static_cast<std::size_t>(step)]), static_cast<QWidget*>(caption)}) {
            clickable->setProperty("wizardStep", step);
            clickable->installEventFilter(this);
        }
        grid->addWidget(markers_[static_cast<std::size_t>(step)], step, 0);
        grid->addWidget(caption, step, 1);
    }
    grid->setRowStretch(kWizardSteps, 1);
    return panel;
}

QWidget* PrintWizardForm::StartFrame() {
    auto* orientation = new QGroupBox(QStringLiteral("Orientation"));
    auto* orientationLayout = new QVBoxLayout(orientation);
    const char* orientations[] = {"Portrait", "Landscape"};
    for (int i = 0; i < 2; ++i) {
        orientation_[static_cast<std::size_t>(i)] =
            Named<QRadioButton>(QStringLiteral("OptOrientation%1").arg(i), orientations[i]);
        orientationLayout->addWidget(orientation_[static_cast<std::size_t>(i)]);
        connect(orientation_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { Act([this, i] { model_.ChooseOrientation(i); }); });
    }

    auto* summary = new QGroupBox(QStringLiteral("Print Options"));
    auto* summaryLayout = new QVBoxLayout(summary);
    for (int line = 1; line <= kSummaryLines; ++line) {
        summary_[static_cast<std::size_t>(line - 1)] = NamedLabel(QStringLiteral("POptLabel%1").arg(line));
        summaryLayout->addWidget(summary_[static_cast<std::size_t>(line - 1)]);
    }

    for (int i = 0; i < 2; ++i)
        printerLines_[static_cast<std::size_t>(i)] = NamedLabel(QStringLiteral("PptrLabel%1").arg(i));
    pagesLabels_[0] = NamedLabel(QStringLiteral("LabelPages0"));

    auto* layout = new QGridLayout;
    layout->addWidget(Help("Choose the orientation of the printed pages.  Click Next to go through the print options "
                           "one step at a time, or Print to print the pattern with the options listed below."),
                      0, 0, 1, 2);
    layout->addWidget(printerLines_[0], 1, 0, 1, 2);
    layout->addWidget(printerLines_[1], 2, 0, 1, 2);
    layout->addWidget(orientation, 3, 0, Qt::AlignTop);
    layout->addWidget(summary, 3, 1, 2, 1);
    layout->addWidget(pagesLabels_[0], 4, 0, Qt::AlignTop);
    layout->setRowStretch(5, 1);
    return Frame(kStartStep, layout);
}

QWidget* PrintWizardForm::PageFrame() {
    const char* options[] = {"Print all pages", "Print a single page"};
    auto* layout = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        printOption_[static_cast<std::size_t>(i)] =
            Named<QRadioButton>(QStringLiteral("PrintOption%1").arg(i), options[i]);
        layout->addWidget(printOption_[static_cast<std::size_t>(i)], i, 0, 1, 2);
        connect(printOption_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { Act([this, i] { model_.ChoosePrintOption(i); }); });
    }
    rows_ = NamedList("SelRow");
    columns_ = NamedList("SelCol");
    rowCaption_ = Label("Row");
    columnCaption_ = Label("Column");
    rowCaption_->setBuddy(rows_);
    columnCaption_->setBuddy(columns_);
    connect(rows_, &QComboBox::currentIndexChanged, this,
            [this](int position) { Act([this, position] { model_.SelectRow(position); }); });
    connect(columns_, &QComboBox::currentIndexChanged, this,
            [this](int position) { Act([this, position] { model_.SelectColumn(position); }); });
    auto* lists = new QGridLayout;
    lists->addWidget(rowCaption_, 0, 0);
    lists->addWidget(rows_, 1, 0);
    lists->addWidget(columnCaption_, 0, 1);
    lists->addWidget(columns_, 1, 1);
    lists->setColumnStretch(2, 1);
    layout->addLayout(lists, 2, 0, 1, 2);
    pagesLabels_[1] = NamedLabel(QStringLiteral("LabelPages1"));
    layout->addWidget(pagesLabels_[1], 3, 0, 1, 2);
    layout->addWidget(Help("A pattern larger than the printable area of a page is printed on a grid of pages.  The "
                           "pages are printed row by row from the top, and within each row column by column from the "
                           "left.  To reprint one page of the grid, print a single page and select its row and "
                           "column."),
                      4, 0, 1, 2);
    layout->setRowStretch(5, 1);
    return Frame(kPageStep, layout);
}

QWidget* PrintWizardForm::DrawModeFrame() {
    const char* modes[] = {"Vector Mode ( preferred )", "Bitmap Mode"};
    auto* layout = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        drawMode_[static_cast<std::size_t>(i)] =
            Named<QRadioButton>(QStringLiteral("DrawModeOption%1").arg(i), modes[i]);
        layout->addWidget(drawMode_[static_cast<std::size_t>(i)]);
        connect(drawMode_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { Act([this, i] { model_.ChooseDrawMode(i); }); });
    }
    layout->addWidget(
        Help("The vector mode draws the pattern as a series of vectors directly on the device page.  The bitmap mode "
             "sends a bitmap picture to the printer. Select the bitmap drawing mode only if your printer does not "
             "support drawing directly to the device page.  The bitmap mode may result in a loss of image resolution "
             "creating a jagged line appearance.  Color and paper saver are not available when using the bitmap mode."));
    layout->addStretch();
    return Frame(kDrawModeStep, layout);
}

QWidget* PrintWizardForm::CutLinesFrame() {
    cutLines_ = Named<QCheckBox>(QStringLiteral("CheckCutLines"), "Print Cut Lines ");
    labels_ = Named<QCheckBox>(QStringLiteral("CheckLabels"), "Print a label on each page");
    marks_ = Named<QCheckBox>(QStringLiteral("CheckMarks"), "Print alignment marks at the cut lines");
    testSquare_ = Named<QCheckBox>(QStringLiteral("CheckTestSquare"), "Print a test square");
    map_ = Named<QCheckBox>(QStringLiteral("CheckMap"), "Print an assembly map first");
    // Each box says one choice to the model.
    const std::pair<QCheckBox*, std::function<void(bool)>> boxes[] = {
        {cutLines_, [this](bool on) { model_.SetCutLines(on); }},
        {labels_, [this](bool on) { model_.SetLabels(on); }},
        {marks_, [this](bool on) { model_.SetMarks(on); }},
        {testSquare_, [this](bool on) { model_.SetTestSquare(on); }},
        {map_, [this](bool on) { model_.SetMap(on); }}};
    auto* layout = new QVBoxLayout;
    for (const auto& [box, set] : boxes) {
        connect(box, &QCheckBox::clicked, this, [this, set = set](bool checked) { Act([&set, checked] { set(checked); }); });
        layout->addWidget(box);
    }
    overlap_ = NamedList("OverlapList");
    layout->addLayout(ListRow(overlap_, PrintWizardModel::OverlapItems(), "Glue margin", "mm",
                              [this](int position) { model_.SelectOverlap(position); }));
    layout->addWidget(
        Help("Cut lines are dashed lines printed around the pattern on each page.  Trim each page along its cut "
             "lines (with a glue margin, only the left and top ones) and join the pages to assemble the full size "
             "pattern.  The label in the margin "
             "names each page by its row letter and column number; the triangles on the cut lines meet those of "
             "the neighbouring page.  The test square, printed where the pattern leaves room for it, shows "
             "whether the printer kept the true size.  The assembly map shows the whole pattern on one page with "
             "the grid of pages over it.  A glue margin repeats the neighbouring page's pattern, faintly, "
             "beyond the right and bottom cut lines: starting from the top left page, trim the next page at its "
             "cut line and glue it over the margin, its lines on the faint ones."));
    layout->addStretch();
    return Frame(kCutLinesStep, layout);
}

QWidget* PrintWizardForm::PaperSaverFrame() {
    perPage_ = NamedList("DuplicateCount");
    connect(perPage_, &QComboBox::currentIndexChanged, this,
            [this](int position) { Act([this, position] { model_.SelectPerPage(position); }); });
    spacing_ = new QLineEdit;
    spacing_->setObjectName(QStringLiteral("DuplicateMarginText"));
    spacing_->setMaximumWidth(80);
    spacing_->installEventFilter(this);
    connect(spacing_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetSpacingText(text.toStdString()); });
    units_ = NamedLabel(QStringLiteral("UnitsLabel"));
    alwaysDuplicate_ =
        Named<QCheckBox>(QStringLiteral("AlwaysDuplicate"), "Set Default To Maximium Duplicates Per Page");
    connect(alwaysDuplicate_, &QCheckBox::clicked, this,
            [this](bool checked) { Act([this, checked] { model_.SetAlwaysDuplicate(checked); }); });

    QLabel* countCaption = Label("Patterns Per Page");
    countCaption->setBuddy(perPage_);
    QLabel* spacingCaption = Label("Spacing");
    spacingCaption->setBuddy(spacing_);
    auto* layout = new QGridLayout;
    layout->addWidget(countCaption, 0, 0);
    layout->addWidget(perPage_, 0, 1, Qt::AlignLeft);
    layout->addWidget(spacingCaption, 1, 0);
    layout->addWidget(spacing_, 1, 1, Qt::AlignLeft);
    layout->addWidget(units_, 1, 2);
    layout->addWidget(alwaysDuplicate_, 2, 0, 1, 4);
    layout->addWidget(Help("A pattern much smaller than the page can be printed several times on each sheet of "
                           "paper.  Select the number of patterns per page and the spacing between them."),
                      3, 0, 1, 4);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(4, 1);
    return Frame(kPaperSaverStep, layout);
}

QWidget* PrintWizardForm::CopiesFrame() {
    copies_ = new QLineEdit;
    copies_->setObjectName(QStringLiteral("CopiesText"));
    copies_->setMaximumWidth(60);
    copies_->installEventFilter(this);
    connect(copies_, &QLineEdit::textEdited, this,
            [this](const QString& text) { Act([this, text] { model_.SetCopiesText(text.toStdString()); }); });

    // Spin buttons beside the box; the arrow keys in the box do the same.
    auto* spin = new QWidget;
    spin->setObjectName(QStringLiteral("CopiesUpDown"));
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    const struct {
        Qt::ArrowType arrow;
        int delta;
        const char* name;
    } spinButtons[] = {{Qt::UpArrow, 1, "CopiesUp"}, {Qt::DownArrow, -1, "CopiesDown"}};
    for (const auto& spinButton : spinButtons) {
        const int delta = spinButton.delta;
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(spinButton.name));
        button->setArrowType(spinButton.arrow);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setFixedSize(18, 12);
        spinLayout->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                [this, delta] { Act([this, delta] { model_.StepCopies(delta); }); });
    }

    collate_ = Named<QCheckBox>(QStringLiteral("CollateCheck"), "Collate printed pages");
    connect(collate_, &QCheckBox::clicked, this,
            [this](bool checked) { Act([this, checked] { model_.SetCollate(checked); }); });

    QLabel* caption = Label("Number of copies");
    caption->setBuddy(copies_);
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    box->addWidget(copies_);
    box->addWidget(spin);
    box->addStretch();
    auto* layout = new QVBoxLayout;
    layout->addWidget(caption);
    layout->addLayout(box);
    layout->addWidget(collate_);
    layout->addWidget(
        Help("Collated copies are printed one complete set of pages after the other.  Without "
             "collating, each page is printed as many times as there are copies before the next page."));
    layout->addStretch();
    return Frame(kCopiesStep, layout);
}

QWidget* PrintWizardForm::MirrorFrame() {
    mirror_ = Named<QCheckBox>(QStringLiteral("CheckMirrorImage"), "Print the Mirror Image ");
    connect(mirror_, &QCheckBox::clicked, this,
            [this](bool checked) { Act([this, checked] { model_.SetMirror(checked); }); });
    auto* samples = new QGridLayout;
    samples->addWidget(new MirrorSample("picOriginal", false), 0, 0);
    samples->addWidget(new MirrorSample("picMirror", true), 0, 1);
    samples->addWidget(Label("Original"), 1, 0, Qt::AlignHCenter);
    samples->addWidget(Label("Mirror"), 1, 1, Qt::AlignHCenter);
    samples->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout;
    layout->addWidget(mirror_);
    layout->addLayout(samples);
    layout->addWidget(
        Help("The mirror image prints the pattern flipped from left to right, as seen from the back of "
             "the paper.  Use it when the pattern is traced or cut from the reverse side of the "
             "material."));
    layout->addStretch();
    return Frame(kMirrorStep, layout);
}

QHBoxLayout* PrintWizardForm::ListRow(QComboBox* list, const std::vector<std::string>& items, const char* caption,
                                      const char* units, std::function<void(int)> select) {
    for (const std::string& item : items) list->addItem(QString::fromStdString(item));
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, select = std::move(select)](int position) { Act([&select, position] { select(position); }); });
    QLabel* label = Label(caption);
    label->setBuddy(list);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(list);
    row->addWidget(Label(units));
    row->addStretch();
    return row;
}

QWidget* PrintWizardForm::CirclesFrame() {
    circleDegrees_ = NamedList("CircleDegrees");
    auto* layout = new QVBoxLayout;
    layout->addLayout(ListRow(circleDegrees_, PrintWizardModel::CircleItems(), "Draw Circles In Arcs Of", "Degrees",
                              [this](int position) { model_.SelectCircleDegrees(position); }));
    layout->addWidget(
        Help("Circles that cross a page boundary, such that a portion of the circle is printed on more than one page, "
             "are printed in arc segments.  The length of the arc segment may be adjusted to control the circles' "
             "smoothness.  One degree is the smoothest but requires more computer and printer memory and will print "
             "slower.  Five degree arcs is the default setting and prints smooth circles at a reasonably quick "
             "speed.  Printers and PDF files that can limit drawing to the page region print these circles whole; "
             "the arc segments are for those that cannot."));
    layout->addStretch();
    return Frame(kCirclesStep, layout);
}

// Every user action goes through the model; the dialog then shows the
// outcome, or closes when the model has.
template <class Action>
void PrintWizardForm::Act(Action action) {
    action();
    if (!model_.Closed()) return ShowModel();
    if (model_.DidCancel()) {
        QDialog::reject();
    } else {
        QDialog::accept();
    }
}

void PrintWizardForm::reject() {
    model_.Cancel();
    QDialog::reject();
}

void PrintWizardForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The window system's own show (a restore) is no new showing.
    if (event->spontaneous()) return;
    const bool printable = model_.Activate();
    ShowModel();
    // Closing from within the show would leave a modal loop running on a
    // hidden dialog.
    if (!printable)
        QMetaObject::invokeMethod(
            this, [this] { QDialog::reject(); }, Qt::QueuedConnection);
}

bool PrintWizardForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant step = watched->property("wizardStep");
        if (step.isValid()) {
            Act([this, &step] { model_.ShowStep(step.toInt()); });
            return true;
        }
    }
    if (watched == spacing_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = TypedCharacter(*static_cast<QKeyEvent*>(event));
            if (key == 0) return false;
            const bool insert = model_.SpacingKey(key);
            ShowModel();
            return !insert;
        }
        if (event->type() == QEvent::FocusOut) Act([this] { model_.SpacingFocusLost(); });
    }
    if (watched == copies_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Act([this, key] { model_.StepCopies(key == Qt::Key_Up ? 1 : -1); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PrintWizardForm::ShowModel() {
    setWindowTitle(QString::fromStdString(model_.Caption()));
    for (int step = 0; step < kWizardSteps; ++step) {
        const QColor marker = Swatch(model_.Marker(step));
        SetTextColour(markers_[static_cast<std::size_t>(step)], marker);
        SetTextColour(captions_[static_cast<std::size_t>(step)],
                      model_.CaptionWhite(step) ? QColor(Qt::white) : marker);
    }
    frames_->setCurrentIndex(model_.VisibleFrame());

    orientation_[static_cast<std::size_t>(model_.OrientationOption())]->setChecked(true);
    ShowText(printerLines_[0], model_.PrinterLine());
    ShowText(printerLines_[1], model_.OrientationLine());
    for (QLabel* label : pagesLabels_) ShowText(label, model_.PagesText());
    for (int line = 1; line <= kSummaryLines; ++line) {
        ShowText(summary_[static_cast<std::size_t>(line - 1)], model_.Summary(line));
    }

    printOption_[static_cast<std::size_t>(model_.PrintOption())]->setChecked(true);
    ShowList(rows_, model_.RowItems(), model_.RowPosition());
    ShowList(columns_, model_.ColumnItems(), model_.ColumnPosition());
    for (QWidget* widget : {static_cast<QWidget*>(rows_), static_cast<QWidget*>(columns_),
                            static_cast<QWidget*>(rowCaption_), static_cast<QWidget*>(columnCaption_)}) {
        widget->setEnabled(model_.PageListsEnabled());
    }

    drawMode_[static_cast<std::size_t>(model_.DrawModeOption())]->setChecked(true);
    cutLines_->setChecked(model_.PrintCutLine());
    labels_->setChecked(model_.PrintLabels());
    marks_->setChecked(model_.PrintMarks());
    testSquare_->setChecked(model_.PrintTestSquare());
    map_->setChecked(model_.PrintMap());
    {
        const QSignalBlocker block(overlap_);
        overlap_->setCurrentIndex(model_.OverlapMillimetres());
    }

    ShowList(perPage_, model_.PerPageItems(), model_.PerPagePosition());
    ShowText(spacing_, model_.SpacingText());
    ShowText(units_, model_.UnitsLabel());
    alwaysDuplicate_->setChecked(model_.AlwaysDuplicate());

    ShowText(copies_, model_.CopiesText());
    collate_->setChecked(model_.Collate());
    mirror_->setChecked(model_.PrintMirrorImage());
    {
        const QSignalBlocker block(circleDegrees_);
        circleDegrees_->setCurrentIndex(model_.CirclePosition());
    }

    back_->setEnabled(model_.BackEnabled());
    next_->setEnabled(model_.NextEnabled());
}

}  // namespace tessary
