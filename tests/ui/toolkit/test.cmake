set(TEST_LIBS tarvex::ui_toolkit)
