// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The single-byte code page of record files: Latin-1 plus the 27 characters that
// Windows-1252 places at 0x80-0x9F (euro sign, quotation marks, dashes, ...).
namespace Windows1252 {

// Characters the code page cannot hold become '?', one per character (a surrogate
// pair included).
QByteArray encode(QStringView text);
// Every byte decodes; the five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) decode to the control characters of the same value, as Latin-1.
QString decode(QByteArrayView bytes);

} // namespace Windows1252
