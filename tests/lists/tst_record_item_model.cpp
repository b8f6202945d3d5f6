// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lists/list_window_model.h"
#include "lists/record_item_model.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

namespace {
RecordRow record(int number) {
    return {QString::number(number), "2001/05/03 14:25:01", "25.3", "24.1", "1.2"};
}

// Runs the model's queued announcement, as the event loop would.
void runQueuedCalls(QObject *model) {
    QCoreApplication::sendPostedEvents(model, QEvent::MetaCall);
}

// Records appended as a list window appends them: the model is told of each.
void append(RecordTable &records, RecordItemModel &model, const RecordRow &row) {
    QVERIFY(records.appendRow(row));
    model.recordsAppended();
}
} // namespace

// The item model of a list window's grid over the records the window keeps.
class TestRecordItemModel : public QObject {
    Q_OBJECT

private slots:
    void rowsAreAnnouncedInOneBatch();
    void publishOnDemand();
    void headingsAndCells();
    void clearRowsResets();
    void queuedCallOutlivesNoModel();
};

void TestRecordItemModel::rowsAreAnnouncedInOneBatch() {
    RecordTable records;
    RecordItemModel model(records);
    QAbstractItemModelTester tester(&model);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    for (int i = 1; i <= 1000; ++i)
        append(records, model, record(i));
    QCOMPARE(model.rowCount(), 0); // nothing announced until the queued call runs
    runQueuedCalls(&model);
    QCOMPARE(model.rowCount(), 1000);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0][1].toInt(), 0);
    QCOMPARE(inserted[0][2].toInt(), 999);

    // Rows appended after an announcement schedule the next one.
    append(records, model, record(1001));
    append(records, model, record(1002));
    runQueuedCalls(&model);
    QCOMPARE(model.rowCount(), 1002);
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(inserted[1][1].toInt(), 1000);
    QCOMPARE(inserted[1][2].toInt(), 1001);
}

void TestRecordItemModel::publishOnDemand() {
    RecordTable records;
    RecordItemModel model(records);
    QAbstractItemModelTester tester(&model);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    append(records, model, record(1));
    model.publishRows();
    QCOMPARE(model.rowCount(), 1);
    // Appended while the first queued call is still pending: that call announces it.
    append(records, model, record(2));
    append(records, model, record(3));
    QCOMPARE(model.rowCount(), 1);
    runQueuedCalls(&model);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(inserted.size(), 2);
    model.publishRows(); // nothing new: no announcement
    QCOMPARE(inserted.size(), 2);
}

void TestRecordItemModel::headingsAndCells() {
    ListWindowModel list(ListWindowModel::Kind::FileList, QStringLiteral("J"),
                         QStringLiteral("\u00B0F"));
    RecordItemModel &model = list.grid();
    QAbstractItemModelTester tester(&model);
    QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);

    list.setColumn0Heading(QString::fromUtf8("K Type °C"));
    QCOMPARE(headers.size(), 1);
    QCOMPARE(headers[0][0].value<Qt::Orientation>(), Qt::Horizontal);
    QCOMPARE(headers[0][1].toInt(), 0);
    QCOMPARE(headers[0][2].toInt(), 0);

    const QStringList expectedHeadings{QString::fromUtf8("K Type °C"), "     Date Time    ", "T1",
                                       "T2", "T1-T2"};
    QCOMPARE(model.columnCount(), 5);
    for (int column = 0; column < 5; ++column)
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), expectedHeadings[column]);

    list.appendRow({"1", "2001/05/03 14:25:01", "OL", "", QString::fromUtf8("°")});
    model.publishRows();
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("1"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("OL"));
    QCOMPARE(model.index(0, 3).data().toString(), QString());
    QCOMPARE(model.index(0, 4).data().toString(), QString::fromUtf8("°"));
    QVERIFY(model.index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
}

void TestRecordItemModel::clearRowsResets() {
    ListWindowModel list(ListWindowModel::Kind::List, QStringLiteral("J"), QStringLiteral("x"));
    RecordItemModel &model = list.grid();
    QAbstractItemModelTester tester(&model);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    for (int i = 1; i <= 5; ++i)
        list.appendRow(record(i));
    model.publishRows();
    list.clearRows();
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(list.records().rowCount(), 0);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("J Type x"));

    // A queued call from before the reset finds nothing stale to announce.
    runQueuedCalls(&model);
    QCOMPARE(model.rowCount(), 0);
    list.appendRow(record(1));
    runQueuedCalls(&model);
    QCOMPARE(model.rowCount(), 1);
}

void TestRecordItemModel::queuedCallOutlivesNoModel() {
    auto *list = new ListWindowModel(ListWindowModel::Kind::List, QStringLiteral("K"),
                                     QStringLiteral("\u00B0C"));
    list->appendRow(record(1)); // queues an announcement
    RecordTable copy = list->records();
    delete list;
    copy.appendRow(record(2));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(copy.rowCount(), 2);
}

QTEST_GUILESS_MAIN(TestRecordItemModel)
#include "tst_record_item_model.moc"
