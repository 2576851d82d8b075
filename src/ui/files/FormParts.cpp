#include "ui/files/FormParts.h"

#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <utility>

namespace tessary {

namespace {

constexpr const char* kPatternOptionsText =
    "Pattern options determine how the pattern appears when printed.  The pattern options are saved with each "
    "pattern.  When you open a previously saved pattern it will contain the settings previously saved with the "
    "pattern. Changing the pattern options will not affect the pattern as shown on the display. ";
constexpr const char* kDisplayOptionsText =
    "Display options determine how the pattern appears on your display.  The display options are saved within your "
    "system registry.  The display options are not saved with the individual patterns.  When you open a previously "
    "saved pattern it will be shown on the display with the current display option settings.  Changing the display "
    "options will not affect the printed pattern.";

}  // namespace

QLabel* Label(const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* Help(const char* text) {
    QLabel* label = Label(text);
    label->setWordWrap(true);
    return label;
}

QLabel* Heading(const char* text) {
    QLabel* label = Label(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QWidget* InstructionsPage(bool displayFirst, const char* patternHeading, const char* displayHeading) {
    const std::pair<const char*, const char*> pattern{patternHeading, kPatternOptionsText};
    const std::pair<const char*, const char*> display{displayHeading, kDisplayOptionsText};
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (const auto& [heading, text] : displayFirst ? std::array{display, pattern} : std::array{pattern, display}) {
        if (layout->count() > 0) layout->addSpacing(12);
        layout->addWidget(Heading(heading));
        layout->addWidget(Help(text));
    }
    layout->addStretch();
    return page;
}

}  // namespace tessary
