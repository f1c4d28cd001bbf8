// The floor for the start-up figures: a Qt Widgets program that shows one empty window of the
// game's size and reports its first paint the way the game does.
#include <QApplication>
#include <QWidget>

#include "platform/startupreport.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(464, 520);
    platform::StartupReport::watch(&window);
    window.show();
    return app.exec();
}
