#pragma once

#include <QDialog>

namespace tessary {

// "About Tessary": the banner, the program's name and version, what it does
// and who makes it.
class AboutForm : public QDialog {
    Q_OBJECT
public:
    explicit AboutForm(QWidget* parent = nullptr);
};

}  // namespace tessary
