#pragma once

#include <QWidget>

class QLabel;

namespace tessary {

// "Mouse Panel": what the left and the right button do in the current mode.
class MouseForm : public QWidget {
    Q_OBJECT
public:
    explicit MouseForm(QWidget* owner);
    void SetMouseHelp(const QString& left, const QString& right);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* left_;
    QLabel* right_;
};

}  // namespace tessary
