// tessary: the desktop program.

#include <QApplication>
#include <QStringList>

#include "app/SingleInstance.h"
#include "core/shell/AppTitle.h"
#include "core/shell/Messages.h"
#include "ui/platform/QtMessagePresenter.h"
#include "ui/shell/MainForm.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tessary::kAppTitle));
    QApplication::setOrganizationName(QString::fromLatin1(tessary::kAppTitle));

    tessary::SingleInstance instance;
    if (instance.AnotherIsRunning()) {
        tessary::QtMessagePresenter presenter;
        tessary::Messages(presenter).MsgAlreadyRunning();
        return 0;
    }
    instance.Listen();

    tessary::MainForm window;
    QObject::connect(&instance, &tessary::SingleInstance::activationRequested, &window, [&window] {
        if (window.isMinimized()) window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    // The whole command line is one file name, spaces and all.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty()) window.OpenFromCommandLine(arguments.join(QLatin1Char(' ')));
    return QApplication::exec();
}
