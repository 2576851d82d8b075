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
    void PlacePalette(const QWidget& mainWindow, const QWidget& workWindow);

signals:
    void engineChanged();

private:
    Workspace& ws_;
    QStackedWidget* frames_;
    std::array<QToolButton*, 2> lineBoxes_{};
    std::array<QRadioButton*, 2> boxOptions_{};
    std::array<QPushButton*, 2> arcCommands_{};
    std::array<QLabel*, 4> arcPoints_{};
};

}  // namespace tessary
