#include "ui/list_plot.h"

#include "graphs/list_plot_model.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ListPlot::ListPlot(ListPlotModel &model, QWidget *parent)
    : GraphWindow(model, ListPlotModel::DesignSize, parent) {
    buildFunctionPanel(QPoint(8, 32));
    QFrame *range = buildRangePanel(QPoint(8, 32), QSize(273, 113));
    const struct {
        const char *frame;
        const char *title;
        const char *captions[2];
        const char *texts[2];
        const char *boxes[2];
    } frames[] = {
        {"SSFrame1", "Temperature", {"SSPanel1", "SSPanel2"}, {"Min", "Max"}, {"TxtMin", "TxtMax"}},
        {"SSFrame2", "No.s", {"SSPanel3", "SSPanel4"}, {"From", "To"}, {"TxtFrom", "TxtTo"}}};
    int left = 4;
    for (const auto &frame : frames) {
        auto *group = new QGroupBox(QLatin1String(frame.title), range);
        group->setObjectName(QLatin1String(frame.frame));
        group->setGeometry(left, 2, 130, 70);
        for (int i = 0; i < 2; ++i) {
            captionPanel(group, frame.captions[i], QLatin1String(frame.texts[i]))
                ->setGeometry(6 + 60 * i, 20, 58, 19);
            rangeBox(group, QLatin1String(frame.boxes[i]))->setGeometry(6 + 60 * i, 42, 58, 21);
        }
        left += 134;
    }
    rangeButton(range, true)->setGeometry(58, 78, 70, 28);
    rangeButton(range, false)->setGeometry(144, 78, 70, 28);
}
