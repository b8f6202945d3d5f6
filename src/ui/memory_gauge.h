#pragma once

#include <QColor>
#include <QFrame>

// MSize, the panel "Memory Size": its caption and the used share of the meter's memory as a
// fill from the left, in the colours of the legend "Used" and "Unused". A click on it is
// forwarded as clicked().
class MemoryGauge : public QFrame {
    Q_OBJECT

public:
    static const QColor UsedColour;
    static const QColor UnusedColour;

    explicit MemoryGauge(QWidget *parent = nullptr);

    int percent() const { return m_percent; }
    void setPercent(int percent);
    // What the panel writes over its fill: "Memory Size  43 %".
    QString text() const;

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_percent = 0;
};
