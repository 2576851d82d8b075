#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>

#include "core/print/PrintWizard.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tessary {

class StepMarker;

// The Pattern Print Wizard dialog: the controls of a PrintWizardModel, which
// the caller owns, sets up before showing and reads once it has closed.
// Every showing activates the model; a layout with nothing printable closes
// the dialog again at once, cancelled.
class PrintWizardForm : public QDialog {
    Q_OBJECT

public:
    // preview, when given, shows the pages of the choices made so far.
    explicit PrintWizardForm(PrintWizardModel& model, QWidget* parent = nullptr,
                             std::function<void()> preview = nullptr);

    // The colour a marker of this kind is drawn in.
    static QColor Swatch(MarkerColour colour);

    // Cancel, Escape and the window's close box.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* NavigationPanel();
    QWidget* StartFrame();
    QWidget* PageFrame();
    QWidget* DrawModeFrame();
    QWidget* CutLinesFrame();
    QWidget* PaperSaverFrame();
    QWidget* CopiesFrame();
    QWidget* MirrorFrame();
    QWidget* CirclesFrame();
    // The list, filled with items, between its caption and its units.
    QHBoxLayout* ListRow(QComboBox* list, const std::vector<std::string>& items, const char* caption, const char* units,
                         std::function<void(int)> select);
    template <class Action>
    void Act(Action action);
    void ShowModel();

    PrintWizardModel& model_;
    std::array<StepMarker*, kWizardSteps> markers_{};
    std::array<QLabel*, kWizardSteps> captions_{};
    QStackedWidget* frames_ = nullptr;

    std::array<QRadioButton*, 2> orientation_{};
    std::array<QLabel*, 2> printerLines_{};
    std::array<QLabel*, 2> pagesLabels_{};
    std::array<QLabel*, kSummaryLines> summary_{};

    std::array<QRadioButton*, 2> printOption_{};
    QLabel* rowCaption_ = nullptr;
    QLabel* columnCaption_ = nullptr;
    QComboBox* rows_ = nullptr;
    QComboBox* columns_ = nullptr;

    std::array<QRadioButton*, 2> drawMode_{};
    QCheckBox* cutLines_ = nullptr;
    QCheckBox* labels_ = nullptr;
    QCheckBox* marks_ = nullptr;
    QCheckBox* testSquare_ = nullptr;
    QCheckBox* map_ = nullptr;
    QComboBox* overlap_ = nullptr;

    QComboBox* perPage_ = nullptr;
    QLineEdit* spacing_ = nullptr;
    QLabel* units_ = nullptr;
    QCheckBox* alwaysDuplicate_ = nullptr;

    QLineEdit* copies_ = nullptr;
    QCheckBox* collate_ = nullptr;

    QCheckBox* mirror_ = nullptr;
    QComboBox* circleDegrees_ = nullptr;

    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
};

}  // namespace tessary
