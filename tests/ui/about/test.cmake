find_package(Qt6 REQUIRED COMPONENTS Test)
set(TEST_LIBS tarvex::ui_dialogs Qt6::Test)
set(TEST_NO_MAIN ON)
