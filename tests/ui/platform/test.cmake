find_package(Qt6 REQUIRED COMPONENTS Core Widgets DBus Network)
set(TEST_LIBS tarvex::ui_platform Qt6::Widgets Qt6::DBus Qt6::Network)
set(TEST_NO_MAIN ON)
# The tests are not moc'ed automatically; the one QObject they declare is.
qt6_wrap_cpp(platform_test_moc ${CMAKE_CURRENT_LIST_DIR}/SignalRecorder.h)
list(APPEND sources ${platform_test_moc})
