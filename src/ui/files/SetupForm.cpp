#include "ui/files/SetupForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/engine/Workspace.h"
#include "core/services/AppTitle.h"
#include "ui/files/FormParts.h"
#include "ui/files/LineSample.h"

namespace tessary {

namespace {

// A frame of one tab, holding the tab's controls above their explanation.
QWidget* Page(QGroupBox* frame) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

std::string Indexed(const char* name, int index) { return name + std::to_string(index); }


}  // namespace

// A ruler of kRulerInches inches drawn as many pixels long as the slider says:
// inches and their eighths above, centimetres and millimetres below.
class ScreenRuler : public QWidget {
public:
    ScreenRuler() {
        setObjectName(QStringLiteral("ScreenRuler"));
        setMinimumSize(kRulerRange.maximum + 24, 64);
    }
    void SetLength(int pixels) {
        length_ = pixels;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QPen(Qt::black, 1));
        const double left = 12, middle = height() / 2.0;
        const double perInch = length_ / static_cast<double>(kRulerInches);
        p.drawLine(QPointF(left, middle), QPointF(left + length_, middle));
        for (int i = 0; i <= kRulerInches * 8; ++i) {
            const double x = left + i * perInch / 8;
            const double tick = i % 8 == 0 ? 22 : (i % 4 == 0 ? 14 : (i % 2 == 0 ? 10 : 6));
            p.drawLine(QPointF(x, middle), QPointF(x, middle - tick));
            if (i % 8 == 0 && i > 0) p.drawText(QPointF(x + 3, middle - 12), QStringLiteral("%1 in").arg(i / 8));
        }
        const double perMillimetre = perInch / 25.4;
        for (int mm = 0; mm * perMillimetre <= length_ + 0.01; ++mm) {
            const double x = left + mm * perMillimetre;
            const double tick = mm % 10 == 0 ? 18 : (mm % 5 == 0 ? 11 : 6);
            p.drawLine(QPointF(x, middle), QPointF(x, middle + tick));
            if (mm % 10 == 0 && mm > 0) p.drawText(QPointF(x + 3, middle + 22), QStringLiteral("%1").arg(mm / 10));
        }
    }

private:
    int length_ = 0;
};

SetupForm::SetupForm(Workspace& ws, CommandDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      model_(ws, dialogs),
      twipsPerPixel_(ws.surface.TwipsPerPixel > 0 ? ws.surface.TwipsPerPixel : 15),
      systemTwips_(logicalDpiX() > 0 ? 1440.0 / logicalDpiX() : 15) {
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Display Options - ") + QString::fromLatin1(kAppTitle));

    tabs_ = new QTabWidget;
    // Every tab in sight and whole: the dialog is as wide as its tabs.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->addTab(InstructionsPage(true, "Pattern Options   (accessible from menu Options--Pattern Setup...)",
                                   "Display Options"),
                  QStringLiteral("Instructions"));
    tabs_->addTab(ColourTab(), QStringLiteral("Pen Color"));
    penSample_ = new LineSample("picPenSizeExample", QSize(160, 40), 1);
    tabs_->addTab(SliderTab({"MonitorPenSizeFrame", "MontiorPenSizeSelect", kMonitorPenRange, 1, 1, "thin", "thick",
                             "The monitor pen size sets the pattern line width as viewed on the monitor.  The pen size "
                             "does not change when the image is zoomed in or out.  Changing the monitor pen size does "
                             "not change the printed pattern pen size.  See Options-Pattern Setup-Pen Size to change "
                             "the printed pattern pen."},
                            penSample_, &DisplaySetupModel::SetPenSlider, penFrame_, penSlider_),
                  QStringLiteral("Pen Size"));
    // Long enough for the longest segment on this screen.
    const int longest = static_cast<int>(std::ceil(kTraceSegmentRange.maximum / twipsPerPixel_));
    traceSample_ = new LineSample("TraceLineExample", QSize(std::max(160, longest + 8), 40), 2);
    tabs_->addTab(SliderTab({"TraceLengthFrame", "TraceLengthSelect", kTraceSegmentRange, 10, 50, "shorter", "longer",
                             "Sets the length of trace and arc line segments.  To give curves a smoother look, make "
                             "the segment length shorter.  However, short segments consume more memory and may cause "
                             "your system to slow down while drawing."},
                            traceSample_, &DisplaySetupModel::SetTraceSlider, traceFrame_, traceSlider_),
                  QStringLiteral("Optimize"));
    tabs_->addTab(ChecksTab("Message Boxes", "AlertMsgCheck",
                            {"Show warnings in setting display options", "Show warnings in setting pattern options"},
                            "Message boxes inform the user when an erroneous value has been entered.  Turning off the "
                            "message box option will enable expert users to work uninterrupted.",
                            alerts_, &DisplaySetupModel::SetAlert),
                  QStringLiteral("Messages"));
    tabs_->addTab(ChecksTab("Alert Sounds", "AlertSoundCheck",
                            {"Beep for warnings in setting display options", "Beep for warnings in setting pattern options"},
                            "Alert sounds inform the user when an erroneous value has been entered.  Turning off the "
                            "alert sound option will enable expert users to work uninterrupted.",
                            sounds_, &DisplaySetupModel::SetSound),
                  QStringLiteral("Sounds"));
    tabs_->addTab(FolderTab(DisplaySetup::PatternFolder,
                            "Pattern files are opened from and saved to this folder first.  Choose a lasting folder "
                            "on a fixed drive, such as one in your Documents folder."),
                  QStringLiteral("Pattern Directory"));
    tabs_->addTab(FolderTab(DisplaySetup::PictureFolder,
                            "The picture dialog of a new pattern starts in this folder."),
                  QStringLiteral("Image Directory"));
    tabs_->addTab(FolderTab(DisplaySetup::TemporaryFolder,
                            "While it is in use the program keeps its temporary files, such as the picture of the "
                            "open pattern, in this folder."),
                  QStringLiteral("&Temporary Directory"));
    tabs_->addTab(ScreenTab(), QStringLiteral("Screen &Size"));
    tabs_->setCurrentIndex(model_.CurrentTab());
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { model_.SetCurrentTab(tab); });

    auto* ok = Named<QPushButton>("WinButton0", "&OK");
    auto* cancel = Named<QPushButton>("WinButton1", "&Cancel");
    auto* apply = Named<QPushButton>("WinButton2", "&Apply");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SetupForm::accept);
    connect(cancel, &QPushButton::clicked, this, &SetupForm::reject);
    connect(apply, &QPushButton::clicked, this, [this] {
        model_.Apply();
        emit applied();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ok, cancel, apply}) buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    ShowModel();
}

QWidget* SetupForm::ColourTab() {
    const char* frames[] = {"Monitor Pattern Color", "Selected Object Color"};
    const char* help[] = {"Sets the color of the pattern line as viewed on the display.  Select a color that enables "
                          "you to best see the pattern when viewing both the digital image and pattern.",
                          "Sets the color of the pattern line selected for editing.  Select a color that distinguishes "
                          "a selected line from the rest of the pattern and is easy to view."};
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (int i = 0; i < 2; ++i) {
        auto* frame = new QGroupBox(QString::fromLatin1(frames[i]));
        auto* grid = new QGridLayout(frame);
        colourSamples_[i] = new LineSample(Indexed("lineColorExample", i).c_str(), QSize(120, 24), 4);
        auto* change = Named<QPushButton>(Indexed("cmdColorChange", i).c_str(), "Change Color");
        connect(change, &QPushButton::clicked, this, [this, i] {
            model_.ChangeColour(i);
            ShowModel();
        });
        grid->addWidget(change, 0, 0, Qt::AlignLeft);
        grid->addWidget(colourSamples_[i], 0, 1);
        grid->addWidget(Help(help[i]), 1, 0, 1, 2);
        layout->addWidget(frame);
    }
    layout->addStretch();
    return page;
}

QWidget* SetupForm::SliderTab(const SliderTabParts& parts, LineSample* sample, void (DisplaySetupModel::*set)(int),
                              QGroupBox*& frame, QSlider*& slider) {
    frame = new QGroupBox;
    frame->setObjectName(QString::fromLatin1(parts.frame));
    slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QString::fromLatin1(parts.slider));
    slider->setRange(parts.range.minimum, parts.range.maximum);
    slider->setSingleStep(parts.singleStep);
    slider->setPageStep(parts.pageStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(parts.pageStep);
    connect(slider, &QSlider::valueChanged, this, [this, set](int value) {
        (model_.*set)(value);
        ShowModel();
    });
    auto* grid = new QGridLayout(frame);
    grid->addWidget(Label(parts.low), 0, 0);
    grid->addWidget(slider, 0, 1);
    grid->addWidget(Label(parts.high), 0, 2);
    grid->addWidget(sample, 1, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(Help(parts.help), 2, 0, 1, 3);
    return Page(frame);
}

QWidget* SetupForm::ChecksTab(const char* frame, const char* names, const std::array<const char*, 2>& captions,
                              const char* help, std::array<QCheckBox*, 2>& checks,
                              void (DisplaySetupModel::*set)(int, bool)) {
    auto* box = new QGroupBox(QString::fromLatin1(frame));
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < 2; ++i) {
        checks[i] = Named<QCheckBox>(Indexed(names, i).c_str(), captions[i]);
        connect(checks[i], &QCheckBox::clicked, this, [this, set, i](bool on) { (model_.*set)(i, on); });
        layout->addWidget(checks[i]);
    }
    layout->addWidget(Help(help));
    return Page(box);
}

QWidget* SetupForm::FolderTab(int folder, const char* note) {
    auto* box = new QGroupBox(QString::fromLatin1(FolderPurpose(folder)));
    folders_[folder] = new QLineEdit;
    folders_[folder]->setObjectName(QString::fromStdString(Indexed("FileDir", folder)));
    folders_[folder]->setReadOnly(true);
    auto* browse = Named<QPushButton>(Indexed("cmdBrowse", folder).c_str(), "&Browse...");
    connect(browse, &QPushButton::clicked, this, [this, folder] {
        model_.ChooseFolder(folder);
        ShowModel();
    });
    auto* grid = new QGridLayout(box);
    grid->addWidget(folders_[folder], 0, 0);
    grid->addWidget(browse, 0, 1);
    grid->addWidget(Help(note), 1, 0, 1, 2);
    return Page(box);
}

QWidget* SetupForm::ScreenTab() {
    screenFrame_ = new QGroupBox;
    screenFrame_->setObjectName(QStringLiteral("ScreenSizeFrame"));
    ruler_ = new ScreenRuler;
    rulerSlider_ = new QSlider(Qt::Horizontal);
    rulerSlider_->setObjectName(QStringLiteral("ScreenRulerSelect"));
    rulerSlider_->setRange(kRulerRange.minimum, kRulerRange.maximum);
    rulerSlider_->setPageStep(10);
    connect(rulerSlider_, &QSlider::valueChanged, this, [this](int pixels) {
        model_.SetRulerPixels(pixels);
        ShowModel();
    });
    auto* system = Named<QPushButton>("cmdScreenSystem", "Use the System's Size");
    connect(system, &QPushButton::clicked, this, [this] {
        model_.UseSystemScreen();
        ShowModel();
    });
    auto* grid = new QGridLayout(screenFrame_);
    grid->addWidget(Label("shorter"), 0, 0);
    grid->addWidget(rulerSlider_, 0, 1);
    grid->addWidget(Label("longer"), 0, 2);
    grid->addWidget(ruler_, 1, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(system, 2, 0, 1, 3, Qt::AlignLeft);
    grid->addWidget(Help("Hold a real ruler against the screen and move the slider until the ruler above is as long "
                         "as it: 3 inches or 7.6 cm.  Zoom 100 % then shows the pattern at its true size on this "
                         "screen.  The measurement changes only the screen, never a pattern or a print."),
                    3, 0, 1, 3);
    return Page(screenFrame_);
}

void SetupForm::accept() {
    model_.Ok();
    QDialog::accept();
}

void SetupForm::reject() {
    switch (model_.Cancel()) {
        case CancelOutcome::StayOpen: break;
        case CancelOutcome::Applied: QDialog::accept(); break;
        case CancelOutcome::Discarded: QDialog::reject(); break;
    }
}

void SetupForm::ShowModel() {
    const DisplaySetup& c = model_.Controls();
    for (int i = 0; i < 2; ++i) {
        colourSamples_[i]->SetColour(c.GetColour(i));
        alerts_[i]->setChecked(c.GetAlert(i));
        sounds_[i]->setChecked(c.GetSound(i));
    }
    for (int i = 0; i < 3; ++i) folders_[i]->setText(QString::fromStdString(c.GetFolder(i)));
    {
        const QSignalBlocker blockPen(penSlider_);
        const QSignalBlocker blockTrace(traceSlider_);
        penSlider_->setValue(c.MonitorPen());
        traceSlider_->setValue(c.TraceSegment());
    }
    {
        const QSignalBlocker blockRuler(rulerSlider_);
        rulerSlider_->setValue(model_.RulerPixels(systemTwips_));
    }
    ruler_->SetLength(model_.RulerPixels(systemTwips_));
    screenFrame_->setTitle(QStringLiteral("Screen Size: ") + QString::fromStdString(model_.ScreenCaption(systemTwips_)));
    penFrame_->setTitle(QString::fromStdString(model_.PenSizeCaption()));
    traceFrame_->setTitle(QString::fromStdString(model_.TraceCaption()));
    penSample_->SetPenWidth(c.MonitorPen());
    traceSample_->SetLength(static_cast<int>(std::lround(c.TraceSegment() / twipsPerPixel_)));
    for (LineSample* sample : {penSample_, traceSample_}) sample->SetColour(c.GetColour(0));
}

}  // namespace tessary
