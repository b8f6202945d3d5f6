// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/serial_link.h"

#include <QByteArrayList>

// A port whose reads are scripted: each readAll() takes the next queued read (empty when
// none is left) and writes are collected.
class FakeSerialLink : public SerialLink {
public:
    bool open(int portNumber) override {
        openedPort = portNumber;
        m_open = portNumber >= 1 && portNumber <= existingPorts;
        return m_open;
    }
    bool isOpen() const override { return m_open; }
    QByteArray readAll() override {
        ++readCount;
        return reads.isEmpty() ? QByteArray() : reads.takeFirst();
    }
    bool write(const QByteArray &bytes) override {
        written += bytes;
        return m_open;
    }
    bool broken() const override { return false; }
    void close() override { m_open = false; }

    void queue(const QByteArray &read, int times = 1) {
        for (int i = 0; i < times; ++i)
            reads << read;
    }

    int existingPorts = 16;
    int openedPort = 0;
    int readCount = 0;
    QByteArrayList reads;
    QByteArray written;

private:
    bool m_open = false;
};
