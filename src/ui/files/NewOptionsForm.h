#pragma once

#include <QDialog>

namespace tessary {

// The chooser that starts a new pattern: trace a picture, a blank page, or
// cancel. Its result is the choice: 0, 1 or 2.
class NewOptionsForm : public QDialog {
    Q_OBJECT
public:
    enum Choice { TracePicture = 0, BlankPage = 1, CancelChoice = 2 };
    explicit NewOptionsForm(QWidget* owner);
    int Choice() const { return choice_; }
    void ChooseNewOption(int choice);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int choice_ = CancelChoice;
};

}  // namespace tessary
