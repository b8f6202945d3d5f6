// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fakes/fake_platform.h"
#include "graphs/real_time_t1t2_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/program.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <memory>

// Checks the item model of every list window the program opens, through all it goes
// through, with QAbstractItemModelTester.
inline void testListModels(Program &program) {
    QObject::connect(
        &program.windows(), &WindowRegistry::windowOpened, &program, [](WindowModel *window) {
            if (auto *list = qobject_cast<ListWindowModel *>(window))
                new QAbstractItemModelTester(
                    &list->grid(), QAbstractItemModelTester::FailureReportingMode::QtTest, list);
        });
}

// A program on the fakes, loaded on COM1, that has shown one frame (type J, °C), with every
// list window's item model checked by QAbstractItemModelTester through all it goes through.
inline std::unique_ptr<Program> startedProgram(FakePlatform &fakes) {
    auto program = std::make_unique<Program>(fakes.platform());
    program->choosePort(QStringLiteral("COM1"));
    if (!program->loadPanel())
        return nullptr;
    program->panel().showFrame(QByteArray::fromHex("020945810080fd00f003"));
    testListModels(*program);
    return program;
}

// The real-time graph as "Graph" opens it, in the unit of the live values, but fed by live
// values the test owns instead of the panel's: readings no frame of a meter gives included.
inline RealTimeT1T2Model *openRealTimeGraph(Program &program, const LiveValues &live) {
    return program.windows().open(std::make_unique<RealTimeT1T2Model>(
        program.platform(), program.panel().timers(), live, live.UnitText));
}
