// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/surface.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A surface that records every call, so tests check the drawing to the pixel. Text is
// measured as 6 pixels per character and 12 pixels high. A call compares and prints as a
// whole, so a drawing test reads as the drawing it expects and a failure shows the call
// that differs: "line (78,166)-(78,105) rgb(0,0,0) width 2 solid".
class FakeSurface : public Surface {
public:
    static constexpr int CharWidth = 6;
    static constexpr int TextHeight = 12;

    enum class Kind { Resize, Clear, Line, Fill, Text };
    struct Call {
        Kind kind;
        QPointF from; // a line's start, a fill's corner, a text's top-left
        QPointF to;   // a line's end, a fill's opposite corner
        Rgb colour;
        int width = 0;
        LineStyle style = LineStyle::Solid;
        QString text;

        bool operator==(const Call &) const = default;
        // The call on one line, every coordinate to the full precision of a double.
        QString toString() const;
        // How QCOMPARE prints a call, and a list of calls, when they differ.
        friend char *toString(const Call &call) {
            return qstrdup(call.toString().toUtf8().constData());
        }
    };

    // The calls as tests expect them.
    static Call line(QPointF from, QPointF to, Rgb colour, int width = 1,
                     LineStyle style = LineStyle::Solid) {
        return {Kind::Line, from, to, colour, width, style, {}};
    }
    static Call fill(QPointF corner, QPointF opposite, Rgb colour) {
        return {Kind::Fill, corner, opposite, colour, 0, LineStyle::Solid, {}};
    }
    static Call text(QPointF topLeft, const QString &text, Rgb colour) {
        return {Kind::Text, topLeft, {}, colour, 0, LineStyle::Solid, text};
    }

    QSize size() const override { return m_size; }
    void resize(const QSize &size) override {
        m_size = size;
        calls.append({Kind::Resize, {}, {}, {}, 0, LineStyle::Solid, {}});
    }
    void clear() override { calls.append({Kind::Clear, {}, {}, {}, 0, LineStyle::Solid, {}}); }
    void drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                  LineStyle style) override {
        calls.append(line(from, to, colour, width, style));
    }
    void fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) override {
        calls.append(fill(corner, opposite, colour));
    }
    void drawText(const QPointF &topLeft, const QString &text, Rgb colour) override {
        calls.append(FakeSurface::text(topLeft, text, colour));
    }
    QSizeF textSize(const QString &text) const override {
        return QSizeF(CharWidth * text.size(), TextHeight);
    }

    // The calls of one kind, optionally of one colour, since the last clear.
    QList<Call> sinceClear(Kind kind) const {
        QList<Call> found;
        for (const Call &call : calls) {
            if (call.kind == Kind::Clear || call.kind == Kind::Resize)
                found.clear();
            else if (call.kind == kind)
                found.append(call);
        }
        return found;
    }
    QList<Call> linesOf(Rgb colour) const {
        QList<Call> found;
        for (const Call &call : sinceClear(Kind::Line)) {
            if (call.colour == colour)
                found.append(call);
        }
        return found;
    }
    // Every call since the last clear, as a picture to compare with another.
    QList<Call> picture() const {
        QList<Call> drawn;
        for (const Call &call : calls) {
            if (call.kind == Kind::Clear || call.kind == Kind::Resize)
                drawn.clear();
            else
                drawn.append(call);
        }
        return drawn;
    }
    int count(Kind kind) const {
        int n = 0;
        for (const Call &call : calls)
            n += call.kind == kind;
        return n;
    }

    QList<Call> calls;

private:
    QSize m_size;
};

inline QString FakeSurface::Call::toString() const {
    const auto point = [](QPointF p) {
        return QStringLiteral("(%1,%2)").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
    };
    const QString rgb =
        QStringLiteral("rgb(%1,%2,%3)").arg(colour.red).arg(colour.green).arg(colour.blue);
    switch (kind) {
    case Kind::Resize:
        return QStringLiteral("resize");
    case Kind::Clear:
        return QStringLiteral("clear");
    case Kind::Line:
        return QStringLiteral("line %1-%2 %3 width %4 %5")
            .arg(point(from), point(to), rgb)
            .arg(width)
            .arg(style == LineStyle::Dotted ? QStringLiteral("dotted") : QStringLiteral("solid"));
    case Kind::Fill:
        return QStringLiteral("fill %1-%2 %3").arg(point(from), point(to), rgb);
    case Kind::Text:
        return QStringLiteral("text %1 \"%2\" %3").arg(point(from), text, rgb);
    }
    return {};
}
