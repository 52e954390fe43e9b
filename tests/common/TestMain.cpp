#include <QApplication>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    // Tests never need a screen; a real one may be asked for explicitly.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
