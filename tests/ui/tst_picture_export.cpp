// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/record_rows.h"
#include "fakes/started_program.h"
#include "fakes/system_texts.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/adapters/qt_picture_writer.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// "Save Image" of both graphs with the real picture writer: the PNG is the window's own
// picture, SVG and PDF are vector drawings that parse, and a file that cannot be written
// is named with the reason.
class TestPictureExport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filePlotPngIsTheWindowsPicture();
    void realTimeGraphPngIsTheWindowsPicture();
    void vectorDrawingsParse();
    void unwritableFileIsNamedWithTheReason_data();
    void unwritableFileIsNamedWithTheReason();

private:
    ListPlotModel *filePlot();
    RealTimeT1T2Model *realTimeGraph();
    QImage windowPicture(GraphWindowModel *graph) {
        return static_cast<QtImageSurface &>(graph->surface()).image();
    }
    QString saveImage(GraphWindowModel *graph, const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    // What the real-time graph is fed, as the panel's live values would feed it.
    LiveValues m_live;
};

void TestPictureExport::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_fakes = std::make_unique<FakePlatform>();
    m_fakes->makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    m_fakes->makePictureWriter = [] {
        return std::make_unique<QtPictureWriter>(QApplication::font());
    };
    m_program = std::make_unique<Program>(m_fakes->platform());
}

void TestPictureExport::cleanup() {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

ListPlotModel *TestPictureExport::filePlot() {
    auto *list = m_program->windows().open(std::make_unique<ListWindowModel>(
        ListWindowModel::Kind::FileList, QStringLiteral("K"), QStringLiteral("\u00B0C")));
    list->setColumn0Heading(QStringLiteral("K Type \u00B0C"));
    // More records than pixel columns, over and under range and switched off on the way.
    for (int i = 1; i <= 2000; ++i) {
        const QString t1 = i % 97 == 0 ? QStringLiteral("OL") : QString::number(i % 300 - 50);
        const QString t2 = i > 1500 ? QStringLiteral("----") : QString::number(200 - i % 150);
        list->appendRow(record(i, t1, t2, QString::number(i % 40 - 20)));
    }
    m_program->listCommands().plot(list);
    ListPlotModel *plot = m_program->plot();
    if (plot) {
        plot->resize(ListPlotModel::DesignSize);
        plot->Timer1().stop();
        plot->DrawPass();
    }
    return plot;
}

RealTimeT1T2Model *TestPictureExport::realTimeGraph() {
    LiveValues &live = m_live;
    live.TypeText = QStringLiteral("K");
    live.UnitText = QStringLiteral("\u00B0C");
    RealTimeT1T2Model *graph = openRealTimeGraph(*m_program, live);
    if (!graph)
        return nullptr;
    graph->resize(RealTimeT1T2Model::DesignSize);
    graph->Timer1().stop();
    // A sweep and a half: the picture holds only the current sweep's points.
    for (int i = 0; i < 300; ++i) {
        live.T1Text = QString::number(100 + i % 50);
        live.T2Text = i % 70 == 0 ? QStringLiteral("OL") : QString::number(i % 20);
        live.DiffText = i == 250 ? QStringLiteral("----") : QString::number(50 - i % 30);
        graph->PlotTick();
        m_fakes->clock.advance(1);
    }
    return graph;
}

QString TestPictureExport::saveImage(GraphWindowModel *graph, const QString &name) {
    const QString path = m_dir->filePath(name);
    m_fakes->dialogs.saveAnswers << path;
    graph->press(GraphCommand::SaveImage);
    return path;
}

void TestPictureExport::filePlotPngIsTheWindowsPicture() {
    ListPlotModel *plot = filePlot();
    QVERIFY(plot);
    const QString path = saveImage(plot, QStringLiteral("plot.png"));
    QCOMPARE(m_fakes->dialogs.saveFilters,
             QStringList{"PNG Image (*.png)|*.png|SVG Drawing (*.svg)|*.svg|PDF Document "
                         "(*.pdf)|*.pdf|"});
    QCOMPARE(m_fakes->dialogs.saveSuffixes, QStringList{"png"});
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    const QImage saved(path);
    QCOMPARE(saved.size(), ListPlotModel::DesignSize);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), windowPicture(plot));
    // The toolbar was never hidden for it.
    QVERIFY(plot->toolbarVisible());

    // Zoomed: the picture of the span shown.
    plot->zoomTo(plot->state().PlotLeft + 50, plot->state().PlotLeft + 90);
    const QImage zoomed(saveImage(plot, QStringLiteral("zoomed.png")));
    QCOMPARE(zoomed.convertToFormat(QImage::Format_RGB32), windowPicture(plot));
    QVERIFY(zoomed != saved);
}

void TestPictureExport::realTimeGraphPngIsTheWindowsPicture() {
    RealTimeT1T2Model *graph = realTimeGraph();
    QVERIFY(graph);
    const QImage saved(saveImage(graph, QStringLiteral("graph.png")));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    QCOMPARE(saved.size(), RealTimeT1T2Model::DesignSize);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), windowPicture(graph));
}

void TestPictureExport::vectorDrawingsParse() {
    ListPlotModel *plot = filePlot();
    QVERIFY(plot);
    const QSize size = ListPlotModel::DesignSize;

    const QString svg = saveImage(plot, QStringLiteral("plot.svg"));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(QPoint(), size));
    const QByteArray svgText = bytesOf(svg);
    // Lines, not an embedded image; the curves in their colours, the labels as text.
    QVERIFY(!svgText.contains("<image"));
    QVERIFY(svgText.contains("#0000ff"));
    QVERIFY(svgText.contains("#ff0000"));
    QVERIFY(svgText.contains("14:25:01"));
    QImage drawn(size, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    int blue = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    }
    QVERIFY2(blue > 100, qPrintable(QString::number(blue)));

    const QByteArray pdf = bytesOf(saveImage(plot, QStringLiteral("plot.pdf")));
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QVERIFY(pdf.contains("/Count 1"));
    // One page of the window's size at the image's resolution, in points.
    const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch box = mediaBox.match(QString::fromLatin1(pdf));
    QVERIFY(box.hasMatch());
    const double dpi = QImage(1, 1, QImage::Format_RGB32).logicalDpiX();
    QVERIFY(std::abs(box.captured(1).toDouble() - size.width() * 72.0 / dpi) < 1);
    QVERIFY(std::abs(box.captured(2).toDouble() - size.height() * 72.0 / dpi) < 1);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestPictureExport::unwritableFileIsNamedWithTheReason_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such folder") << "gone/plot.png" << SystemText::FolderNotFound;
    QTest::newRow("folder in the way") << "taken.svg"
                                       << "";
    QTest::newRow("suffix of no picture") << "plot.bmp"
                                          << "must end in .png, .svg or .pdf";
}

void TestPictureExport::unwritableFileIsNamedWithTheReason() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("taken.svg")));
    ListPlotModel *plot = filePlot();
    QVERIFY(plot);
    const QString path = saveImage(plot, name);
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &message = m_fakes->dialogs.messages[0];
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY2(message.text.startsWith(QStringLiteral("The picture could not be saved to \"%1\":\n")
                                         .arg(QDir::toNativeSeparators(path))),
             qPrintable(message.text));
    QVERIFY2(message.text.contains(reason), qPrintable(message.text));
    // A reason is always given.
    QVERIFY(!message.text.section(QLatin1Char('\n'), 1).trimmed().isEmpty());
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_MAIN(TestPictureExport)
#include "tst_picture_export.moc"
