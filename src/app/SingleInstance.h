#pragma once

#include <QLocalServer>
#include <QObject>

namespace tessary {

// One copy per user: the first copy listens on a per-user local socket; a
// later copy finds it there, asks it to come to the front, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    // True when another copy is running (and has been asked to come forward).
    bool AnotherIsRunning();
    // Starts listening for later copies.
    void Listen();

signals:
    void activationRequested();

private:
    QString name_;
    QLocalServer server_;
};

}  // namespace tessary
