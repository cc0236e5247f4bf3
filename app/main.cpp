#include "deruvivuriri_form.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Mirvel");
    QApplication::setApplicationName("Reriruvozive-Mirvel");

    QWidget window;
    Ui_Deruvivuriri form;
    form.setupUi(&window);
    window.show();
    return app.exec();
}
