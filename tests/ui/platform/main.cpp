// The platform tests run on Qt's offscreen platform unless a display is
// asked for. Started with TARVEX_HANDOVER_CHILD=<socket folder> and
// arguments, the program plays a second copy of the desktop program: it
// hands its arguments over and exits 0 when a running copy took them, 1
// otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <string>
#include <vector>

#include "ui/platform/SingleInstance.h"

namespace {

constexpr char kChildVariable[] = "TARVEX_HANDOVER_CHILD";
constexpr char kExecutable[] = "/opt/tarvex-test/bin/tarvex";

int runAsSecondCopy(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    s::platform::qt::SingleInstance instance(kExecutable, qEnvironmentVariable(kChildVariable));
    const std::vector<std::string> paths(argv + 1, argv + argc);
    return instance.tryHandOver(paths) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsEmpty(kChildVariable)) return runAsSecondCopy(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
