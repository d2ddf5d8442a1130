#include "ui/shell/AppNavigator.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Runequill"));
    QApplication::setApplicationVersion(QStringLiteral(RUNEQUILL_VERSION));
    AppNavigator navigator;
    navigator.openMain();
    return app.exec();
}
