#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The window tests need no display; CTest sets the same.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", KR6_TEST_PLATFORM);
    QApplication App(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
