#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include "core/platform/ProgressWindow.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tessary {

// ProgressForm: a header, a bar and an optional Cancel button, centred on
// the main window. It appears only once a pass has run for a moment, then
// repaints and lets events run at most about 30 times a second, so a long
// pass is not slowed by its own progress display.
class ProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit ProgressForm(QWidget* owner);
    void EnableCancel(bool on);
    bool Cancelled() const { return cancelled_; }
    QLabel* HeaderText;
    QProgressBar* Bar;
    QPushButton* CommandCancel;

private:
    bool cancelled_ = false;
};

class QtProgressWindow : public ProgressWindow {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void Open(const std::string& header, int minimum, int maximum, bool allowCancel) override;
    void SetValue(int value) override;
    void PumpEvents() override;
    bool Cancelled() const override { return form_ && form_->Cancelled(); }
    void Close() override;
    ProgressForm* Form() const { return form_; }

private:
    QPointer<QWidget> owner_;
    QPointer<ProgressForm> form_;
    QElapsedTimer opened_;
    QElapsedTimer sinceShown_;
    int value_ = 0;
};

}  // namespace tessary
