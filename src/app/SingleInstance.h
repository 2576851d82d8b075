#pragma once

#include <QLocalServer>
#include <QObject>

namespace tessary {

// One copy per user: the first copy listens on a per-user local socket; a
// later copy finds it there, hands it its command line, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    // True when another copy is running and has taken the command line (the
    // file to open, or empty) to come forward with.
    bool AnotherIsRunning(const QString& commandLine);
    // Starts listening for later copies.
    void Listen();

signals:
    void activationRequested(const QString& commandLine);

private:
    QString name_;
    QLocalServer server_;
};

}  // namespace tessary
