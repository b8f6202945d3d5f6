// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/file_handle.h"
#include "platform/file_system.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstring>
#include <memory>

// One file held in memory, for the fuzzers: the record-file reader takes each input from
// here as from a disk, so millions of inputs cost no system calls. Only reading is
// supported; everything else fails as a read-only disk would.
class MemoryFileSystem : public FileSystem {
public:
    void setContents(QByteArrayView bytes) { m_contents = bytes; }

    Entry look(const QString &) const override { return {Kind::Regular, false, ReadOnly}; }
    std::unique_ptr<FileHandle> openForReading(const QString &, Failure &) override {
        return std::make_unique<Handle>(m_contents);
    }
    std::unique_ptr<FileHandle> openForWriting(const QString &, Failure &failure) override {
        return refused(failure);
    }
    std::unique_ptr<FileHandle> create(const QString &, Failure &failure) override {
        return refused(failure);
    }
    std::unique_ptr<FileHandle> createNew(const QString &, const QString &,
                                          Failure &failure) override {
        return refused(failure);
    }
    std::unique_ptr<FileHandle> standardOutput() override { return nullptr; }
    QString replace(const QString &, const QString &) override { return ReadOnly; }
    void remove(const QString &) override {}
    QString reason(Problem) const override { return ReadOnly; }

private:
    static inline const QString ReadOnly = QStringLiteral("Read-only file system");

    class Handle : public FileHandle {
    public:
        explicit Handle(QByteArrayView contents)
            : m_contents(contents) {}
        Lock lockExclusively() override { return Lock::NotSupported; }
        qint64 read(char *data, qint64 maxSize) override {
            const qint64 count = std::min<qint64>(maxSize, m_contents.size() - m_at);
            if (count > 0)
                std::memcpy(data, m_contents.data() + m_at, size_t(count));
            m_at += std::max<qint64>(count, 0);
            return std::max<qint64>(count, 0);
        }
        qint64 write(QByteArrayView) override { return 0; }
        bool sync() override { return false; }
        bool cutBack(qint64) override { return false; }
        qint64 size() const override { return m_contents.size(); }
        bool close() override {
            m_open = false;
            return true;
        }
        bool isOpen() const override { return m_open; }
        QString errorString() const override { return ReadOnly; }

    private:
        QByteArrayView m_contents;
        qint64 m_at = 0;
        bool m_open = true;
    };

    static std::unique_ptr<FileHandle> refused(Failure &failure) {
        failure.reason = ReadOnly;
        return nullptr;
    }

    QByteArrayView m_contents;
};
