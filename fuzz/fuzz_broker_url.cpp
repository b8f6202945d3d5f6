// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary text to the broker's address of --mqtt and the "Publishing" window. An
// address is either refused with a reason or valid, and a valid one written out as the
// messages name it is read back as the same address.

#include "publish/broker_address.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        QString error;
        const BrokerAddress address = BrokerAddress::parse(text, &error);
        if (address.isValid() == !error.isEmpty())
            __builtin_trap(); // valid without a reason, or refused with one
        if (!address.isValid())
            continue;
        if (address.port < 1 || address.port > 65535)
            __builtin_trap();
        QString again;
        const BrokerAddress back = BrokerAddress::parse(address.url(), &again);
        if (!back.isValid() || back.url() != address.url() || back.tls != address.tls)
            __builtin_trap();
    }
    return 0;
}
