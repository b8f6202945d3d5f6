// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_broker_client.h"
#include "fakes/fake_platform.h"
#include "panel/panel_model.h"
#include "program/program.h"
#include "publish/publishing_model.h"
#include "ui/desk.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// The "Publishing" window on a broker connection the test drives: what its fields start,
// what it refuses, and how it shows the state.
class TestPublishingWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void publishesWithTheFieldsAndStops();
    void refusesWhatCannotBeUsed_data();
    void refusesWhatCannotBeUsed();

private:
    void fill(const QString &url, const QString &ca, const QString &user, const QString &password,
              const QString &name);
    QString status() const {
        return m_view->findChild<QLabel *>(QStringLiteral("LblPublishingStatus"))->text();
    }
    void press(const char *button) {
        m_view->findChild<QPushButton *>(QLatin1String(button))->click();
    }

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    FakeBrokerClient m_broker;
    std::unique_ptr<PublishingSession> m_session;
    std::unique_ptr<QWidget> m_view;
};

void TestPublishingWindow::init() {
    m_broker = FakeBrokerClient();
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(m_fakes->platform());
    m_session = std::make_unique<PublishingSession>(m_broker, m_program->sampler(),
                                                    m_program->panel(), m_program->recorder(),
                                                    m_fakes->clock, QStringLiteral("lab-COM1"));
    auto *model = m_program->windows().open(std::make_unique<PublishingModel>(*m_session));
    m_view.reset(Desk::makeView(*model));
    QVERIFY(m_view);
}

void TestPublishingWindow::cleanup() {
    m_view.reset();
    m_session.reset();
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

void TestPublishingWindow::fill(const QString &url, const QString &ca, const QString &user,
                                const QString &password, const QString &name) {
    const QList<std::pair<const char *, QString>> fields{{"TxtBroker", url},
                                                         {"TxtCaFile", ca},
                                                         {"TxtUser", user},
                                                         {"TxtPassword", password},
                                                         {"TxtName", name}};
    for (const auto &[field, text] : fields)
        m_view->findChild<QLineEdit *>(QLatin1String(field))->setText(text);
}

void TestPublishingWindow::publishesWithTheFieldsAndStops() {
    QCOMPARE(status(), QStringLiteral("not publishing"));
    QVERIFY(m_view->findChild<QLineEdit *>(QStringLiteral("TxtPassword"))->echoMode() ==
            QLineEdit::Password);
    fill(" mqtt://broker.lab:1884 ", "", "lab", "pw", "");
    press("BtnPublish");
    QCOMPARE(m_broker.opens, 1);
    QCOMPARE(m_broker.lastSettings.host, QStringLiteral("broker.lab"));
    QCOMPARE(m_broker.lastSettings.port, 1884);
    QCOMPARE(m_broker.lastSettings.user, QStringLiteral("lab"));
    QCOMPARE(m_broker.lastSettings.password, QStringLiteral("pw"));
    // Without a name, the host's and the port's.
    QCOMPARE(m_broker.lastSettings.willTopic, QStringLiteral("thermodesk/lab-COM1/status"));
    QCOMPARE(status(), QStringLiteral("mqtt://broker.lab:1884: connecting, 0 waiting"));
    m_broker.accept();
    QCOMPARE(status(), QStringLiteral("mqtt://broker.lab:1884: connected, 0 waiting"));
    m_broker.end(QStringLiteral("Connection refused"));
    QCOMPARE(status(), QStringLiteral("mqtt://broker.lab:1884: not connected, 0 waiting: "
                                      "Connection refused"));

    // Stopping a connected one says "offline" first.
    m_broker.accept();
    press("BtnStopPublishing");
    QCOMPARE(m_broker.published.constLast().payload, QByteArray("offline"));
    m_broker.acknowledge();
    QCOMPARE(status(), QStringLiteral("not publishing"));
    QVERIFY(!m_session->isPublishing());
}

void TestPublishingWindow::refusesWhatCannotBeUsed_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("ca");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("no scheme") << "broker.lab"
                               << ""
                               << ""
                               << "The broker's address expects mqtt://HOST[:PORT] or "
                                  "mqtts://HOST[:PORT], not 'broker.lab'.";
    QTest::newRow("mqtts without CA") << "mqtts://broker.lab"
                                      << ""
                                      << ""
                                      << "mqtts:// needs the file of the CA certificates.";
    QTest::newRow("name with a space")
        << "mqtt://broker.lab"
        << ""
        << "oven 1"
        << "The name may hold letters, digits, - and _ only (at most 64).";
}

void TestPublishingWindow::refusesWhatCannotBeUsed() {
    QFETCH(QString, url);
    QFETCH(QString, ca);
    QFETCH(QString, name);
    QFETCH(QString, message);
    fill(url, ca, "", "", name);
    press("BtnPublish");
    QCOMPARE(status(), message);
    QCOMPARE(m_broker.opens, 0);
    QVERIFY(!m_session->isPublishing());
}

QTEST_MAIN(TestPublishingWindow)
#include "tst_publishing_window.moc"
