#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/files/PatternSetup.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace tessary {

class CommandDialogs;
class Session;
class LineSample;

// The Pattern Setup dialog: the controls of PatternSetupModel. Every key
// typed into a box passes the model's filter first.
class DimensionForm : public QDialog {
    Q_OBJECT

public:
    DimensionForm(Session& session, CommandDialogs& dialogs, QWidget* parent = nullptr, bool forNewPattern = false);

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* SizeTab();
    QWidget* PenTab();
    QWidget* BitmapTab();
    QLineEdit* AddBox(SetupBox box, const char* name);
    std::optional<SetupBox> BoxOf(const QObject* object) const;
    void CommitFocusedBox();
    void ChangeColour();
    void ShowModel();

    CommandDialogs& dialogs_;
    PatternSetupModel model_;
    std::array<QLineEdit*, kSetupBoxCount> boxes_{};
    std::array<QRadioButton*, 2> patternUnits_{};
    std::array<QRadioButton*, 2> penUnits_{};
    QTabWidget* tabs_ = nullptr;
    QCheckBox* aspect_ = nullptr;
    QCheckBox* blackOnly_ = nullptr;
    QPushButton* changeColour_ = nullptr;
    LineSample* colourSample_ = nullptr;
    QGroupBox* penFrame_ = nullptr;
    QSlider* penSlider_ = nullptr;
    LineSample* penSample_ = nullptr;
};

}  // namespace tessary
