#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::puts("The designer window is not built yet.");
    return 0;
}
