#include "link/port_names.h"
#include "ui/desk.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSerialPortInfo>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ThermoDesk"));
    QApplication::setApplicationVersion(QStringLiteral(THERMODESK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Companion of the two-channel thermocouple meter with data logger."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Maps a port name of the chooser to a serial device, e.g. "
                       "COM1=/dev/ttyUSB0. Repeatable."),
        QStringLiteral("COMn=DEVICE"));
    parser.addOption(portOption);
    parser.process(app);

    PortNames names;
    QStringList present;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        present << info.systemLocation();
    names.setPresentDevices(present);
    for (const QString &mapping : parser.values(portOption)) {
        if (!names.addMapping(mapping)) {
            fprintf(stderr, "thermodesk: --port expects COMn=DEVICE with n from 1 to 16, not %s\n",
                    qPrintable(mapping));
            return 2;
        }
    }

    Desk desk(names);
    desk.start();
    return app.exec();
}
