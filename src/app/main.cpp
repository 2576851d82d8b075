// tessary: the desktop program.

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "app/SingleInstance.h"
#include "core/services/AppTitle.h"
#include "ui/shell/Icons.h"
#include "ui/shell/MainForm.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tessary::kAppTitle));
    QApplication::setOrganizationName(QString::fromLatin1(tessary::kAppTitle));
    QApplication::setWindowIcon(tessary::ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("tessary"));

    // The whole command line is one file name, spaces and all.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    tessary::SingleInstance instance;
    // A copy already running opens the file itself, from its own folder.
    QString forRunningCopy = commandLine;
    const QFileInfo named(QString(commandLine).remove(QLatin1Char('"')));
    if (!commandLine.isEmpty() && named.isRelative()) forRunningCopy = named.absoluteFilePath();
    if (instance.AnotherIsRunning(forRunningCopy)) return 0;
    instance.Listen();

    tessary::MainForm window;
    QObject::connect(&instance, &tessary::SingleInstance::activationRequested, &window,
                     [&window](const QString& text) {
                         if (window.isMinimized()) window.showNormal();
                         window.raise();
                         window.activateWindow();
                         if (!text.isEmpty()) window.OpenWhenFree(text);
                     });
    window.show();
    window.OfferRecovery();
    if (!commandLine.isEmpty()) window.OpenFromCommandLine(commandLine);
    return QApplication::exec();
}
