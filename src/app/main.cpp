#include "TDepart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenolde"));

    TDepart Depart;
    Depart.show();
    return app.exec();
}
