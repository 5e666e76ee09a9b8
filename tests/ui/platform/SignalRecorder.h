// Records the D-Bus messages delivered to its slot (the launcher's Update
// signals in the tests).
#pragma once

#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QVariantList>

namespace s::platform::qt::test {

class SignalRecorder : public QObject {
    Q_OBJECT
public:
    QList<QVariantList> received;
public slots:
    void onMessage(const QDBusMessage& message) { received.append(message.arguments()); }
};

}  // namespace s::platform::qt::test
