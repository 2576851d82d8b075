#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

namespace tessary {

class Workspace;

// "Drawing Control": the options of the current draw tool, bound to the
// engine's palette state. Every click goes to the engine; Refresh shows
// what the engine then holds.
class DrawToolsForm : public QWidget {
    Q_OBJECT
public:
    DrawToolsForm(Workspace& ws, QWidget* owner);
    void Refresh();

signals:
    void engineChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Workspace& ws_;
    QStackedWidget* frames_;
    std::array<QToolButton*, 4> lineBoxes_{};
    QWidget* shapeToolbar_ = nullptr;
    std::array<QToolButton*, 3> shapeButtons_{};
    QLabel* exampleTool_ = nullptr;
    std::array<QRadioButton*, 8> directions_{};
    std::array<QRadioButton*, 2> boxOptions_{};
    std::array<QPushButton*, 2> arcCommands_{};
    std::array<QLabel*, 4> arcPoints_{};
};

}  // namespace tessary
