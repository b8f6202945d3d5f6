// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/about_box.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

static void initAbout() {
    Q_INIT_RESOURCE(about);
}

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent) {
    initAbout();
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About ThermoDesk"));

    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/about/icon.svg")).pixmap(64, 64));
    icon->setAccessibleName(QStringLiteral("ThermoDesk icon"));
    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("AboutVersion"));
    title->setTextFormat(Qt::RichText);
    title->setText(QStringLiteral("<b>%1</b><br>The desktop companion of a two-channel "
                                  "thermocouple meter with data logger.")
                       .arg(versionLine().toHtmlEscaped()));
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(title, 1);

    auto *usage = new QTextBrowser(this);
    usage->setObjectName(QStringLiteral("AboutUsage"));
    usage->setAccessibleName(QStringLiteral("Using ThermoDesk"));
    usage->setOpenExternalLinks(true);
    usage->setMarkdown(usageText());

    auto *license = new QLabel(this);
    license->setObjectName(QStringLiteral("AboutLicense"));
    license->setWordWrap(true);
    license->setOpenExternalLinks(true);
    license->setText(QStringLiteral(
        "ThermoDesk is free software: you may use, change and pass it on under the "
        "<a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU General Public "
        "License</a>, version 3 or later. It comes with no warranty."));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(usage, 1);
    layout->addWidget(license);
    layout->addWidget(buttons);
    resize(620, 520);
}

QString AboutBox::versionLine() {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("ThermoDesk")
                             : QStringLiteral("ThermoDesk %1").arg(version);
}

QString AboutBox::usageText() {
    initAbout();
    QFile readme(QStringLiteral(":/about/README.md"));
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    const QString markdown = QString::fromUtf8(readme.readAll());
    return section(markdown, QStringLiteral("Using it")) + QLatin1Char('\n') +
           section(markdown, QStringLiteral("Keys"));
}

QString AboutBox::section(const QString &markdown, const QString &title) {
    const QString heading = QStringLiteral("## ") + title + QLatin1Char('\n');
    qsizetype begin =
        markdown.startsWith(heading) ? 0 : markdown.indexOf(QLatin1Char('\n') + heading);
    if (begin < 0)
        return {};
    if (markdown.at(begin) == QLatin1Char('\n'))
        ++begin;
    const qsizetype end = markdown.indexOf(QStringLiteral("\n## "), begin + heading.size() - 1);
    return markdown.mid(begin, end < 0 ? -1 : end + 1 - begin);
}
