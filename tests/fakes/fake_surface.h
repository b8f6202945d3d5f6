#pragma once

#include "platform/surface.h"

#include <QList>

// A surface that records every call, so tests check the drawing to the pixel. Text is
// measured as 6 pixels per character and 12 pixels high.
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
    };

    QSize size() const override { return m_size; }
    void resize(const QSize &size) override {
        m_size = size;
        calls.append({Kind::Resize, {}, {}, {}, 0, LineStyle::Solid, {}});
    }
    void clear() override { calls.append({Kind::Clear, {}, {}, {}, 0, LineStyle::Solid, {}}); }
    void drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                  LineStyle style) override {
        calls.append({Kind::Line, from, to, colour, width, style, {}});
    }
    void fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) override {
        calls.append({Kind::Fill, corner, opposite, colour, 0, LineStyle::Solid, {}});
    }
    void drawText(const QPointF &topLeft, const QString &text, Rgb colour) override {
        calls.append({Kind::Text, topLeft, {}, colour, 0, LineStyle::Solid, text});
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
