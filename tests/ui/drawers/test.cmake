find_package(Qt6 REQUIRED COMPONENTS Gui)
set(TEST_LIBS tarvex::ui_drawers Qt6::Gui)
set(TEST_NO_MAIN ON)
