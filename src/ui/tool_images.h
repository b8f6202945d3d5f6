#pragma once

#include <QIcon>
#include <QString>

// The image lists of the windows' toolbars: the picture with this 1-based index in the
// image list of the named window ("Panel", "List", "FileList", "DataList",
// "RealTimeT1T2", "ListPlot").
QIcon toolImage(const QString &windowName, int index);
