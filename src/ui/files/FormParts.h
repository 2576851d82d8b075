#pragma once

#include <QLabel>
#include <QString>

class QWidget;

namespace tessary {

// The pieces the two setup dialogs are built of.
QLabel* Label(const char* text);
QLabel* Help(const char* text);  // a paragraph, wrapped
QLabel* Heading(const char* text);

template <class Control>
Control* Named(const char* name, const char* caption) {
    auto* control = new Control(QString::fromLatin1(caption));
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// What the pattern options and the display options are, for each dialog's
// "Instructions" tab: its own options first, under the headings given.
QWidget* InstructionsPage(bool displayFirst, const char* patternHeading, const char* displayHeading);

}  // namespace tessary
