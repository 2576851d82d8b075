#pragma once

#include <QDialog>
#include <array>

#include "core/engine/DisplaySetupModel.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QSlider;
class QTabWidget;

namespace tessary {

class ScreenRuler;

class CommandDialogs;
class LineSample;
class Workspace;

// The Display Setup dialog: the controls of DisplaySetupModel. A working
// folder is shown as its path with a button that opens the desktop's folder
// dialog.
class SetupForm : public QDialog {
    Q_OBJECT

public:
    SetupForm(Workspace& ws, CommandDialogs& dialogs, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

signals:
    // Apply put the settings into effect: the pattern shows them now.
    void applied();

private:
    struct SliderTabParts {
        const char* frame;
        const char* slider;
        SliderRange range;
        int singleStep;
        int pageStep;
        const char* low;  // the words at the slider's two ends
        const char* high;
        const char* help;
    };

    QWidget* ColourTab();
    // A slider in a frame the caller captions, its sample below it.
    QWidget* SliderTab(const SliderTabParts& parts, LineSample* sample, void (DisplaySetupModel::*set)(int),
                       QGroupBox*& frame, QSlider*& slider);
    QWidget* ChecksTab(const char* frame, const char* names, const std::array<const char*, 2>& captions,
                       const char* help, std::array<QCheckBox*, 2>& checks, void (DisplaySetupModel::*set)(int, bool));
    QWidget* FolderTab(int folder, const char* note);
    // A ruler to hold a real one against, stretched by a slider.
    QWidget* ScreenTab();
    void ShowModel();

    DisplaySetupModel model_;
    double twipsPerPixel_;
    QTabWidget* tabs_ = nullptr;
    std::array<LineSample*, 2> colourSamples_{};
    std::array<QCheckBox*, 2> alerts_{};
    std::array<QCheckBox*, 2> sounds_{};
    std::array<QLineEdit*, 3> folders_{};
    QGroupBox* penFrame_ = nullptr;
    QSlider* penSlider_ = nullptr;
    LineSample* penSample_ = nullptr;
    QGroupBox* traceFrame_ = nullptr;
    QSlider* traceSlider_ = nullptr;
    LineSample* traceSample_ = nullptr;
    // Twips per window pixel as the system gives them.
    double systemTwips_;
    QGroupBox* screenFrame_ = nullptr;
    QSlider* rulerSlider_ = nullptr;
    ScreenRuler* ruler_ = nullptr;
};

}  // namespace tessary
