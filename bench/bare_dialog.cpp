// The yardstick for the calculator's start-up: a bare Qt Widgets dialog with a label and a button, shown modally.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "bench/firstwindow.h"

int main(int argc, char** argv)
{
    ExitOnFirstWindow();
    QApplication application(argc, argv);
    QDialog dialog;
    auto* pLayout = new QVBoxLayout(&dialog);
    pLayout->addWidget(new QLabel(QStringLiteral("Corvane Ratiograph"), &dialog));
    pLayout->addWidget(new QPushButton(QStringLiteral("OK"), &dialog));
    return dialog.exec();
}
