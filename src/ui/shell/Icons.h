#pragma once

#include <QIcon>
#include <QPalette>
#include <QString>

namespace tessary {

// Tessary's own icons (resources/icons). They are drawn in one ink, which
// turns light on a dark palette so they read on either.
QIcon ThemedIcon(const QString& name, const QPalette& palette);
// The program's icon, in its own colours.
QIcon ProgramIcon();

}  // namespace tessary
