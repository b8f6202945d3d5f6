#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP as a request to stop, answered in the event loop: the handler
// only writes the signal's number to a socket pair, whose other end the loop reads. One at
// a time; a second signal after the first ends the program as if nothing handled it.
class StopSignals : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    // Restores the handlers that were there before.
    ~StopSignals() override;

    // False when the handlers could not be installed.
    bool isValid() const { return m_notifier != nullptr; }

signals:
    // "SIGINT", "SIGTERM" or "SIGHUP".
    void stopRequested(const QString &signalName);

private:
    void onReadable();

    QSocketNotifier *m_notifier = nullptr;
};
