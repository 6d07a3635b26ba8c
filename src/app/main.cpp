#include "engine/EngineEnvironment.h"
#include <QApplication>

int main(int argc, char **argv)
{
    engine::prepareProcessEnvironment();
    QApplication app(argc, argv);
    return 0;
}
